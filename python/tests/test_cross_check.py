"""The module gives the numbers of the command line, which shows the lookup entry points'
values at full precision: one state of each phase, compared to the last bit."""
import json
import math
import subprocess

import pytest

import kelvora

# (command-line arguments, module call): subcooled, superheated, supercritical (indeterminate),
# a two-phase state from two inputs, saturated states by temperature and by pressure, the same by
# the pairs T-x and p-x, and states in English units.
CASES = [
    (["state", "T-p", "25", "1"], lambda: kelvora.state("T-p", 25, 1)),
    (["state", "T-p", "200", "1"], lambda: kelvora.state("T-p", 200, 1)),
    (["state", "T-p", "500", "300"], lambda: kelvora.state("T-p", 500, 300)),
    (["state", "T-h", "100", "1500"], lambda: kelvora.state("T-h", 100, 1500)),
    (["sat", "T", "100", "--quality", "0.25"], lambda: kelvora.saturated("T", 100, 0.25)),
    (["sat", "p", "50", "--phase", "liquid"],
     lambda: kelvora.saturated("p", 50, phase="liquid")),
    (["state", "T-x", "150", "0.25"], lambda: kelvora.state("T-x", 150, 0.25)),
    (["state", "p-x", "10", "1", "--units", "english"],
     lambda: kelvora.state("p-x", 10, 1, units="english")),
    (["state", "p-h", "150", "1200", "--units", "english"],
     lambda: kelvora.state("p-h", 150, 1200, units="english")),
    (["state", "T-p", "100", "1", "--transport", "2011"],
     lambda: kelvora.state("T-p", 100, 1, transport="2011")),
    (["sat", "p", "200", "--transport", "2011"],
     lambda: kelvora.saturated("p", 200, transport="2011")),
]


def cli_rows(cli, args):
    out = subprocess.run([cli, *args, "--format", "json"], check=True, capture_output=True,
                         text=True).stdout
    return json.loads(out)


@pytest.mark.parametrize("args, call", CASES, ids=[" ".join(c[0]) for c in CASES])
def test_module_and_command_line_give_the_same_numbers(cli, args, call):
    result = call()
    rows = cli_rows(cli, args)
    assert [row["name"] for row in rows] == list(result.keys())
    for row in rows:
        value = result[row["name"]]
        if row["name"] == "x":
            if row["value"] is None:  # a single phase: the word instead of a quality
                assert math.isnan(value) and result.phase == row["status"]
            else:  # the command line shows the quality as a percentage
                assert value * 100 == row["value"]
        elif row["value"] is None:
            assert math.isnan(value), row["name"]
        else:
            assert value == row["value"], row["name"]
    # The units the module describes are the ones the command line shows.
    units = "english" if "english" in args else "si"
    for row in rows:
        if row["name"] != "x":
            assert kelvora.properties[row["name"]][units] == row["unit"]
        assert kelvora.properties[row["name"]]["name"] == row["property"]


def test_constants_are_the_constants_page_values(cli):
    out = subprocess.run([cli, "constants", "--format", "json"], check=True,
                         capture_output=True, text=True).stdout
    assert {row["name"]: row["value"] for row in json.loads(out)} == kelvora.constants()


@pytest.mark.parametrize("call", [
    lambda **kw: kelvora.state("T-p", [100.0, 25.0, 600.0], 1, **kw),
    lambda **kw: kelvora.saturated("T", [50.0, 300.0], **kw),
])
def test_transport_changes_only_viscosity_conductivity_and_prandtl(call):
    default, old, new = call(), call(transport="1985"), call(transport="2011")
    for name in default:
        assert default[name].tobytes() == old[name].tobytes(), name
        if name in ("mu", "lambda", "pr"):
            assert (new[name] != old[name]).all(), name
        else:
            assert new[name].tobytes() == old[name].tobytes(), name
    with pytest.raises(ValueError, match=r"1985\|2011"):
        call(transport="2008")

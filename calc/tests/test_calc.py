# The Kelvora sheet functions in a real, headless LibreOffice: every number Calc's own formula
# engine computes through the extension is the one kelvora-cli prints (the same bits), errors are
# error cells carrying kelvora-cli's words, and an array formula keeps its good cells next to bad
# ones. Needs KELVORA_OXT, KELVORA_CLI and the kelvora module on PYTHONPATH (ctest sets them);
# a missing extension or an office that does not start fails every test.
import csv
import io
import os
import subprocess

import pytest

import kelvora
import office

CLI = os.environ.get("KELVORA_CLI", "kelvora-cli")
PAIRS = ("T-p", "T-v", "T-h", "T-s", "T-u", "p-v", "p-h", "p-s", "p-u", "h-s")
NAMES = tuple(kelvora.properties)

# Calc's error codes for the add-in's kinds of error.
INVALID_ARGUMENT, OUT_OF_RANGE, NOT_A_NUMBER, NOT_AVAILABLE = 502, 503, 519, 0x7FFF


def cli(*args, check=True):
    done = subprocess.run([CLI, *args], capture_output=True, text=True, timeout=60)
    if check and done.returncode != 0:
        raise AssertionError(f"kelvora-cli {' '.join(args)}: {done.stderr}")
    return done


def cli_message(*args):
    """What kelvora-cli says on refusing the arguments, without its name."""
    done = cli(*args, check=False)
    assert done.returncode != 0
    return done.stderr.splitlines()[0].removeprefix("kelvora-cli: ")


def batch(lines, units, props=NAMES):
    """kelvora-cli's csv rows for lines (pair, a, b): text cells, numbers or the window's words."""
    text = "".join(f"{pair},{a!r},{b!r}\n" for pair, a, b in lines)
    done = subprocess.run(
        [CLI, "batch", "--units", units, "--format", "csv", "--props", ",".join(props)],
        input=text, capture_output=True, text=True, timeout=60)
    rows = list(csv.reader(io.StringIO(done.stdout)))
    assert len(rows) == len(lines) + 1, done.stderr
    return rows[1:]


def phase_states(units):
    """Inputs of every pair at a liquid, a vapour, a supercritical and a wet state."""
    inputs = ("T", "p", "v", "h", "s", "u")
    bases = [("T-p", 50.0, 10.0), ("T-p", 300.0, 10.0), ("T-p", 450.0, 300.0)]
    corners = [dict(zip(inputs, map(float, row))) for row in batch(bases, units, inputs)]
    wet = cli("sat", "T", "150", "--quality", "0.4", "--units", units, "--format", "csv").stdout
    corners.append(
        {row[0]: float(row[2]) for row in csv.reader(io.StringIO(wet)) if row[0] in inputs})
    states = [(pair, c[pair[0]], c[pair[2]]) for pair in PAIRS for c in corners]
    # Saturation with a vapour fraction, at the wet state's temperature and pressure, once the
    # command line knows those pairs (the add-in hands every pair word to the module as it is).
    for pair in ("T-x", "p-x"):
        if cli("state", pair, "100", "0.5", check=False).returncode == 0:
            states += [(pair, corners[-1][pair[0]], x) for x in (0.0, 0.4, 1.0)]
    return states


def expect_same(calc_value, calc_error, cli_text, name, where):
    """A cell against kelvora-cli's csv text: the same double, or an error where it has a word.
    True when numbers were compared."""
    try:
        expected = float(cli_text)
    except ValueError:
        assert calc_error != 0, f"{where} {name}: kelvora-cli says {cli_text}, Calc {calc_value!r}"
        return False
    if name == "x":  # kelvora-cli shows the vapour fraction as a percentage
        calc_value *= 100.0
    assert calc_error == 0 and repr(calc_value) == repr(expected), (
        f"{where} {name}: Calc {calc_value!r} (error {calc_error}), kelvora-cli {cli_text}")
    return True


@pytest.fixture(scope="module")
def office_document():
    with office.spreadsheet(os.environ.get("KELVORA_OXT", "")) as (context, document, _):
        yield context, document


@pytest.fixture
def sheet(office_document, request):
    """A sheet of its own for each test, in the one office of the module."""
    context, document = office_document
    name = request.node.name.replace("[", "_").replace("]", "")
    document.Sheets.insertNewByName(name, document.Sheets.getCount())
    return context, document, document.Sheets.getByName(name)


def compute(document, cells, formulas):
    """Writes formulas (rows of text) at cells and gives back (value, error) per cell."""
    cells.setFormulaArray(formulas)
    document.calculateAll()
    return [[(c.getValue(), c.getError()) for c in row_cells(cells, r, len(formulas[0]))]
            for r in range(len(formulas))]


def row_cells(cells, r, width):
    return [cells.getCellByPosition(c, r) for c in range(width)]


def test_function_wizard_describes_every_function(sheet):
    context, _, _ = sheet
    descriptions = context.ServiceManager.createInstanceWithContext(
        "com.sun.star.sheet.FunctionDescriptions", context)
    arguments = {"KELVORA": 7, "KELVORAERROR": 7, "KELVORAPROPS": 1}
    for name, count in arguments.items():
        entry = {p.Name: p.Value for p in descriptions.getByName(name)}
        assert entry["Description"], name
        assert len(entry["Arguments"]) == count, name
        assert all(a.Name and a.Description for a in entry["Arguments"]), name
    # Units, formulation and transport may be left out; the inputs may not.
    kelvora_entry = {p.Name: p.Value for p in descriptions.getByName("KELVORA")}
    optional = [a.IsOptional for a in kelvora_entry["Arguments"]]
    assert optional == [False] * 4 + [True] * 3


@pytest.mark.parametrize("units", ["si", "english"])
def test_every_pair_and_phase_matches_the_command_line(sheet, units):
    _, document, calc = sheet
    states = phase_states(units)
    inputs = calc.getCellRangeByPosition(0, 0, 1, len(states) - 1)
    inputs.setDataArray(tuple((a, b) for _, a, b in states))
    formulas = tuple(
        tuple(f'=KELVORA("{name}";"{pair}";A{r + 1};B{r + 1};"{units}")' for name in NAMES)
        for r, (pair, _, _) in enumerate(states))
    results = compute(document, calc.getCellRangeByPosition(2, 0, 1 + len(NAMES), len(states) - 1),
                      formulas)
    numbers = 0
    for state, calc_row, cli_row in zip(states, results, batch(states, units)):
        for name, (value, error), text in zip(NAMES, calc_row, cli_row):
            numbers += expect_same(value, error, text, name, state)
    # Words (the quality of a single phase, transport properties of a mixture) are the exception.
    assert numbers > 0.8 * len(states) * len(NAMES)


def test_iapws_units_are_the_modules(sheet):
    _, document, calc = sheet
    (value, error), = compute(document, calc.getCellRangeByPosition(0, 0, 0, 0),
                              (('=KELVORA("h";"T-p";473.15;1;"iapws")',),))[0]
    assert error == 0 and repr(value) == repr(kelvora.state("T-p", 473.15, 1.0, units="iapws").h)


def test_array_formula_keeps_good_rows_beside_bad_ones(sheet):
    _, document, calc = sheet
    rows = 100
    temperatures = [5.0 + 5.0 * i for i in range(rows)]
    pressures = [1.0 + 2.5 * i for i in range(rows)]
    bad = {10: ("abc", "A \"abc\": Invalid number specified."),
           20: (None, "A \"\": Invalid number specified."),
           30: (5000.0, "no state: an input is invalid or out of range")}
    calc.getCellRangeByPosition(0, 0, 1, rows - 1).setDataArray(
        tuple((temperatures[i], pressures[i]) for i in range(rows)))
    for i, (text, _) in bad.items():
        cell = calc.getCellByPosition(0, i)
        if text is None:
            cell.setString("")
        elif isinstance(text, str):
            cell.setString(text)
        else:
            cell.setValue(text)
    values = calc.getCellRangeByPosition(2, 0, 2, rows - 1)
    values.setArrayFormula(f'=KELVORA("h";"T-p";A1:A{rows};B1:B{rows})')
    reasons = calc.getCellRangeByPosition(3, 0, 3, rows - 1)
    reasons.setArrayFormula(f'=KELVORAERROR("h";"T-p";A1:A{rows};B1:B{rows})')
    document.calculateAll()

    expected = batch([("T-p", temperatures[i], pressures[i]) for i in range(rows)], "si", ("h",))
    codes = {10: NOT_A_NUMBER, 20: NOT_A_NUMBER, 30: OUT_OF_RANGE}
    for i in range(rows):
        cell, reason = values.getCellByPosition(0, i), reasons.getCellByPosition(0, i).getString()
        if i in bad:
            assert cell.getError() == codes[i], i
            assert reason == bad[i][1]
        else:
            expect_same(cell.getValue(), cell.getError(), expected[i][0], "h", i)
            assert reason == ""
    # The words are kelvora-cli's.
    assert bad[10][1] == cli_message("state", "T-p", "abc", "10")
    assert bad[20][1] == cli_message("state", "T-p", "", "10")
    assert bad[30][1] == cli_message("state", "T-p", "5000", "10")


def test_each_refusal_is_an_error_cell_with_its_reason(sheet):
    _, document, calc = sheet
    text = 'a "hot" day\\' * 5  # quoted, escaped and cut as kelvora-cli does
    calc.getCellByPosition(9, 0).setString(text)
    cases = [
        ('"hh";"T-p";200;10', INVALID_ARGUMENT,
         cli_message("state", "T-p", "200", "10", "--props", "hh").removeprefix("--props: ")),
        ('"h";"T-q";200;10', INVALID_ARGUMENT, cli_message("state", "T-q", "200", "10")),
        ('"h";"T-p";200;10;"metric"', INVALID_ARGUMENT,
         'unknown units "metric"; use one of si english iapws'),
        ('"h";"T-p";200;10;;"iapws84"', INVALID_ARGUMENT,
         'unknown formulation "iapws84"; use one of iapws95'),
        ('"h";"T-p";5000;10', OUT_OF_RANGE, cli_message("state", "T-p", "5000", "10")),
        ('"h";"T-p";J1;10', NOT_A_NUMBER, cli_message("state", "T-p", text, "10")),
        ('"x";"T-p";200;10', NOT_AVAILABLE, "x: N/A for this state"),
        ('"h";"T-p";A1:A3;B1:B2', NOT_AVAILABLE,
         "A and B are ranges of different shapes: 3×1 and 2×1"),
    ]
    formulas = tuple((f"=KELVORA({args})", f"=KELVORAERROR({args})") for args, _, _ in cases)
    results = compute(document, calc.getCellRangeByPosition(0, 10, 1, 9 + len(cases)), formulas)
    for r, ((args, code, reason), ((_, error), _)) in enumerate(zip(cases, results)):
        assert error == code, args
        assert calc.getCellByPosition(1, 10 + r).getString() == reason, args


def test_the_catalogue_in_each_unit_system(sheet):
    _, document, calc = sheet
    for units in ("si", "english", "iapws"):
        table = calc.getCellRangeByPosition(0, 0, 2, len(NAMES) - 1)
        table.setArrayFormula(f'=KELVORAPROPS("{units}")')
        document.calculateAll()
        assert table.getDataArray() == tuple(
            (name, entry["name"], entry[units]) for name, entry in kelvora.properties.items())
        table.clearContents(1023)

"""formulation= reaches the states and the constants: IAPWS-IF97 where it is chosen, its own
range, and a clear refusal of an unknown word."""
import math

import numpy as np
import pytest

import kelvora


def test_if97_is_computed_when_chosen():
    iapws95 = kelvora.state("p-h", 30, 3000)
    if97 = kelvora.state("p-h", 30, 3000, formulation="if97")
    # Within the consistency of the two formulations, but not the same numbers.
    assert if97["T"] == pytest.approx(iapws95["T"], abs=0.05)
    assert if97["T"] != iapws95["T"]
    assert if97.phase == "Superheated"
    # Arrays take it too, state by state.
    arrays = kelvora.state("p-h", np.array([30.0, 30.0]), 3000, formulation="if97")
    assert list(arrays["T"]) == [if97["T"], if97["T"]]


def test_if97_range_and_constants():
    # 2100 °C and 600 bar lies inside IAPWS-95 but beyond IF97's 500 bar above 800 °C.
    assert math.isfinite(kelvora.state("T-p", 2100, 600)["h"])
    with pytest.raises(kelvora.StateError, match="IAPWS-IF97"):
        kelvora.state("T-p", 2100, 600, formulation="if97")
    # The same critical point, but IF97's own gas constant in the critical compressibility.
    if97, iapws95 = kelvora.constants(formulation="if97"), kelvora.constants()
    assert if97["Tc"] == iapws95["Tc"]
    assert if97["zc"] == pytest.approx(iapws95["zc"], rel=1e-4)
    assert if97["zc"] != iapws95["zc"]


def test_unknown_formulation_is_refused():
    with pytest.raises(ValueError, match="iapws95|if97"):
        kelvora.state("T-p", 25, 1, formulation="if98")

"""Arrays of states: broadcasting and shapes, statuses and NaN for states that cannot be built,
the exception for scalars, bad input, and worker threads giving the results of one."""
import pickle
import threading

import numpy as np
import pytest

import kelvora


def bits(result):
    """Every property of an array result, its statuses and phases, for exact comparison."""
    return {name: np.asarray(result[name]).view(np.uint64).tobytes() for name in result} | {
        "status": result.status.tobytes(), "phase": result.phase.tobytes()}


class TestShapes:
    def test_a_scalar_broadcasts_against_an_array_and_each_element_is_the_scalar_state(self):
        pressures = np.array([0.5, 1.0, 50.0, 300.0])
        r = kelvora.state("T-p", 150, pressures)
        assert r.h.shape == r.status.shape == r.phase.shape == (4,)
        for i, p in enumerate(pressures):
            one = kelvora.state("T-p", 150, float(p))  # plain numbers take a path without NumPy
            assert one.phase == r.phase[i]
            for name in r:
                assert np.array_equal(r[name][i], one[name], equal_nan=True), name

    def test_two_dimensional_inputs_keep_their_broadcast_shape(self):
        T = np.array([[20.0], [120.0], [220.0]])
        p = np.array([1.0, 10.0, 100.0, 200.0])
        r = kelvora.state("T-p", T, p)
        assert r.rho.shape == (3, 4)
        assert (r.status == 0).all()
        assert r.phase[0, 0] == "Subcooled" and r.phase[2, 0] == "Superheated"
        np.testing.assert_array_equal(r.T[:, 2], T[:, 0])

    def test_a_zero_dimensional_array_gives_arrays_and_numpy_scalars_give_numbers(self):
        assert kelvora.state("T-p", np.array(25.0), 1).h.shape == ()
        assert isinstance(kelvora.state("T-p", np.float64(25), np.int64(1)).h, float)

    def test_results_pickle_with_their_phases_and_statuses(self):
        r = kelvora.state("T-p", [25.0, -300.0], 1)
        assert bits(pickle.loads(pickle.dumps(r))) == bits(r)

    def test_saturated_quality_arrays_broadcast_with_the_value(self):
        r = kelvora.saturated("p", [1.0, 10.0], quality=[[0.0], [0.5], [1.0]])
        assert r.h.shape == (3, 2)
        assert list(r.phase[:, 0]) == ["Saturated liquid", "Two-phase", "Saturated vapour"]
        assert (np.diff(r.h, axis=0) > 0).all()


class TestPairsAndInputs:
    def test_inputs_and_constants_read_back_as_given(self):
        assert kelvora.state("T-p", 200, 1).p == 1.0
        r = kelvora.state("p-h", [14.7, 3000.0], 1000, units="english")
        assert list(r.p) == [14.7, 3000.0] and (r.h == 1000).all()
        iapws = kelvora.state("T-s", 600.3, [3.5, 7.3], units="iapws")
        assert (iapws.T == 600.3).all() and list(iapws.s) == [3.5, 7.3]
        # Down to the lowest pressure the library resolves (1e-15 MPa) the pressure reads back
        # exactly; below it, and at zero, the state is out of range.
        assert kelvora.state("T-p", 25, 1e-14).p == 1e-14
        r = kelvora.state("T-p", 25, [1e-20, 0.0, -0.0, 5e-324])
        assert (r.status == 1).all()
        assert kelvora.constants()["Tt"] == 0.01

    def test_saturation_pairs_are_the_saturated_states(self):
        T = np.array([20.0, 100.0, 300.0])
        by_pair = kelvora.state("T-x", T, 0.25)
        assert bits(by_pair) == bits(kelvora.saturated("T", T, quality=0.25))
        by_pressure = kelvora.state("p-x", 10, [0.0, 1.0])
        assert list(by_pressure.phase) == ["Saturated liquid", "Saturated vapour"]
        assert (by_pressure.p == 10).all() and list(by_pressure.x) == [0.0, 1.0]
        assert kelvora.state("T-x", [100.0], [1.5]).status[0] == 1

    def test_props_computes_only_the_named_properties_with_the_same_values(self):
        T = np.linspace(10, 600, 50)
        every = kelvora.state("T-p", T, 50)
        some = kelvora.state("T-p", T, 50, props=("s", "h", "s"))
        assert list(some) == ["s", "h"]
        assert np.array_equal(some.h, every.h) and np.array_equal(some.s, every.s)
        assert np.array_equal(some.phase, every.phase)
        assert list(kelvora.saturated("T", 100, props="lambda")) == ["lambda"]
        with pytest.raises(kelvora.PropertyNameError, match="enthalpy"):
            kelvora.state("T-p", 25, 1, props=["h", "enthalpy"])
        with pytest.raises(ValueError, match="no property"):
            kelvora.state("T-p", 25, 1, props=[])


class TestStatesThatCannotBeBuilt:
    def test_arrays_give_a_status_and_nan_instead_of_raising(self):
        r = kelvora.state("T-p", [25.0, -300.0, np.nan, np.inf, 25.0], [1.0, 1.0, 1.0, 1.0, -np.inf])
        np.testing.assert_array_equal(r.status, [0, 1, 1, 1, 1])
        assert list(r.phase) == ["Subcooled", "Error", "Error", "Error", "Error"]
        for name in r:
            assert np.isnan(r[name][1:]).all(), name

    def test_a_property_that_does_not_exist_for_a_built_state_is_nan(self):
        r = kelvora.state("T-h", [100.0, 100.0], [1500.0, 2680.0])
        np.testing.assert_array_equal(r.status, [0, 0])
        assert r.phase[0] == "Two-phase" and 0 < r.x[0] < 1
        assert np.isnan(r.mu[0]) and np.isnan(r.cp[0]) and r.mu[1] > 0
        assert np.isnan(r.x[1])  # superheated: no vapour fraction

    def test_a_scalar_state_that_cannot_be_built_raises_a_state_error_saying_why(self):
        with pytest.raises(kelvora.StateError, match="out of range"):
            kelvora.state("T-p", 25, 1e6)
        with pytest.raises(ValueError, match="out of range"):
            kelvora.saturated("T", 400)
        with pytest.raises(kelvora.StateError, match="out of range"):
            kelvora.state("T-p", float("nan"), 1)

    def test_a_scalar_two_phase_state_has_nan_transport_properties(self):
        r = kelvora.saturated("T", 100, quality=0.5)
        assert r.status == 0 and np.isnan(r["lambda"]) and r.x == 0.5


class TestBadInput:
    @pytest.mark.parametrize("call, error, message", [
        (lambda: kelvora.state("T-q", 1, 1), ValueError, "unknown pair 'T-q'"),
        (lambda: kelvora.state("T-p", 1, 1, units="metric"), ValueError, "unknown units"),
        (lambda: kelvora.state("T-p", [1, 2], [1, 2, 3]), ValueError, "do not broadcast"),
        (lambda: kelvora.state("T-p", ["a", "b"], 1), TypeError, "number or an array"),
        (lambda: kelvora.state("T-p", [1, None], 1), TypeError, "number or an array"),
        (lambda: kelvora.state("T-p", np.array([1j]), 1), TypeError, "number or an array"),
        (lambda: kelvora.state("T-p", True, 1), TypeError, "number or an array"),
        (lambda: kelvora.state("T-p", [[1, 2], [3]], 1), TypeError, "number or an array"),
        (lambda: kelvora.state("T-p", 25, 1)["enthalpy"], ValueError, "unknown property"),
        (lambda: kelvora.state("T-p", 25, 1)["enthalpy"], KeyError, "unknown property"),
        (lambda: kelvora.state("T-p", 25, 1).enthalpy, AttributeError, "no property"),
        (lambda: kelvora.state("T-p", [25], 1, workers=0), ValueError, "at least 1"),
        (lambda: kelvora.state("T-p", 25, 1, workers=0), ValueError, "at least 1"),
        (lambda: kelvora.state("T-p", [25], 1, workers=1.5), TypeError, "integer"),
        (lambda: kelvora.saturated("h", 100), ValueError, "use 'T' or 'p'"),
        (lambda: kelvora.saturated("T", 100, phase="gas"), ValueError, "unknown phase"),
        (lambda: kelvora.constants("kelvin"), ValueError, "unknown units"),
    ])
    def test_is_refused_with_a_clear_message(self, call, error, message):
        with pytest.raises(error, match=message):
            call()


class TestWorkers:
    @pytest.fixture(scope="class")
    def sweep(self):
        """20 000 states from 1 °C to 800 °C and 0.01 to 400 bar, some in two phases by p-h."""
        rng = np.random.default_rng(15)
        return rng.uniform(1, 800, 20000), rng.uniform(0.01, 400, 20000)

    def test_any_number_of_workers_gives_the_results_of_one_to_the_last_bit(self, sweep):
        T, p = sweep
        one = bits(kelvora.state("T-p", T, p, workers=1))
        assert bits(kelvora.state("T-p", T, p, workers=3)) == one
        assert bits(kelvora.state("T-p", T, p)) == one

    def test_calls_from_several_python_threads_at_once_give_the_results_of_one(self, sweep):
        T, p = sweep
        h = kelvora.state("T-p", T[:4000], p[:4000], workers=1).h
        expected = bits(kelvora.state("p-h", p[:4000], h, workers=1))
        results = [None] * 4

        def run(i):
            results[i] = bits(kelvora.state("p-h", p[:4000], h, workers=2))

        threads = [threading.Thread(target=run, args=(i,)) for i in range(4)]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        assert all(r == expected for r in results)

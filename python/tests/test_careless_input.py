"""What a careless or hostile caller may hand the module: every pickle protocol, objects made
without a result, Ctrl-C in a long call, attempts to write a result, odd worker counts and the
numbers float() reads."""
import copy
import decimal
import fractions
import os
import pickle
import signal
import subprocess
import sys
import textwrap
import time

import numpy as np
import pytest

import kelvora


class TestPickle:
    @pytest.mark.parametrize("protocol", range(pickle.HIGHEST_PROTOCOL + 1))
    def test_every_protocol_round_trips_scalars_and_arrays(self, protocol):
        for r in (kelvora.state("T-p", 25, 1), kelvora.state("T-p", [25.0, -300.0], 1)):
            back = pickle.loads(pickle.dumps(r, protocol=protocol))
            assert list(back) == list(r)
            for name in r:
                assert np.array_equal(back[name], r[name], equal_nan=True), name
            assert np.array_equal(back.phase, r.phase) and np.array_equal(back.status, r.status)
        assert copy.deepcopy(r).h[0] == r.h[0]

    def test_an_unpickled_result_is_read_only_too(self):
        back = pickle.loads(pickle.dumps(kelvora.state("T-p", [25.0], 1)))
        with pytest.raises(ValueError, match="read-only"):
            back.h[0] = 0


class TestUninitialisedState:
    @pytest.mark.parametrize("use", [
        lambda s: s.rho, lambda s: s["h"], lambda s: s.phase, lambda s: s.status, repr, len,
        list, lambda s: "h" in s, lambda s: pickle.dumps(s), dir])
    def test_raises_type_error(self, use):
        with pytest.raises(TypeError, match="never initialised"):
            use(kelvora.State.__new__(kelvora.State))


class TestReadOnly:
    def test_result_arrays_cannot_be_changed_in_place(self):
        w = kelvora.state("T-p", [25.0, 30.0], 1)
        h = w.h
        with pytest.raises(ValueError, match="read-only"):
            h -= 100
        for array in (w["h"], w.status, w.phase_code, w.phase):
            with pytest.raises(ValueError, match="read-only"):
                array[0] = array[1]
        assert w.h[0] == kelvora.state("T-p", 25, 1).h
        changed = w.h.copy()
        changed -= 100  # a copy is the caller's own

    def test_the_property_table_cannot_be_changed(self):
        with pytest.raises(TypeError):
            kelvora.properties["h"] = {}
        with pytest.raises(TypeError):
            kelvora.properties["h"]["si"] = "J/kg"
        assert kelvora.properties["h"]["si"] == "kJ/kg"


class TestPhaseCodes:
    def test_phase_words_are_the_names_of_the_one_byte_codes(self):
        r = kelvora.saturated("T", [100.0, 100.0, 100.0, 500.0], quality=[0.0, 0.5, 1.0, 0.5])
        assert r.phase_code.dtype == np.uint8
        assert list(r.phase) == [kelvora.PHASES[c] for c in r.phase_code]
        assert list(r.phase) == ["Saturated liquid", "Two-phase", "Saturated vapour", "Error"]
        one = kelvora.state("T-p", 25, 1)
        assert kelvora.PHASES[one.phase_code] == one.phase == "Subcooled"


class TestWorkers:
    def test_numpy_integers_are_integers(self):
        r = kelvora.state("T-p", np.linspace(10, 90, 5000), 1, workers=np.int64(2))
        assert (r.status == 0).all()

    @pytest.mark.parametrize("workers, error, message", [
        (10**20, ValueError, "too large"), (-(10**20), ValueError, "at least 1"),
        (np.int64(0), ValueError, "at least 1"), (True, TypeError, "integer"),
        (np.bool_(True), TypeError, "integer"), ("2", TypeError, "not str")])
    def test_bad_counts_are_refused(self, workers, error, message):
        with pytest.raises(error, match=message):
            kelvora.state("T-p", [25.0], 1, workers=workers)

    def test_a_huge_count_starts_no_more_threads_than_there_are_cores(self):
        # The threads of a call come and go inside it; a watcher reads the process's thread
        # count from the kernel while the call runs. The calling thread takes a share itself.
        probe = textwrap.dedent("""
            import os, threading, time, numpy, kelvora
            h = numpy.linspace(100, 3500, 40000)
            peak, done = [0], threading.Event()
            def watch():
                while not done.is_set():
                    peak[0] = max(peak[0], len(os.listdir("/proc/self/task")))
                    time.sleep(0.001)
            watcher = threading.Thread(target=watch)
            watcher.start()
            time.sleep(0.05)
            before = peak[0]
            kelvora.state("p-h", 10, h, workers=10**6)
            done.set()
            watcher.join()
            print(peak[0] - before, len(os.sched_getaffinity(0)))
        """)
        out = subprocess.run([sys.executable, "-c", probe], check=True, capture_output=True,
                             text=True, env=os.environ).stdout.split()
        started, cores = int(out[0]), int(out[1])
        assert started <= cores - 1


class TestNumbers:
    @pytest.mark.parametrize("value", [
        decimal.Decimal("25"), fractions.Fraction(50, 2), 25, np.float32(25),
        type("Celsius", (), {"__float__": lambda self: 25.0})()])
    def test_what_float_reads_is_a_number(self, value):
        assert kelvora.state("T-p", value, 1).h == kelvora.state("T-p", 25.0, 1).h

    def test_object_arrays_are_read_element_by_element(self):
        r = kelvora.state("T-p", [decimal.Decimal(25), fractions.Fraction(30)], 10**20 // 10**20)
        np.testing.assert_array_equal(r.h, kelvora.state("T-p", [25.0, 30.0], 1).h)

    def test_an_int_beyond_a_float_is_an_overflow_naming_the_input(self):
        with pytest.raises(OverflowError, match=r"^b = 1000.*\(int\) is too large for a float"):
            kelvora.state("T-p", 25, 10**400)

    @pytest.mark.parametrize("value, type_name", [
        ("25", "str"), (b"25", "bytes"), (None, "NoneType"), (object(), "object"),
        ([1.0, "2"], "<U"), ([decimal.Decimal(1), None], "NoneType")])
    def test_anything_else_is_a_type_error_naming_its_type(self, value, type_name):
        with pytest.raises(TypeError, match=f"not {type_name}"):
            kelvora.state("T-p", value, 1)


class TestInterruption:
    def test_ctrl_c_in_an_argument_conversion_comes_through_as_itself(self):
        class Interrupts:
            def __array__(self, dtype=None):
                raise KeyboardInterrupt

        with pytest.raises(KeyboardInterrupt):
            kelvora.state("T-p", Interrupts(), 1)

    @pytest.mark.parametrize("workers", [1, 2])
    def test_ctrl_c_stops_a_long_vector_call_within_a_fifth_of_a_second(self, workers):
        # Four million p-h states (liquid, wet and superheated) take several seconds on one core;
        # only their temperatures are kept.
        child = textwrap.dedent(f"""
            import sys, time, numpy, kelvora
            h = numpy.linspace(100, 3500, 4000000)
            print("ready", flush=True)
            try:
                kelvora.state("p-h", 10, h, props=("T",), workers={workers})
                print("finished", flush=True)
            except KeyboardInterrupt:
                print(time.monotonic(), flush=True)
        """)
        process = subprocess.Popen([sys.executable, "-c", child], stdout=subprocess.PIPE,
                                   text=True, env=os.environ)
        try:
            assert process.stdout.readline().strip() == "ready"
            time.sleep(0.5)
            sent = time.monotonic()
            process.send_signal(signal.SIGINT)
            answer = process.stdout.readline().strip()
        finally:
            process.kill()
            process.wait()
        assert answer != "finished"
        assert float(answer) - sent < 0.2

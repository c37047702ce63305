#!/usr/bin/python3
"""Time kelvora.state over arrays: 10^6 temperature-pressure states and 10^5 pressure-enthalpy
states, with one worker and with two, in µs per state: wall time, and the processor time of all
threads together, which a busy shared machine inflates far less (best of a few runs).

    PYTHONPATH=build/default/python python/bench.py [--scale 0.1] [--repeat 3]
"""
import argparse
import time

import numpy as np

import kelvora


def grid(lo_a, hi_a, lo_b, hi_b, count):
    """A square grid of about `count` states, the first input varying slowest, as in a table."""
    side = max(1, round(count ** 0.5))
    a, b = np.meshgrid(np.linspace(lo_a, hi_a, side), np.linspace(lo_b, hi_b, side),
                       indexing="ij")
    return a.ravel(), b.ravel()


def per_state(pair, a, b, workers, repeat):
    wall = cpu = float("inf")
    for _ in range(repeat):
        start, start_cpu = time.perf_counter(), time.process_time()
        result = kelvora.state(pair, a, b, workers=workers)
        wall = min(wall, time.perf_counter() - start)
        cpu = min(cpu, time.process_time() - start_cpu)
    built = np.count_nonzero(result.status == 0)
    return wall / a.size * 1e6, cpu / a.size * 1e6, built


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scale", type=float, default=1.0, help="fraction of the state counts")
    parser.add_argument("--repeat", type=int, default=3, help="runs per figure, best kept")
    args = parser.parse_args()
    cases = [
        # 1 to 800 °C and 0.1 to 500 bar: liquid, vapour and supercritical states.
        ("T-p", grid(1.0, 800.0, 0.1, 500.0, int(1e6 * args.scale))),
        # 1 to 200 bar and 100 to 3500 kJ/kg: liquid, two-phase and superheated states.
        ("p-h", grid(1.0, 200.0, 100.0, 3500.0, int(1e5 * args.scale))),
    ]
    print(f"kelvora {kelvora.__version__}: µs per state, all 27 properties, best of {args.repeat}")
    for pair, (a, b) in cases:
        for workers in (1, 2):
            wall, cpu, built = per_state(pair, a, b, workers, args.repeat)
            print(f"{pair}  {a.size:>8} states  {workers} worker{'s' if workers > 1 else ' '}"
                  f"  wall {wall:7.2f} µs/state  processor {cpu:7.2f} µs/state  ({built} built)")


if __name__ == "__main__":
    main()

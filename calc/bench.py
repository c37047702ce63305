#!/usr/bin/python3
"""Time a Calc sheet of 10 000 KELVORA("h";"T-p";A;B) formulas, each on its own state, in a
headless LibreOffice with the built extension: the first calculation of the whole sheet (no state
computed before), then hard recalculations (every formula again, its states already known to the
add-in), then the same table as one array formula. Wall time and the office's processor time
(best of the runs).

    cmake --build --preset default --target kelvora_calc kelvora_python
    PYTHONPATH=build/default/python calc/bench.py build/default/calc/kelvora-2.0.oxt [--rows 10000]
"""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "tests"))
import office  # noqa: E402


def cpu_seconds(pid):
    """The processor time of a process and of its children (soffice starts soffice.bin)."""
    total = 0.0
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(entry) == pid:
            total += (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        elif int(fields[1]) == pid:
            total += cpu_seconds(int(entry))
    return total


def timed(document, pid):
    start, start_cpu = time.perf_counter(), cpu_seconds(pid)
    document.calculateAll()
    return time.perf_counter() - start, cpu_seconds(pid) - start_cpu


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("oxt")
    parser.add_argument("--rows", type=int, default=10000)
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()

    with office.spreadsheet(args.oxt) as (_, document, pid):
        sheet = document.Sheets.getByIndex(0)
        # Temperatures 1-600 °C down the rows at pressures from 1 bar up: liquid, vapour and
        # supercritical states, none twice.
        rows = tuple(
            (1.0 + i % 600, 1.0 + i // 600 * 10.0, f'=KELVORA("h";"T-p";A{i + 1};B{i + 1})')
            for i in range(args.rows)
        )
        document.enableAutomaticCalculation(False)
        sheet.getCellRangeByPosition(0, 0, 2, args.rows - 1).setFormulaArray(rows)
        first = timed(document, pid)
        again = min(timed(document, pid) for _ in range(args.repeat))
        errors = sum(1 for i in range(args.rows) if sheet.getCellByPosition(2, i).getError())
        # The same table as one array formula in place of the formulas.
        formulas = sheet.getCellRangeByPosition(2, 0, 2, args.rows - 1)
        formulas.clearContents(1023)
        formulas.setArrayFormula(f'=KELVORA("h";"T-p";A1:A{args.rows};B1:B{args.rows})')
        array = min(timed(document, pid) for _ in range(args.repeat))
    print(f"{args.rows} formulas ({errors} error cells)")
    print(f"first calculation: {first[0]:.3f} s wall, {first[1]:.2f} s office CPU")
    print(f"recalculation:     {again[0]:.3f} s wall, {again[1]:.2f} s office CPU")
    print(f"one array formula: {array[0]:.3f} s wall, {array[1]:.2f} s office CPU")


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Checks an unpacked libreoffice-kelvora as an office would find it installed: with its folder
among the bundled extensions, a new sheet answers =KELVORA("h";"T-p";200;10) with the number
kelvora-cli prints; once the folder is gone, the office forgets the function in the same user
profile, as after removing the package.

    check_installed.py EXTENSIONS_FOLDER EXPECTED_NUMBER
"""
import os
import shutil
import sys
import tempfile

import office

FORMULA = '=KELVORA("h";"T-p";200;10)'
NO_NAME = 525  # #NAME?


def computed(user, bundled):
    with office.office_document(user, bundled) as (_, document, _):
        cell = document.Sheets.getByIndex(0).getCellByPosition(0, 0)
        cell.setFormula(FORMULA)
        document.calculateAll()
        return cell.getValue(), cell.getError()


def main():
    bundled, expected = sys.argv[1], float(sys.argv[2])
    folder = os.path.join(bundled, "kelvora")
    if not os.path.isdir(folder):
        sys.exit(f"check_installed: no extension folder {folder}")
    profile = tempfile.mkdtemp(prefix="kelvora-installed-")
    try:
        user = os.path.join(profile, "user")
        value, error = computed(user, bundled)
        if error or repr(value) != repr(expected):
            sys.exit(f"check_installed: {FORMULA} gave {value!r} (error {error}), not {expected!r}")
        shutil.move(folder, os.path.join(profile, "removed"))
        try:
            _, error = computed(user, bundled)
        finally:
            shutil.move(os.path.join(profile, "removed"), folder)
        if error != NO_NAME:
            sys.exit(f"check_installed: without the extension {FORMULA} gave error {error}, "
                     "not #NAME?")
    finally:
        shutil.rmtree(profile, ignore_errors=True)
    print(f"check_installed: {FORMULA} = {value!r}; gone with the extension")


if __name__ == "__main__":
    main()

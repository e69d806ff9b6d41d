#!/usr/bin/python3
"""Opens the .xlsx workbooks kovrel-cli wrote with a real spreadsheet reader
(openpyxl) and checks their cells for the three layouts.

Usage: check_xlsx.py KOVREL_CLI HOLE_DATA_FILE WORK_FOLDER
Exit 77 (skipped) when openpyxl is not installed.
"""
import os
import subprocess
import sys

try:
    import openpyxl
except ImportError:
    print("openpyxl is not installed: skipped")
    sys.exit(77)

cli, data, work = sys.argv[1:4]
os.makedirs(work, exist_ok=True)

expected = {
    "A": {(1, 1): "T01", (1, 2): "φ0.80", (2, 3): "X", (2, 4): 12.5, (2, 5): "Y", (2, 6): -3.0, (2, 7): 1,
          (3, 4): 0.25, (3, 6): 7.125, (3, 7): 2, (4, 1): "T02", (4, 2): None, (5, 4): 100.0, (5, 7): 1},
    "B": {(1, 1): "T01", (1, 2): "φ0.80", (2, 3): "X12.5 ", (2, 4): "Y-3.0", (2, 5): 1, (3, 3): "X0.25 ",
          (3, 4): "Y7.125", (3, 5): 2, (4, 1): "T02", (5, 3): "X100.0 ", (5, 5): 1},
    "C": {(1, 1): "T01", (2, 3): "X12.5 Y-3.0", (2, 4): 1, (3, 3): "X0.25 Y7.125", (3, 4): 2, (4, 1): "T02",
          (5, 3): "X100.0 Y0.0", (5, 4): 1, (5, 5): None},
}

failures = 0
for layout, cells in expected.items():
    path = os.path.join(work, f"holes-{layout}.xlsx")
    subprocess.run([cli, "holes-to-xlsx", "--layout", layout, data, "-o", path], check=True)
    sheet = openpyxl.load_workbook(path).active
    for (row, column), want in cells.items():
        got = sheet.cell(row=row, column=column).value
        if isinstance(want, (int, float)) and not isinstance(got, (int, float)):
            ok = False
        else:
            ok = got == want
        if not ok:
            failures += 1
            print(f"layout {layout} cell ({row},{column}): got {got!r}, want {want!r}")
    if sheet.max_row != 5:
        failures += 1
        print(f"layout {layout}: {sheet.max_row} rows, want 5")
print("3 layouts checked" if failures == 0 else f"{failures} cells differ")
sys.exit(1 if failures else 0)

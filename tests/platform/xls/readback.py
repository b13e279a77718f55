#!/usr/bin/python3
"""Reads back every exports/NAME.xls beside its NAME.expect with two readers
nobody here wrote, xlrd and LibreOffice's conversion to CSV, and checks each
cell: its type and value as xlrd reads it, its shown text as LibreOffice
writes it (in the locale the export was made in). Exits non-zero on the
first file that differs."""
import csv
import datetime
import os
import shutil
import subprocess
import sys
import tempfile

import xlrd

LOCALES = {"id": "id_ID.UTF-8", "en": "en_US.UTF-8"}
CSV_FILTER = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"


def unescape(s):
    out, i = [], 0
    while i < len(s):
        if s[i] == "\\" and i + 1 < len(s):
            out.append({"n": "\n", "t": "\t", "\\": "\\"}[s[i + 1]])
            i += 2
        else:
            out.append(s[i])
            i += 1
    return "".join(out)


def read_expect(path):
    locale, cells = None, {}
    with open(path, encoding="utf-8", newline="\n") as f:
        for line in f.read().split("\n"):
            if not line:
                continue
            parts = line.split("\t")
            if parts[0] == "locale":
                locale = parts[1]
            else:
                r, c = int(parts[1]), int(parts[2])
                cells[(r, c)] = (parts[3], unescape(parts[4]), unescape(parts[5]))
    return locale, cells


def date_text(book, value):
    if value < 61:  # xlrd will not read the days before the sheet's 29 February 1900
        d = datetime.datetime(1899, 12, 31) + datetime.timedelta(days=value)
        t = (d.year, d.month, d.day, d.hour, d.minute, d.second)
    else:
        t = xlrd.xldate_as_tuple(value, book.datemode)
    s = "%02d/%02d/%04d" % (t[2], t[1], t[0])
    if t[3] or t[4] or t[5]:
        s += " %02d:%02d" % (t[3], t[4])
        if t[5]:
            s += ":%02d" % t[5]
    return s


def check_xlrd(path, cells, errors):
    try:
        book = xlrd.open_workbook(path, formatting_info=True)
    except Exception as e:  # a file xlrd refuses is a failed export, not a failed check
        errors.append("xlrd cannot read it: %s: %s" % (type(e).__name__, e))
        return
    if book.nsheets != 1:
        errors.append("%d sheets" % book.nsheets)
    sheet = book.sheet_by_index(0)
    rows = max((r for r, _ in cells), default=0)
    cols = max((c for _, c in cells), default=0)
    if (sheet.nrows, sheet.ncols) != (rows, cols):
        errors.append("xlrd: %dx%d cells, expected %dx%d" % (sheet.nrows, sheet.ncols, rows, cols))
        return
    for r in range(rows):
        for c in range(cols):
            cell = sheet.cell(r, c)
            want = cells.get((r + 1, c + 1))
            place = "xlrd (%d,%d)" % (r + 1, c + 1)
            if want is None:
                if cell.ctype not in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                    errors.append("%s: %r, expected an empty cell" % (place, cell.value))
                continue
            kind, value, _ = want
            if kind == "text":
                ok = cell.ctype == xlrd.XL_CELL_TEXT and cell.value == value
            elif kind == "number":
                ok = cell.ctype == xlrd.XL_CELL_NUMBER and cell.value == float(value)
            else:
                ok = cell.ctype == xlrd.XL_CELL_DATE and date_text(book, cell.value) == value
            if not ok:
                errors.append("%s: type %d %r, expected %s %r" % (place, cell.ctype, cell.value, kind, value))
            if len(errors) > 20:
                return
    # Fitted columns are at least as wide as their longest text needs.
    longest_of = {}
    for (r, c), w in cells.items():
        if "\n" not in w[2]:
            longest_of[c] = max(longest_of.get(c, 0), len(w[2]))
    for c in range(cols):
        longest = longest_of.get(c + 1, 0)
        info = sheet.colinfo_map.get(c)
        if info is not None and info.width != 2340 and longest and not (
                longest * 0.4 * 256 <= info.width <= (longest * 1.3 + 2) * 256):
            errors.append("column %d: width %d for a longest text of %d characters" % (c + 1, info.width, longest))


def check_libreoffice(path, locale, cells, errors):
    work = tempfile.mkdtemp(prefix="xlsread-")
    try:
        env = dict(os.environ, LANG=LOCALES[locale], LC_ALL=LOCALES[locale])
        subprocess.run(["soffice", "-env:UserInstallation=file://" + work + "/profile", "--headless",
                        "--convert-to", CSV_FILTER, "--outdir", work, path],
                       env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=900,
                       stdin=subprocess.DEVNULL, check=True)
        name = os.path.splitext(os.path.basename(path))[0] + ".csv"
        out = os.path.join(work, name)
        rows = []
        if os.path.exists(out):
            with open(out, encoding="utf-8", newline="") as f:
                rows = list(csv.reader(f))
        elif cells:
            errors.append("LibreOffice wrote no CSV")
            return
        while rows and not any(rows[-1]):  # an empty sheet still gives one empty line
            rows.pop()
        want_rows = max((r for r, _ in cells), default=0)
        if len(rows) != want_rows:
            errors.append("LibreOffice: %d rows, expected %d" % (len(rows), want_rows))
            return
        widths = {}
        for (r, c) in cells:
            widths[r] = max(widths.get(r, 0), c)
        for r, row in enumerate(rows):
            width = widths.get(r + 1, 0)
            for c in range(max(len(row), width)):
                got = row[c] if c < len(row) else ""
                want = cells.get((r + 1, c + 1), ("", "", ""))[2]
                if got != want:
                    errors.append("LibreOffice (%d,%d): %r, expected %r" % (r + 1, c + 1, got, want))
                    if len(errors) > 20:
                        return
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    folder = sys.argv[1]
    names = sorted(n[:-7] for n in os.listdir(folder) if n.endswith(".expect"))
    if not names:
        print("no exports in", folder)
        return 1
    failed = 0
    for name in names:
        locale, cells = read_expect(os.path.join(folder, name + ".expect"))
        path = os.path.join(folder, name + ".xls")
        errors = []
        check_xlrd(path, cells, errors)
        check_libreoffice(path, locale, cells, errors)
        print("%-14s %6d cells  %s" % (name, len(cells), "ok" if not errors else "FAILED"))
        for e in errors[:20]:
            print("   ", e)
        failed += bool(errors)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
# Reads a written .xls back with xlrd and writes every cell of its first
# sheet, one a line: row, column (both from 1), kind and value, tab-separated.
# Kinds: text, number, date (written dd/mm/yyyy), empty. Tabs, line breaks and
# backslashes inside values are escaped as \t, \n, \r and \\.
import sys

import xlrd


def escape(s):
    return s.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r")


def main(path, out):
    book = xlrd.open_workbook(path, formatting_info=True)
    sheet = book.sheet_by_index(0)
    lines = [f"sheets\t{book.nsheets}", f"size\t{sheet.nrows}\t{sheet.ncols}"]
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_TEXT:
                kind, value = "text", cell.value
            elif cell.ctype == xlrd.XL_CELL_NUMBER:
                kind, value = "number", repr(cell.value)
            elif cell.ctype == xlrd.XL_CELL_DATE:
                y, m, d, _, _, _ = xlrd.xldate_as_tuple(cell.value, book.datemode)
                kind, value = "date", f"{d:02d}/{m:02d}/{y:04d}"
            elif cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                kind, value = "empty", ""
            else:
                kind, value = "other", repr(cell.value)
            lines.append(f"{r + 1}\t{c + 1}\t{kind}\t{escape(value)}")
    with open(out + ".part", "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    import os
    os.replace(out + ".part", out)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

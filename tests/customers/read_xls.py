#!/usr/bin/python3
"""Writes what xlrd reads of an .xls file's first sheet: one line per cell,
"row<TAB>column<TAB>kind<TAB>value", rows and columns from 1, kind "text",
"number" or "empty". Usage: read_xls.py file.xls out.txt"""
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1])
sheet = book.sheet_by_index(0)
kinds = {xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number"}
with open(sys.argv[2], "w", encoding="utf-8") as out:
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            kind = kinds.get(cell.ctype, "empty")
            value = cell.value
            if kind == "number" and value == int(value):
                value = int(value)
            out.write("%d\t%d\t%s\t%s\n" % (r + 1, c + 1, kind, value))

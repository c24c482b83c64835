#!/usr/bin/python3
"""Writes a workbook of 100,000 rows x 10 columns, short Chinese texts and numbers in
turn, to the path given, for timing workbook readers on a large file. It is made on
demand because such a file is too big to keep in the repository.

Usage: bench/make_big_workbook.py /tmp/big/big.xlsx
"""
import sys

from openpyxl import Workbook

ROWS = 100_000
COLUMNS = 10
WORDS = ("北京", "上海", "广州", "深圳", "报销", "差旅", "住宿", "餐费", "合计", "备注")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    # Write-only mode streams each row to the file instead of keeping a million cells.
    book = Workbook(write_only=True)
    sheet = book.create_sheet("数据")
    for row in range(ROWS):
        sheet.append([f"{WORDS[(row + column) % len(WORDS)]}{row}" if column % 2 == 0
                      else row * 10 + column + 0.5
                      for column in range(COLUMNS)])
    book.save(sys.argv[1])


if __name__ == "__main__":
    main()

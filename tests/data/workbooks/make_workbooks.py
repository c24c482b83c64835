#!/usr/bin/python3
"""Writes the workbooks and text tables that the workbook reader's tests open.

None of them is written by our own code: openpyxl writes the workbooks a library would
hand us, LibreOffice (headless) converts them the way an office suite saves them, and
the broken files are cut or faked here so that the reader meets what users meet.

Run it from anywhere; it writes next to itself. It needs openpyxl (Debian: python3-openpyxl)
and soffice (Debian: libreoffice-calc-nogui). See README.md for what each file holds.
"""
import base64
import datetime
import pathlib
import random
import shutil
import struct
import subprocess
import tempfile
import zlib

from openpyxl import Workbook
from openpyxl.chart import BarChart, Reference
from openpyxl.comments import Comment
from openpyxl.drawing.image import Image
from openpyxl.formatting.rule import CellIsRule
from openpyxl.styles import Alignment, Border, Font, PatternFill, Side

HERE = pathlib.Path(__file__).resolve().parent

# Fixed document times, so that remaking the files changes only what the libraries
# cannot keep still (the times of the zip entries).
DOCUMENT_TIME = datetime.datetime(2024, 3, 1, 9, 0, 0)

# LibreOffice's text filter options: comma separator, double quote, UTF-8 (76), start at
# line 1. On export, the texts are written as the cells show them.
CSV_OPTIONS = "44,34,76,1"


def fixed_times(book):
    book.properties.created = DOCUMENT_TIME
    book.properties.modified = DOCUMENT_TIME
    book.properties.creator = "make_workbooks.py"


def write_form(path):
    """An expense form that uses a little of every cell property the reader keeps."""
    book = Workbook()
    fixed_times(book)
    sheet = book.active
    sheet.title = "报销单"

    thin = Side(style="thin", color="000000")
    thick = Side(style="thick", color="000000")
    dashed = Side(style="dashed", color="000000")
    yellow = PatternFill(fill_type="solid", fgColor="FFFF00")

    sheet["A1"] = "差旅费报销单"
    sheet.merge_cells("A1:E1")
    sheet["A1"].font = Font(name="黑体", size=16, bold=True)
    sheet["A1"].alignment = Alignment(horizontal="center", vertical="center")

    for column, text in zip("ABCDE", ("项目 Item", "金额", "数量", "比例", "日期")):
        cell = sheet[column + "2"]
        cell.value = text
        cell.font = Font(bold=True)
        cell.fill = yellow
        cell.alignment = Alignment(horizontal="center", vertical="center")

    rows = (
        ("火车票 Beijing-Shanghai", 1553.5, "#,##0.00", 2, 0.25, "0%",
         datetime.date(2024, 3, 5), "yyyy-mm-dd"),
        ("住宿 Hotel", 12800, "#,##0", 3, 0.125, "0.0%",
         datetime.date(2024, 3, 6), 'yyyy"年"m"月"d"日"'),
        ("餐费 Meals", 86.4, "0.00", 5, 0.0625, "0.0%",
         datetime.datetime(2024, 3, 7, 14, 30), "yyyy-mm-dd hh:mm"),
    )
    for number, (item, amount, amount_format, count, share, share_format, when,
                 when_format) in enumerate(rows, start=3):
        sheet.cell(number, 1, item).alignment = Alignment(horizontal="left", vertical="top")
        cell = sheet.cell(number, 2, amount)
        cell.number_format = amount_format
        cell.alignment = Alignment(horizontal="right")
        sheet.cell(number, 3, count)
        sheet.cell(number, 4, share).number_format = share_format
        # openpyxl gives a date its own default format on assignment, so the wanted one
        # is set afterwards.
        sheet.cell(number, 5, when).number_format = when_format

    sheet["A6"] = "合计 Total"
    sheet["A6"].font = Font(bold=True)
    sheet["B6"] = "=SUM(B3:B5)"
    sheet["B6"].number_format = "#,##0.00"
    sheet["B6"].alignment = Alignment(horizontal="right")
    sheet["C6"] = "=SUM(C3:C5)"
    sheet["D6"] = "=B3/B6"
    sheet["D6"].number_format = "0.0%"
    sheet["E6"] = True

    for row in sheet["A2:E6"]:
        for cell in row:
            cell.border = Border(left=thin, right=thin, top=thin, bottom=thin)
    for cell in sheet["A6:E6"][0]:
        cell.border = Border(left=thin, right=thin, top=thin, bottom=thick)

    sheet["A7"] = "审批意见：同意"
    sheet.merge_cells("A7:B8")
    sheet["A7"].alignment = Alignment(horizontal="center", vertical="center")
    sheet["A7"].border = Border(diagonal=thin, diagonalDown=True)

    sheet["C7"] = "经办人 Clerk"
    sheet["C7"].font = Font(italic=True, underline="single")
    sheet["C7"].alignment = Alignment(horizontal="left", vertical="top")
    sheet["D7"] = "Arial 9"
    sheet["D7"].font = Font(name="Arial", size=9, strike=True)
    sheet["D7"].alignment = Alignment(horizontal="right", vertical="bottom")
    sheet["E7"] = datetime.time(9, 15)
    sheet["E7"].number_format = "hh:mm"
    sheet["E7"].font = Font(color="FF0000")

    sheet["C8"] = "张三"
    sheet["D8"] = -42
    sheet["E8"] = "备注 note"
    for cell in sheet["C8:E8"][0]:
        cell.border = Border(bottom=dashed)

    for column, width in zip("ABCDE", (20, 12.5, 8, 10, 18)):
        sheet.column_dimensions[column].width = width
    sheet.row_dimensions[1].height = 30
    sheet.row_dimensions[8].height = 12

    sheet.freeze_panes = "B3"

    sheet.page_setup.orientation = "landscape"
    sheet.page_setup.paperSize = sheet.PAPERSIZE_A4
    sheet.page_margins.left = 1.0
    sheet.page_margins.right = 1.0
    sheet.page_margins.top = 0.5
    sheet.page_margins.bottom = 0.5

    book.save(path)


def write_two_sheets(path):
    """Two sheets of the same weight, so that the reader has to ask which one to open."""
    book = Workbook()
    fixed_times(book)
    january = book.active
    january.title = "一月"
    for row in (("项目", "金额"), ("房租", 3000), ("水电", 215.5)):
        january.append(row)
    february = book.create_sheet("二月")
    for row in (("项目", "金额"), ("房租", 3000), ("网费 Internet", 99)):
        february.append(row)
    book.save(path)


def tiny_png(width, height, rgb):
    """A one-colour PNG, made by hand because Pillow may be absent."""

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    pixels = b"".join(b"\x00" + bytes(rgb) * width for _ in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(pixels)) + chunk(b"IEND", b""))


class PngImage(Image):
    """An image that openpyxl places without Pillow: Pillow is needed only to learn the
    size and format, which are known here."""

    def __init__(self, data, width, height):
        self.ref = None
        self.png = data
        self.width = width
        self.height = height
        self.format = "png"

    def _data(self):
        return self.png


def write_lost(path):
    """A sheet with things a table cannot hold: a comment, a conditional format, an
    image and a chart. The reader keeps the cells and lists what it left out."""
    book = Workbook()
    fixed_times(book)
    sheet = book.active
    sheet.title = "销量"
    for row in (("月份", "销量"), ("一月", 120), ("二月", 80), ("三月", 150), ("四月", 95)):
        sheet.append(row)
    sheet["A1"].comment = Comment("按月统计 counted per month", "审核人")
    sheet.conditional_formatting.add(
        "B2:B5", CellIsRule(operator="greaterThan", formula=["100"],
                            fill=PatternFill(fill_type="solid", fgColor="FFC7CE")))
    sheet.add_image(PngImage(tiny_png(16, 16, (200, 30, 30)), 16, 16), "D1")

    chart = BarChart()
    chart.title = "销量"
    chart.add_data(Reference(sheet, min_col=2, min_row=1, max_row=5), titles_from_data=True)
    chart.set_categories(Reference(sheet, min_col=1, min_row=2, max_row=5))
    sheet.add_chart(chart, "D4")
    book.save(path)


# Records end in CR LF and in LF alike; the third record's note is quoted and runs over
# two lines (CR LF inside the quotes); 臺 is in GBK but not in GB2312.
CSV_TEXT = ("编号,名称,备注,金额\r\n"
            '1,"北京, 朝阳区","他说""你好""",1200.5\n'
            '2,上海,"第一行\r\n第二行",300\r\n'
            '3,"臺北, Taipei",plain ASCII,-45\n')


def write_csv_files():
    (HERE / "table.csv").write_bytes(CSV_TEXT.encode("utf-8-sig"))
    (HERE / "table-gbk.csv").write_bytes(CSV_TEXT.encode("gbk"))


def write_not_a_workbook(path):
    path.write_text("这不是工作簿，只是一段文字。\nThis is plain text, not a workbook.\n",
                    encoding="utf-8")


def write_damaged(path, whole):
    data = whole.read_bytes()
    path.write_bytes(data[:len(data) // 2])


def compound_file(streams):
    """A compound file (the container of old office files and of encrypted workbooks)
    holding the given streams at its top level: the small ones in the mini stream, the
    others in sectors of their own, as an office suite lays them out."""
    sector = 512
    mini_sector = 64
    mini_cutoff = 4096
    free, end, fat_mark, no_entry = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFF

    def padded(data, size):
        return data + b"\x00" * (-len(data) % size)

    def chain(first, count):
        return [first + step + 1 for step in range(count - 1)] + [end]

    small = [(name, data) for name, data in streams if len(data) < mini_cutoff]
    large = [(name, data) for name, data in streams if len(data) >= mini_cutoff]

    mini_stream = b""
    mini_fat = []
    starts = {}
    for name, data in small:
        starts[name] = len(mini_stream) // mini_sector
        mini_fat += chain(starts[name], len(padded(data, mini_sector)) // mini_sector)
        mini_stream += padded(data, mini_sector)

    # Sector 0 holds the allocation table, 1 the directory, 2 the mini allocation table,
    # then come the mini stream and the large streams.
    fat = [fat_mark, end, end]
    mini_stream_start = len(fat)
    fat += chain(mini_stream_start, len(padded(mini_stream, sector)) // sector)
    body = padded(mini_stream, sector)
    for name, data in large:
        starts[name] = len(fat)
        fat += chain(starts[name], len(padded(data, sector)) // sector)
        body += padded(data, sector)
    if len(fat) > sector // 4 or len(mini_fat) > sector // 4 or len(streams) > 3:
        raise ValueError("the streams need more than one sector of tables or directory")

    def entry(name, kind, right, child, start, size):
        encoded = (name + "\0").encode("utf-16-le") if name else b""
        return struct.pack("<64sHBBIII16sIQQIQ", encoded, len(encoded), kind, 1 if name else 0,
                           no_entry, right, child, b"", 0, 0, 0, start, size)

    # The directory is a tree ordered by name length, then name; the streams are placed
    # as a chain of right siblings below the root, in that order.
    ordered = sorted(streams, key=lambda item: (len(item[0]), item[0].upper()))
    entries = [entry("Root Entry", 5, no_entry, 1, mini_stream_start, len(mini_stream))]
    for index, (name, data) in enumerate(ordered, start=1):
        right = index + 1 if index < len(ordered) else no_entry
        entries.append(entry(name, 2, right, no_entry, starts[name], len(data)))
    entries += [entry("", 0, no_entry, no_entry, 0, 0)] * (-len(entries) % 4)

    header = struct.pack("<8s16sHHHHH6sIIIIIIIII", b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", b"",
                         0x3E, 3, 0xFFFE, 9, 6, b"", 0, 1, 1, 0, mini_cutoff, 2, 1, end, 0)
    header += struct.pack("<109I", 0, *([free] * 108))
    fat_sector = struct.pack("<128I", *(fat + [free] * (128 - len(fat))))
    mini_fat_sector = struct.pack("<128I", *(mini_fat + [free] * (128 - len(mini_fat))))
    return header + fat_sector + b"".join(entries) + mini_fat_sector + body


def write_encrypted(path):
    """What a password-protected workbook looks like from outside: a compound file with
    the EncryptionInfo and EncryptedPackage streams instead of a zip. The key data and the
    package are random, so no password opens it; the reader is only to recognise it."""
    noise = random.Random(20240301)

    def base64_noise(count):
        return base64.b64encode(noise.randbytes(count)).decode("ascii")

    description = (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n'
        '<encryption xmlns="http://schemas.microsoft.com/office/2006/encryption" '
        'xmlns:p="http://schemas.microsoft.com/office/2006/keyEncryptor/password">'
        '<keyData saltSize="16" blockSize="16" keyBits="256" hashSize="64" '
        'cipherAlgorithm="AES" cipherChaining="ChainingModeCBC" hashAlgorithm="SHA512" '
        f'saltValue="{base64_noise(16)}"/>'
        f'<dataIntegrity encryptedHmacKey="{base64_noise(64)}" '
        f'encryptedHmacValue="{base64_noise(64)}"/>'
        '<keyEncryptors>'
        '<keyEncryptor uri="http://schemas.microsoft.com/office/2006/keyEncryptor/password">'
        '<p:encryptedKey spinCount="100000" saltSize="16" blockSize="16" keyBits="256" '
        'hashSize="64" cipherAlgorithm="AES" cipherChaining="ChainingModeCBC" '
        f'hashAlgorithm="SHA512" saltValue="{base64_noise(16)}" '
        f'encryptedVerifierHashInput="{base64_noise(16)}" '
        f'encryptedVerifierHashValue="{base64_noise(64)}" '
        f'encryptedKeyValue="{base64_noise(32)}"/>'
        '</keyEncryptor></keyEncryptors></encryption>')
    # Version 4.4 with flag 0x40 is the encryption that current office suites write.
    info = struct.pack("<HHI", 4, 4, 0x40) + description.encode("utf-8")
    package = struct.pack("<Q", 4096) + noise.randbytes(4096)
    path.write_bytes(compound_file([("EncryptionInfo", info), ("EncryptedPackage", package)]))


class Office:
    """soffice with a profile of its own, so that a running office suite or the user's
    settings play no part; one conversion at a time."""

    def __init__(self):
        self.profile = pathlib.Path(tempfile.mkdtemp(prefix="biaoge-workbooks-office-"))

    def close(self):
        shutil.rmtree(self.profile, ignore_errors=True)

    def convert(self, source, target_format, target, input_filter=None):
        with tempfile.TemporaryDirectory(prefix="biaoge-workbooks-out-") as out:
            command = ["soffice", "-env:UserInstallation=" + self.profile.as_uri(), "--headless"]
            if input_filter:
                command.append("--infilter=" + input_filter)
            command += ["--convert-to", target_format, "--outdir", out, str(source)]
            # soffice reports a failed conversion on its output but may still exit with 0,
            # so the produced file is what tells.
            subprocess.run(command, check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            produced = list(pathlib.Path(out).iterdir())
            if len(produced) != 1:
                raise RuntimeError(f"soffice did not convert {source} to {target_format}")
            shutil.move(produced[0], target)


def main():
    write_form(HERE / "form.xlsx")
    write_two_sheets(HERE / "two-sheets.xlsx")
    write_lost(HERE / "lost.xlsx")
    write_csv_files()
    write_not_a_workbook(HERE / "not-a-workbook.xlsx")
    write_damaged(HERE / "damaged.xlsx", HERE / "form.xlsx")
    write_encrypted(HERE / "encrypted.xlsx")

    office = Office()
    try:
        # openpyxl leaves no result in a formula cell; the office suite computes it on
        # loading and saves it, so form-lo.xlsx holds both the formula and its value.
        office.convert(HERE / "form.xlsx", "xlsx", HERE / "form-lo.xlsx")
        office.convert(HERE / "form.xlsx", "ods", HERE / "form.ods")
        office.convert(HERE / "form-lo.xlsx", "csv:Text - txt - csv (StarCalc):" + CSV_OPTIONS,
                       HERE / "form-shown.csv")
        csv_filter = "CSV:" + CSV_OPTIONS
        office.convert(HERE / "table.csv", "xlsx", HERE / "from-csv.xlsx", csv_filter)
        office.convert(HERE / "table.csv", "ods", HERE / "from-csv.ods", csv_filter)
    finally:
        office.close()


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Describes a workbook as "key<TAB>value" lines (line feeds in values written as
\\n), read by a reader of its own, so that the exporter's tests compare what an
office suite would see."""
import re
import sys
import zipfile

import openpyxl


def color_of(color):
    if color is None or color.type != "rgb" or color.rgb is None:
        return "-"
    return color.rgb[-6:]


def describe(path):
    book = openpyxl.load_workbook(path)
    sheet = book.active
    out = []
    out.append(("sheets", len(book.worksheets)))
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None and not cell.has_style:
                continue
            key = cell.coordinate
            if cell.value is not None:
                value = cell.value
                kind = cell.data_type
                if cell.is_date:
                    kind = "date"
                    value = value.isoformat()
                out.append((key + ".type", kind))
                out.append((key + ".value", repr(value) if isinstance(value, float) else value))
                out.append((key + ".format", cell.number_format))
            font = cell.font
            out.append((key + ".font", "%s %s%s%s%s%s" % (font.name, font.sz, " bold" if font.b else "",
                                                        " italic" if font.i else "",
                                                        " underline" if font.u else "",
                                                        " strike" if font.strike else "")))
            out.append((key + ".color", color_of(font.color)))
            fill = cell.fill
            out.append((key + ".fill", color_of(fill.fgColor) if fill.fill_type == "solid" else "-"))
            align = cell.alignment
            # Bottom is the default that the file leaves out.
            out.append((key + ".align", "%s %s%s" % (align.horizontal, align.vertical or "bottom",
                                                     " wrap" if align.wrap_text else "")))
            border = cell.border
            sides = "".join(letter for letter, side in zip("LTRB", (border.left, border.top, border.right, border.bottom))
                            if side is not None and side.style)
            diagonal = ""
            if border.diagonal is not None and border.diagonal.style:
                diagonal = {(True, False): "up", (False, True): "down", (True, True): "both"}.get(
                    (bool(border.diagonalUp), bool(border.diagonalDown)), "")
            out.append((key + ".lines", (sides or "-") + ((" " + diagonal) if diagonal else "")))
    for merged in sorted(str(r) for r in sheet.merged_cells.ranges):
        out.append(("merged", merged))
    out.append(("freeze", sheet.freeze_panes))
    for letter, dimension in sorted(sheet.column_dimensions.items()):
        if dimension.customWidth:
            out.append(("width." + letter, "%.2f" % dimension.width))
    for number, dimension in sorted(sheet.row_dimensions.items()):
        if dimension.customHeight:
            out.append(("height.%d" % number, "%.2f" % dimension.ht))
    margins = sheet.page_margins
    out.append(("margins", "%.3f %.3f %.3f %.3f" % (margins.left, margins.top, margins.right, margins.bottom)))
    setup = sheet.page_setup
    out.append(("orientation", setup.orientation))
    out.append(("paper", setup.paperSize))
    out.append(("scale", setup.scale))
    # A width or height of 1 page is the default that the file leaves out.
    fits = sheet.sheet_properties.pageSetUpPr.fitToPage if sheet.sheet_properties.pageSetUpPr else None
    out.append(("fitToPage", "%s %s %s" % (fits, setup.fitToWidth or 1, setup.fitToHeight
                                           if setup.fitToHeight is not None else 1)))
    out.append(("firstPageNumber", setup.firstPageNumber))
    for place, part in (("header", sheet.oddHeader), ("footer", sheet.oddFooter)):
        for side in ("left", "center", "right"):
            text = getattr(part, side).text
            if text:
                out.append(("%s.%s" % (place, side), text))
    # Pictures straight from the package: where each is anchored and its bytes.
    with zipfile.ZipFile(path) as package:
        names = package.namelist()
        drawing = next((n for n in names if re.match(r"xl/drawings/drawing\d+\.xml$", n)), None)
        if drawing:
            xml = package.read(drawing).decode()
            rels = package.read(drawing.replace("drawings/", "drawings/_rels/") + ".rels").decode()
            targets = dict(re.findall(r'Id="(rId\d+)"[^>]*Target="\.\./media/([^"]+)"', rels))
            targets.update({k: v for v, k in re.findall(r'Target="\.\./media/([^"]+)"[^>]*Id="(rId\d+)"', rels)})
            for anchor in re.findall(r"<xdr:twoCellAnchor.*?</xdr:twoCellAnchor>", xml, re.S):
                column, row = re.search(r"<xdr:from><xdr:col>(\d+)</xdr:col>.*?<xdr:row>(\d+)</xdr:row>", anchor, re.S).groups()
                media = targets[re.search(r'r:embed="(rId\d+)"', anchor).group(1)]
                key = "picture.%s" % openpyxl.utils.get_column_letter(int(column) + 1) + str(int(row) + 1)
                out.append((key, package.read("xl/media/" + media).hex()))
    for key, value in out:
        text = str(value).replace("\\", "\\\\").replace("\n", "\\n")
        print("%s\t%s" % (key, text))


describe(sys.argv[1])

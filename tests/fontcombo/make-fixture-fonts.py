#!/usr/bin/env python3
"""Writes the small TrueType fonts the font combo box tests install privately.

Wine here sees only the fonts fontconfig finds (Liberation, DejaVu): no symbol font and
no script or decorative family. These fixtures add exactly those kinds. Every font has a
square for each printable character, a space, and the tables Windows and FreeType need.

Python 3 standard library only and deterministic:
    python3 tests/fontcombo/make-fixture-fonts.py [output-folder]
"""

import os
import struct
import sys

UNITS_PER_EM = 1000
ASCENT, DESCENT = 800, 200

# Panose family kinds (the first panose byte) that Windows turns into a font family.
PAN_TEXT, PAN_SCRIPT, PAN_DECORATIVE, PAN_PICTORIAL = 2, 3, 4, 5

# name, panose family, serif style, proportion (9 = monospaced), symbol character set
FONTS = [
    ("Kd Fixture Symbol", PAN_PICTORIAL, 0, 3, True),
    ("Kd Fixture Script", PAN_SCRIPT, 0, 3, False),
    ("Kd Fixture Decorative", PAN_DECORATIVE, 0, 3, False),
]

FIRST_CHAR, LAST_CHAR = 0x20, 0x7E
SYMBOL_BASE = 0xF000  # symbol fonts map their characters into the private use area


def square_glyph(x0, y0, x1, y1):
    """One closed contour of four on-curve points, clockwise, 16-bit deltas."""
    points = [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]
    data = struct.pack(">hhhhh", 1, x0, y0, x1, y1)
    data += struct.pack(">HH", len(points) - 1, 0)
    data += bytes([0x01] * len(points))
    previous = 0
    for x, _ in points:
        data += struct.pack(">h", x - previous)
        previous = x
    previous = 0
    for _, y in points:
        data += struct.pack(">h", y - previous)
        previous = y
    return data


def glyphs():
    """.notdef, the square every printable character shows, and the space."""
    return [square_glyph(50, 0, 450, 700), square_glyph(100, 0, 500, 700), b""]


ADVANCES = [500, 600, 300]


def cmap_table(base):
    """A format 4 map: space to glyph 2, every other printable character to glyph 1."""
    first, last = base + FIRST_CHAR, base + LAST_CHAR
    starts = [first, first + 1, 0xFFFF]
    ends = [first, last, 0xFFFF]
    deltas = [(2 - first) & 0xFFFF, 0, 1]
    seg_count = len(starts)
    # The middle segment reads its glyphs from the array after the offsets.
    offsets = [0, (seg_count - 1) * 2, 0]
    glyph_ids = [1] * (last - first)
    search_range = 2 * (1 << (seg_count.bit_length() - 1))
    entry_selector = seg_count.bit_length() - 1
    body = struct.pack(">HHH", seg_count * 2, search_range, entry_selector)
    body += struct.pack(">H", seg_count * 2 - search_range)
    body += struct.pack(f">{seg_count}H", *ends) + struct.pack(">H", 0)
    body += struct.pack(f">{seg_count}H", *starts)
    body += struct.pack(f">{seg_count}H", *deltas)
    body += struct.pack(f">{seg_count}H", *offsets)
    body += struct.pack(f">{len(glyph_ids)}H", *glyph_ids)
    subtable = struct.pack(">HHH", 4, 6 + len(body), 0) + body
    encoding = 0 if base else 1
    return struct.pack(">HHHHI", 0, 1, 3, encoding, 12) + subtable


def name_table(family, symbol):
    encoding = 0 if symbol else 1
    names = {1: family, 2: "Regular", 3: family + " Regular", 4: family,
             6: family.replace(" ", "") + "-Regular"}
    records, strings = b"", b""
    for name_id, text in names.items():
        data = text.encode("utf-16-be")
        records += struct.pack(">HHHHHH", 3, encoding, 0x409, name_id, len(data), len(strings))
        strings += data
    header = struct.pack(">HHH", 0, len(names), 6 + len(records))
    return header + records + strings


def os2_table(panose, symbol):
    first = (SYMBOL_BASE if symbol else 0) + FIRST_CHAR
    last = (SYMBOL_BASE if symbol else 0) + LAST_CHAR
    unicode_range = 0 if symbol else 1  # Basic Latin
    code_pages = 0x80000000 if symbol else 1  # symbol set, or Latin 1
    data = struct.pack(">HhHHH", 3, 500, 400, 5, 0)
    data += struct.pack(">hhhhhhhhhhh", 650, 600, 0, 75, 650, 600, 0, 350, 50, 300, 0)
    data += bytes(panose)
    data += struct.pack(">IIII", unicode_range, 0, 0, 0)
    data += b"KDFX"
    data += struct.pack(">HHH", 0x40, first, last)
    data += struct.pack(">hhhHH", ASCENT, -DESCENT, 0, ASCENT, DESCENT)
    data += struct.pack(">II", code_pages, 0)
    data += struct.pack(">hhHHH", 500, 700, 0, 0x20, 1)
    assert len(data) == 96
    return data


def font(family, panose_family, serif, proportion, symbol):
    outlines = glyphs()
    glyf, loca = b"", []
    for outline in outlines:
        loca.append(len(glyf) // 2)
        glyf += outline + b"\0" * (len(outline) % 2)
    loca.append(len(glyf) // 2)
    panose = [panose_family, serif, 5, proportion, 0, 0, 0, 0, 0, 0]
    fixed = proportion == 9
    tables = {
        b"OS/2": os2_table(panose, symbol),
        b"cmap": cmap_table(SYMBOL_BASE if symbol else 0),
        b"glyf": glyf,
        b"head": struct.pack(">IIIIHHqqhhhhHHhhh", 0x00010000, 0x00010000, 0, 0x5F0F3CF5, 0x000B,
                             UNITS_PER_EM, 0, 0, 50, 0, 500, 700, 0, 8, 2, 0, 0),
        b"hhea": struct.pack(">IhhhHhhhhhhhhhhhH", 0x00010000, ASCENT, -DESCENT, 0,
                             max(ADVANCES), 0, 0, 500, 1, 0, 0, 0, 0, 0, 0, 0, len(outlines)),
        b"hmtx": b"".join(struct.pack(">Hh", advance, 50) for advance in ADVANCES),
        b"loca": struct.pack(f">{len(loca)}H", *loca),
        b"maxp": struct.pack(">IHHHHHHHHHHHHHH", 0x00010000, len(outlines), 4, 1, 0, 0, 2, 0, 0,
                             0, 0, 0, 0, 0, 0),
        b"name": name_table(family, symbol),
        b"post": struct.pack(">IIhhIIIII", 0x00030000, 0, -100, 50, 1 if fixed else 0, 0, 0, 0, 0),
    }
    return assemble(tables)


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(f">{len(data) // 4}I", data)) & 0xFFFFFFFF


def assemble(tables):
    count = len(tables)
    search_range = 16 * (1 << (count.bit_length() - 1))
    header = struct.pack(">IHHHH", 0x00010000, count, search_range, count.bit_length() - 1,
                         count * 16 - search_range)
    offset = len(header) + 16 * count
    directory, body = b"", b""
    for tag in sorted(tables):
        data = tables[tag]
        directory += struct.pack(">4sIII", tag, checksum(data), offset + len(body), len(data))
        body += data + b"\0" * (-len(data) % 4)
    whole = bytearray(header + directory + body)
    # head's checkSumAdjustment makes the whole file sum to the magic number.
    head_offset = struct.unpack(">I", directory[sorted(tables).index(b"head") * 16 + 8:][:4])[0]
    adjustment = (0xB1B0AFBA - checksum(bytes(whole))) & 0xFFFFFFFF
    whole[head_offset + 8:head_offset + 12] = struct.pack(">I", adjustment)
    return bytes(whole)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "fonts")
    os.makedirs(out, exist_ok=True)
    for family, panose_family, serif, proportion, symbol in FONTS:
        path = os.path.join(out, family.replace(" ", "") + ".ttf")
        with open(path, "wb") as f:
            f.write(font(family, panose_family, serif, proportion, symbol))


if __name__ == "__main__":
    main()

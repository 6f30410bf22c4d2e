#!/usr/bin/env python3
"""Draws the font combo box's three font-technology glyphs into controls/res/.

Python 3 standard library only, and deterministic, so the committed files can be
rebuilt byte for byte:  python3 scripts/make-font-glyphs.py [output-folder]

Each glyph is 12 x 12 pixels in the 16 standard colours, drawn pixel by pixel from the
pictures below; magenta is the background, and the combo box keys out whatever colour
the bottom-left pixel has.
"""

import os
import struct
import sys

# The 16 standard colours, in the order Windows gives them.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# One letter per palette entry used here.
INK = {
    ".": 13,  # magenta: transparent
    "k": 0,   # black
    "t": 6,   # teal
    "g": 8,   # grey
    "s": 7,   # silver
    "r": 9,   # red
    "l": 10,  # lime
    "w": 15,  # white
}

# Two overlapping letters T: a teal one behind, a black one in front.
TRUETYPE = [
    "tttttttt....",
    "tttttttt....",
    "t..tt..t....",
    "...tt.......",
    "...tkkkkkkkk",
    "...tkkkkkkkk",
    "...tk..kk..k",
    "...tt..kk...",
    "..tttt.kk...",
    ".......kk...",
    ".......kk...",
    "......kkkk..",
]

# A page with a folded corner and a red letter A.
RASTER = [
    ".kkkkkkk....",
    ".kwwwwwkk...",
    ".kwwwwwkwk..",
    ".kwwwwwkkkk.",
    ".kwwwrwwwwk.",
    ".kwwrwrwwwk.",
    ".kwwrwrwwwk.",
    ".kwrrrrrwwk.",
    ".kwrwwwrwwk.",
    ".kwrwwwrwwk.",
    ".kwwwwwwwwk.",
    ".kkkkkkkkkk.",
]

# A small printer: the paper on top, the grey body with a green light, a sheet coming out.
DEVICE = [
    "............",
    "...kkkkkk...",
    "...kwwwwk...",
    "...kwwwwk...",
    ".kkkkkkkkkk.",
    "kssssssssssk",
    "ksssssssslsk",
    "kggggggggggk",
    "kkwwwwwwwwkk",
    ".kwkkkkkkwk.",
    ".kwwwwwwwwk.",
    ".kkkkkkkkkk.",
]

GLYPHS = {"ttsymbol.bmp": TRUETYPE, "rastersymbol.bmp": RASTER, "devicesymbol.bmp": DEVICE}


def check(name, rows):
    if len(rows) != 12 or any(len(row) != 12 for row in rows):
        raise SystemExit(f"{name}: a glyph is 12 x 12 pixels")
    if rows[-1][0] != ".":
        raise SystemExit(f"{name}: the bottom-left pixel must be the background")


def bmp_4bit(rows):
    """A 16-colour BMP file of the picture (rows top to bottom)."""
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    body = bytearray()
    for row in reversed(rows):  # BMP rows run bottom-up
        indices = [INK[c] for c in row] + [0] * (width % 2)
        line = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
        body += line + b"\0" * (stride - len(line))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(body), 2835, 2835, 16, 0)
    return header + info + palette + bytes(body)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "controls", "res")
    os.makedirs(out, exist_ok=True)
    for name, rows in GLYPHS.items():
        check(name, rows)
        with open(os.path.join(out, name), "wb") as f:
            f.write(bmp_4bit(rows))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws Kaleidra's icon and preview picture: res/Kaleidra.ico and res/Preview.bmp.

Python 3 standard library only, and deterministic, so the committed files can be
rebuilt byte for byte:  python3 scripts/make-art.py [output-folder]

The picture is a stained-glass kaleidoscope: a Voronoi mosaic of jewel colours inside
one 30-degree wedge, mirrored twelve times round the centre, with dark lead lines.
"""

import math
import os
import random
import struct
import sys
import zlib

WEDGE = math.pi / 6  # twelve mirrored wedges
SEED = 1983

# Jewel colours of the glass pieces (r, g, b).
PALETTE = [
    (214, 38, 70),  # ruby
    (36, 92, 214),  # sapphire
    (24, 170, 110),  # emerald
    (245, 170, 30),  # amber
    (140, 60, 200),  # amethyst
    (20, 190, 200),  # turquoise
    (230, 80, 170),  # rose
    (250, 220, 90),  # citrine
]
LEAD = (18, 14, 28)


def make_cells(count, radius):
    """Seed points of the mosaic inside one wedge, each with its colour.

    One piece sits on the centre (the jewel every mirror shows); the others keep a
    minimum distance apart, so no two seeds make a sliver of lead between them.
    """
    rng = random.Random(SEED)
    spacing = 0.75 * radius * math.sqrt(WEDGE / 2 / count)
    points = [(0.0, 0.0)]
    while len(points) < count:
        r = radius * math.sqrt(rng.random())
        a = rng.random() * WEDGE
        x, y = r * math.cos(a), r * math.sin(a)
        if all(math.hypot(x - px, y - py) >= spacing for px, py in points):
            points.append((x, y))
    return [(x, y, PALETTE[(i * 5 + rng.randrange(3)) % len(PALETTE)])
            for i, (x, y) in enumerate(points)]


def fold(x, y):
    """Maps a point of the plane into the first wedge, mirroring at every wedge edge."""
    r = math.hypot(x, y)
    a = math.atan2(y, x) % (2 * WEDGE)
    if a > WEDGE:
        a = 2 * WEDGE - a
    return r * math.cos(a), r * math.sin(a), r


def glass(x, y, cells, lead_width):
    """Colour of the mosaic at plane point (x, y), unit radius = the disc's edge."""
    u, v, r = fold(x, y)
    best = second = 1e9
    colour = PALETTE[0]
    for cx, cy, c in cells:
        d = (u - cx) ** 2 + (v - cy) ** 2
        if d < best:
            second, best, colour = best, d, c
        elif d < second:
            second = d
    best, second = math.sqrt(best), math.sqrt(second)
    edge = second - best
    # Light falls through the middle of each piece and fades towards the lead.
    light = 0.72 + 0.38 * min(1.0, edge * 5.0)
    glow = max(0.0, 1.0 - r) ** 2 * 0.35  # the bright centre of the tube
    rgb = [min(255.0, ch * light + 255 * glow * 0.6) for ch in colour]
    if edge < lead_width:
        t = edge / lead_width
        t = t * t
        rgb = [LEAD[i] * (1 - t) + rgb[i] * t for i in range(3)]
    return rgb


# --- a small stroke font, enough for the word "Kaleidra" -------------------------------
# Units: baseline y = 0, x-height 5, ascender 7.5; y grows upwards.


def arc(cx, cy, rx, ry, start, end, steps=24):
    return [
        (cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
         cy + ry * math.sin(math.radians(start + (end - start) * i / steps)))
        for i in range(steps + 1)
    ]


GLYPHS = {
    "K": (4.4, [[(0, 0), (0, 7.2)], [(4.3, 7.2), (0, 2.7)], [(1.5, 4.2), (4.4, 0)]]),
    "a": (4.2, [arc(2.0, 2.5, 2.0, 2.5, 0, 360, 32), [(4.1, 5.0), (4.1, 0)]]),
    "l": (0.0, [[(0, 0), (0, 7.5)]]),
    "e": (4.2, [[(0.1, 2.6), (4.1, 2.6)] + arc(2.1, 2.5, 2.0, 2.5, 6, 320, 30)]),
    "i": (0.0, [[(0, 0), (0, 5.0)], [(0, 6.7), (0, 6.7)]]),
    "d": (4.2, [arc(2.0, 2.5, 2.0, 2.5, 0, 360, 32), [(4.1, 7.5), (4.1, 0)]]),
    "r": (2.9, [[(0, 0), (0, 5.0)], arc(2.9, 2.2, 2.9, 2.8, 180, 90, 12)]),
}
GAP = 1.55  # between letters, centre line to centre line, plus the stroke


def word_segments(word, scale, stroke, x0, baseline):
    """Line segments (in pixels) of the word, starting at x0; returns (segments, width)."""
    segments = []
    x = 0.0
    for ch in word:
        advance, strokes = GLYPHS[ch]
        for line in strokes:
            points = [(x0 + (x + px) * scale, baseline - py * scale) for px, py in line]
            if len(points) == 1:
                points = points * 2
            segments += list(zip(points, points[1:]))
        x += advance + GAP
    width = (x - GAP) * scale
    return segments, width


def distance_to_segment(px, py, seg):
    (ax, ay), (bx, by) = seg
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def coverage(px, py, segments, half_width):
    d = min(distance_to_segment(px, py, s) for s in segments)
    return max(0.0, min(1.0, half_width - d + 0.5))


# --- the preview picture ----------------------------------------------------------------


def preview_pixels(width, height):
    cells = make_cells(22, 1.45)
    scale = 0.5 * math.hypot(width, height) / 1.25
    cx, cy = width / 2, height / 2 - 14
    ss = 3
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            acc = [0.0, 0.0, 0.0]
            for sy in range(ss):
                for sx in range(ss):
                    px = (x + (sx + 0.5) / ss - cx) / scale
                    py = (y + (sy + 0.5) / ss - cy) / scale
                    c = glass(px, py, cells, 0.035)
                    for i in range(3):
                        acc[i] += c[i]
            row.append([a / (ss * ss) for a in acc])
        pixels.append(row)

    # A dark band carries the name, so it reads on any part of the mosaic.
    band_top, band_bottom = height - 38, height - 6
    for y in range(height):
        inside = min(y - band_top, band_bottom - y)
        shade = max(0.0, min(1.0, (inside + 3) / 6)) * 0.72
        for x in range(width):
            pixels[y][x] = [c * (1 - shade) + 10 * shade for c in pixels[y][x]]

    unit = 2.65
    stroke = 0.95 * unit
    segments, text_width = word_segments("Kaleidra", unit, stroke, 0, 0)
    x0 = (width - text_width) / 2
    baseline = band_bottom - 9.5
    segments, _ = word_segments("Kaleidra", unit, stroke, x0, baseline)
    shadow = [((ax + 1.2, ay + 1.2), (bx + 1.2, by + 1.2)) for (ax, ay), (bx, by) in segments]
    top = baseline - 7.5 * unit - 4
    for y in range(int(top), int(baseline) + 5):
        for x in range(int(x0) - 4, int(x0 + text_width) + 6):
            px, py = x + 0.5, y + 0.5
            s = coverage(px, py, shadow, stroke / 2 + 0.8) * 0.8
            pixels[y][x] = [c * (1 - s) for c in pixels[y][x]]
            t = coverage(px, py, segments, stroke / 2)
            # Warm white letters, a little gold towards the baseline.
            fade = max(0.0, min(1.0, (baseline - py) / (7.5 * unit)))
            ink = (255, 236 + 19 * fade, 190 + 65 * fade)
            pixels[y][x] = [pixels[y][x][i] * (1 - t) + ink[i] * t for i in range(3)]
    return pixels


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # BMP rows run bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((clamp(b), clamp(g), clamp(r)))
        line += b"\0" * (stride - len(line))
        body += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)


def clamp(value):
    return max(0, min(255, int(round(value))))


# --- the icon ----------------------------------------------------------------------------


def icon_pixels(size):
    """RGBA rows: the mosaic in a disc with a dark metal rim, transparent outside."""
    # Fewer, larger pieces and relatively heavier lead at the small sizes, so they stay crisp.
    cells = make_cells({16: 4, 24: 6, 32: 7, 48: 10}.get(size, 18), 1.0)
    lead = max(0.03, 0.7 / (size / 2))
    ss = 4 if size <= 64 else 2
    radius = size / 2 - 0.25
    rim = max(1.0, size / 16)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(ss):
                for sx in range(ss):
                    px = x + (sx + 0.5) / ss - size / 2
                    py = y + (sy + 0.5) / ss - size / 2
                    d = math.hypot(px, py)
                    if d > radius:
                        continue
                    if d > radius - rim:
                        # Brushed rim, lit from the top left.
                        lit = 0.5 - 0.5 * (px + py) / (d * 1.4142 + 1e-9)
                        c = [40 + 90 * lit, 36 + 84 * lit, 56 + 100 * lit]
                    else:
                        c = glass(px / (radius - rim), py / (radius - rim), cells, lead)
                    for i in range(3):
                        acc[i] += c[i]
                    acc[3] += 255
            n = ss * ss
            alpha = acc[3] / n
            if alpha > 0:
                scale = 255 / alpha
                row.append([acc[0] / n * scale, acc[1] / n * scale, acc[2] / n * scale, alpha])
            else:
                row.append([0, 0, 0, 0])
        rows.append(row)
    return rows


def ico_bitmap(rows):
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((clamp(b), clamp(g), clamp(r), clamp(a)))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                       0, 0)
    return info + xor + mask


def png(rows):
    size = len(rows)
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((clamp(r), clamp(g), clamp(b), clamp(a)))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def write_ico(path, sizes):
    # The large image as PNG (Vista and later), the small ones as plain bitmaps.
    images = [(s, png(icon_pixels(s)) if s >= 256 else ico_bitmap(icon_pixels(s))) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res")
    write_bmp(os.path.join(out, "Preview.bmp"), preview_pixels(160, 120))
    # No 256-pixel image: it would add 75 KB to a program meant to stay small.
    write_ico(os.path.join(out, "Kaleidra.ico"), [16, 24, 32, 48])


if __name__ == "__main__":
    main()

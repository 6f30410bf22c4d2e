#!/usr/bin/env python3
"""Draws the pictures of Kaleidra's configuration window into config_ui/res/.

Python 3 standard library only, and deterministic, so the committed files can be
rebuilt byte for byte:  python3 scripts/make-glyphs.py [output-folder]

Every picture is a stack of flat shapes given as signed distance functions, sampled
4 x 4 times per pixel. Pictures drawn on buttons are transparent: the colour of the
bottom-left pixel (pure magenta) is the background, edge pixels are blended towards the
button face grey so they look right once the magenta is keyed out.
"""

import math
import os
import runpy
import sys

SUBSAMPLES = 4
MAGENTA = (255, 0, 255)
BUTTON_FACE = (240, 240, 240)

# A soft palette shared by all pictures: (fill, outline).
BLUE = ((78, 144, 226), (44, 96, 176))
GREEN = ((86, 184, 96), (46, 132, 58))
RED = ((232, 92, 80), (168, 50, 44))
AMBER = ((246, 192, 86), (196, 134, 40))
PURPLE = ((156, 120, 210), (104, 74, 160))
TEAL = ((58, 180, 176), (30, 124, 124))
SLATE = ((86, 98, 120), (52, 60, 78))
STEEL = ((150, 160, 178), (94, 104, 124))
PAPER = ((252, 252, 253), (112, 122, 138))
INK = (92, 104, 124)

# Jewel colours of the kaleidoscope, round the circle.
RAINBOW = [(232, 72, 96), (246, 170, 50), (250, 222, 90), (70, 190, 120), (50, 186, 206),
           (70, 120, 226)]

# --- signed distance functions: negative inside, in pixels ------------------------------


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return sdf


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def stroke(points, width):
    """A polyline with round joins and caps."""
    pairs = list(zip(points, points[1:]))
    half = width / 2

    def sdf(x, y):
        return min(segment_distance(x, y, ax, ay, bx, by) for (ax, ay), (bx, by) in pairs) - half

    return sdf


def polygon(points):
    n = len(points)

    def sdf(x, y):
        best = float("inf")
        sign = 1.0
        for i in range(n):
            ax, ay = points[i - 1]
            bx, by = points[i]
            best = min(best, segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                sign = -sign
        return -best if sign < 0 else best

    return sdf


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def rotated(shape, cx, cy, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))

    def sdf(x, y):
        dx, dy = x - cx, y - cy
        return shape(cx + dx * c + dy * s, cy - dx * s + dy * c)

    return sdf


def gear(cx, cy, outer, inner, hole, teeth, tooth_width):
    parts = [circle(cx, cy, inner)]
    for i in range(teeth):
        tooth = box(cx - tooth_width / 2, cy - outer, cx + tooth_width / 2, cy, tooth_width * 0.2)
        parts.append(rotated(tooth, cx, cy, 360.0 * i / teeth))
    body = union(*parts)
    return subtract(body, circle(cx, cy, hole)) if hole > 0 else body


def arrow(tip, tail, head_length, head_half, shaft_half):
    """An arrow polygon from tail to tip, any direction."""
    (tx, ty), (sx, sy) = tip, tail
    length = math.hypot(tx - sx, ty - sy)
    ux, uy = (tx - sx) / length, (ty - sy) / length
    nx, ny = -uy, ux
    bx, by = tx - ux * head_length, ty - uy * head_length
    return polygon([
        (tx, ty),
        (bx + nx * head_half, by + ny * head_half),
        (bx + nx * shaft_half, by + ny * shaft_half),
        (sx + nx * shaft_half, sy + ny * shaft_half),
        (sx - nx * shaft_half, sy - ny * shaft_half),
        (bx - nx * shaft_half, by - ny * shaft_half),
        (bx - nx * head_half, by - ny * head_half),
    ])


def arc_points(cx, cy, r, start, end, steps=24):
    return [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + r * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


# --- layers and the renderer -------------------------------------------------------------

ERASE = "erase"  # a layer that cuts back to the background


class Layer:
    """A shape filled with a colour (or a function of x, y), with an optional outline."""

    def __init__(self, shape, fill, outline=None, width=1.0):
        self.shape, self.fill, self.outline, self.width = shape, fill, outline, width

    def colour_at(self, x, y):
        d = self.shape(x, y)
        if d > 0:
            return None
        if self.outline is not None and d > -self.width:
            return self.outline
        return self.fill(x, y) if callable(self.fill) else self.fill


def flat(shape, colours, width=1.0):
    fill, outline = colours
    return Layer(shape, fill, outline, width)


def render(width, height, layers, tint=None, shift=(0, 0)):
    """Pixel rows (r, g, b); magenta where nothing covers the pixel at all."""
    n = SUBSAMPLES
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    px = x + (sx + 0.5) / n - shift[0]
                    py = y + (sy + 0.5) / n - shift[1]
                    colour = top_colour(layers, px, py)
                    if colour is None:
                        colour = BUTTON_FACE
                    else:
                        hits += 1
                        if tint:
                            colour = tint(colour)
                    for i in range(3):
                        acc[i] += colour[i]
            if hits == 0:
                row.append(MAGENTA)
            else:
                row.append(not_magenta(tuple(clamp(a / (n * n)) for a in acc)))
        rows.append(row)
    return rows


def top_colour(layers, x, y):
    for layer in reversed(layers):
        colour = layer.colour_at(x, y)
        if colour is not None:
            return None if colour == ERASE else colour
    return None


def not_magenta(rgb):
    # Exact magenta inside a shape would turn into a hole on the button.
    return (254, 0, 254) if rgb == MAGENTA else rgb


def clamp(value):
    return max(0, min(255, int(round(value))))


def disabled(rgb):
    """Greyed look: the brightness only, lifted towards the button face."""
    luma = 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2]
    grey = 100 + luma * 0.5
    return (grey, grey, grey)


def pressed(rgb):
    return tuple(c * 0.86 for c in rgb)


def strip(images):
    return [sum((image[y] for image in images), []) for y in range(len(images[0]))]


# --- the kaleidoscope of the monitor screen ----------------------------------------------


def kaleidoscope(cx, cy, scale):
    """A six-petal rosette in rainbow colours on a night-blue glass."""

    def fill(x, y):
        u, v = (x - cx) / scale, (y - cy) / scale
        r = math.hypot(u, v)
        angle = math.degrees(math.atan2(v, u)) % 360
        sector = int(((angle + 30) % 360) // 60)
        a = math.radians((angle + 30) % 60 - 30)
        pu, pv = r * math.cos(a), r * math.sin(a)
        if r < 0.28:
            return (255, 236, 150)
        if r < 0.36:
            return (40, 34, 70)
        petal = math.hypot((pu - 0.62) / 0.42, pv / 0.3)
        if petal < 0.84:
            return RAINBOW[sector]
        if petal < 1.0:
            return (40, 34, 70)
        b = math.radians((angle % 60) - 30)
        qu, qv = r * math.cos(b), r * math.sin(b)
        if math.hypot(qu - 0.66, qv) < 0.17:
            return RAINBOW[(sector + 3) % 6]
        glow = max(0.0, 1.0 - r * 0.6)
        shade = 0.0 if int(angle // 30) % 2 else 14.0  # mirrored glass: alternate wedges
        return (40 + 40 * glow + shade, 52 + 46 * glow, 110 + 70 * glow + shade)

    return fill


def vertical_gradient(top, bottom, y0, y1):
    def fill(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))

    return fill


# --- tab pictures, 32 x 32 ---------------------------------------------------------------


def tab_savers():
    frame = box(2, 4, 30, 25, 2.5)
    screen = box(5, 7, 27, 22, 0.8)
    return [
        flat(polygon([(12.5, 24), (19.5, 24), (20.5, 28.5), (11.5, 28.5)]), STEEL),
        flat(box(8, 27, 24, 30, 1.4), STEEL),
        flat(frame, SLATE),
        Layer(screen, kaleidoscope(16, 14.5, 8.6), (30, 34, 50), 0.8),
    ]


def tab_options():
    face = circle(16, 16, 9)
    hands = stroke([(16, 10.5), (16, 16), (20, 18.2)], 1.8)
    ticks = [box(15.4, 8.5, 16.6, 10), box(15.4, 22, 16.6, 23.5),
             box(8.5, 15.4, 10, 16.6), box(22, 15.4, 23.5, 16.6)]
    layers = [flat(face, (PAPER[0], BLUE[1]), 1.8)]
    layers += [Layer(t, INK) for t in ticks]
    layers += [Layer(hands, (60, 68, 88)), Layer(circle(16, 16, 1.4), RED[0])]
    # Two circling arrows round the clock: the savers take turns on a timer.
    for start in (200, 20):
        ring = stroke(arc_points(16, 16, 13.2, start, start + 110, 20), 2.4)
        end = math.radians(start + 110)
        ex, ey = 16 + 13.2 * math.cos(end), 16 + 13.2 * math.sin(end)
        tx, ty = -math.sin(end), math.cos(end)  # along the direction of travel
        nx, ny = math.cos(end), math.sin(end)
        head = polygon([(ex + tx * 4.2, ey + ty * 4.2), (ex + nx * 3.4 - tx * 0.6, ey + ny * 3.4 - ty * 0.6),
                        (ex - nx * 3.4 - tx * 0.6, ey - ny * 3.4 - ty * 0.6)])
        layers.append(flat(union(ring, head), GREEN, 0.9))
    return layers


def tab_groups():
    layers = []
    cards = [(11, 3, 29, 17, PURPLE), (7, 8, 25, 22, TEAL), (3, 13, 21, 27, AMBER)]
    for x0, y0, x1, y1, colours in cards:
        layers.append(Layer(box(x0 - 1.2, y0 - 1.2, x1 + 1.2, y1 + 1.2, 3), ERASE))
        layers.append(flat(box(x0, y0, x1, y1, 2), colours))
    # The front card lists its savers.
    for i, y in enumerate((17, 20, 23)):
        layers.append(Layer(box(6, y, 18 - 4 * (i == 2), y + 2, 0.8), (255, 250, 235)))
    return layers


def tab_about():
    disc = circle(16, 16, 13.5)
    return [
        Layer(disc, vertical_gradient((104, 166, 238), (58, 118, 208), 3, 29), BLUE[1], 1.3),
        Layer(circle(16, 9.6, 2.2), (255, 255, 255)),
        Layer(box(14.1, 13.2, 17.9, 24, 1.2), (255, 255, 255)),
    ]


# --- speed-button glyphs, 16 x 16 ---------------------------------------------------------


def windows_flag(x0, y0):
    """Four coloured 3-pixel panes with a pixel between them."""
    panes = [((0, 0), (240, 90, 60)), ((1, 0), (120, 190, 60)), ((0, 1), (40, 146, 232)),
             ((1, 1), (250, 192, 36))]
    return [Layer(box(x0 + 4 * col, y0 + 4 * row, x0 + 4 * col + 3, y0 + 4 * row + 3, 0.3), colour)
            for (col, row), colour in panes]


def glyph_windir():
    window = box(1, 1, 14, 12, 1.2)
    title = intersect(window, box(0, 0, 16, 4.5))
    return [
        flat(window, PAPER),
        flat(title, BLUE),
        Layer(box(8, 8, 17, 17, 1), ERASE),
        *windows_flag(9, 9),
    ]


def folder(x0, y0, x1, y1):
    back = union(box(x0, y0, x0 + (x1 - x0) * 0.45, y0 + 3, 1), box(x0, y0 + 1.5, x1, y1, 1))
    front = box(x0, y0 + 3, x1, y1, 1)
    return [flat(back, ((232, 168, 60), AMBER[1])), flat(front, AMBER)]


def glyph_sysdir():
    return [
        *folder(0.5, 2, 13, 13),
        Layer(circle(11.5, 11.5, 5.3), ERASE),
        flat(gear(11.5, 11.5, 4.6, 3.3, 0.0, 8, 2.0), SLATE, 0.9),
        Layer(circle(11.5, 11.5, 1.3), PAPER[0]),
    ]


def glyph_preview():
    return [
        flat(box(6.5, 11, 9.5, 14), STEEL, 0.8),
        flat(box(3.5, 13, 12.5, 15, 0.8), STEEL, 0.8),
        flat(box(1, 1.5, 15, 12, 1.2), SLATE),
        Layer(box(2.5, 3, 13.5, 10.5, 0.4), vertical_gradient((46, 58, 92), (28, 34, 60), 3, 10.5)),
        Layer(polygon([(6.3, 4.2), (6.3, 9.3), (10.8, 6.75)]), (120, 220, 124)),
    ]


def check_mark(y, ticked):
    """A tick, or an empty box, for the row centred on y; edges on whole pixels stay crisp."""
    if ticked:
        return [Layer(stroke([(1.6, y - 0.2), (3.2, y + 1.4), (6.2, y - 1.8)], 1.7), GREEN[1])]
    return [flat(box(1, y - 2, 6, y + 2, 0.6), PAPER)]


def text_line(y, x1=15):
    return Layer(box(8, y - 1, x1, y + 1, 0.6), (138, 148, 164))


def selection_glyph(ticks, lines_end=15):
    layers = []
    for y, ticked in zip((3, 8, 13), ticks):
        layers += check_mark(y, ticked)
        layers.append(text_line(y, lines_end))
    return layers


def glyph_selall():
    return selection_glyph((True, True, True))


def glyph_selnone():
    return selection_glyph((False, False, False))


def glyph_selinv():
    layers = []
    for y, ticked in zip((3, 8, 13), (True, False, True)):
        layers += check_mark(y, ticked)
    swap = union(arrow((12, 0.5), (12, 8), 3.5, 3.5, 1), arrow((12, 15.5), (12, 8), 3.5, 3.5, 1))
    layers.append(Layer(swap, BLUE[1]))
    return layers


def up_arrow(tip, tail):
    return flat(arrow((8, tip), (8, tail), 6, 6, 2), BLUE)


def flip_vertical(layers, height=16):
    return [Layer(lambda x, y, s=layer.shape: s(x, height - y), layer.fill, layer.outline, layer.width)
            for layer in layers]


def flip_horizontal(layers, width=16):
    return [Layer(lambda x, y, s=layer.shape: s(width - x, y), layer.fill, layer.outline, layer.width)
            for layer in layers]


def glyph_movetop():
    return [flat(box(2, 1, 14, 4, 0.6), SLATE), up_arrow(5, 15)]


def glyph_moveup():
    return [up_arrow(1, 15)]


def glyph_movedown():
    return flip_vertical(glyph_moveup())


def glyph_movebottom():
    return flip_vertical(glyph_movetop())


def glyph_add():
    return [flat(arrow((15, 8), (1, 8), 6, 6, 2), GREEN)]


def glyph_remove():
    return flip_horizontal([flat(arrow((15, 8), (1, 8), 6, 6, 2), RED)])


def glyph_config():
    return [
        flat(gear(8, 8, 7.3, 5.3, 0.0, 8, 2.8), BLUE),
        flat(circle(8, 8, 2.3), (PAPER[0], BLUE[1])),
    ]


# --- bottom-panel buttons, 32 x 32 ---------------------------------------------------------


def button_ok():
    return [flat(stroke([(7, 16.5), (13, 22.5), (25.5, 9)], 5), GREEN, 1.2)]


def button_cancel():
    cross = union(stroke([(9, 9), (23, 23)], 5), stroke([(23, 9), (9, 23)], 5))
    return [flat(cross, RED, 1.2)]


def button_readme():
    page = polygon([(6, 2), (20, 2), (26, 8), (26, 30), (6, 30)])
    fold = polygon([(20, 2), (20, 8), (26, 8)])
    layers = [flat(page, PAPER), flat(fold, ((222, 228, 236), PAPER[1]))]
    for y, x1 in ((8, 16), (13, 23), (17, 23), (21, 23), (25, 18)):
        colour = BLUE[0] if y == 8 else (150, 162, 184)
        layers.append(Layer(box(9, y - 1, x1, y + 1, 0.8), colour))
    return layers


# --- the About picture --------------------------------------------------------------------


def load_art():
    """The icon script's mosaic, stroke font and BMP writer, so both pictures match."""
    return runpy.run_path(os.path.join(os.path.dirname(os.path.abspath(__file__)), "make-art.py"))


def about_pixels(art, width, height):
    """The product picture in small: the stained-glass mosaic with the name on a dark band."""
    pixels = mosaic(art, width, height)
    band_top, band_bottom = height - 22, height - 3
    darken_band(pixels, band_top, band_bottom)
    write_name(art, pixels, band_top, band_bottom)
    return [[tuple(clamp(v) for v in px) for px in row] for row in pixels]


def mosaic(art, width, height):
    cells = art["make_cells"](22, 1.45)
    scale = 0.5 * math.hypot(width, height) / 1.1
    cx, cy = width / 2, height / 2 - 8
    n = SUBSAMPLES
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            acc = [0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    # Heavier lead than the preview's, so it survives the smaller scale.
                    c = art["glass"]((x + (sx + 0.5) / n - cx) / scale,
                                     (y + (sy + 0.5) / n - cy) / scale, cells, 0.05)
                    for i in range(3):
                        acc[i] += c[i]
            row.append([a / (n * n) for a in acc])
        pixels.append(row)
    return pixels


def darken_band(pixels, top, bottom):
    for y, row in enumerate(pixels):
        inside = min(y - top, bottom - y)
        shade = max(0.0, min(1.0, (inside + 2) / 4)) * 0.74
        for x, c in enumerate(row):
            row[x] = [v * (1 - shade) + 10 * shade for v in c]


def write_name(art, pixels, band_top, band_bottom):
    """Warm white letters with a drop shadow, a little gold towards the baseline."""
    unit = 1.62
    half = 0.95 * unit / 2
    _, text_width = art["word_segments"]("Kaleidra", unit, 2 * half, 0, 0)
    x0 = (len(pixels[0]) - text_width) / 2
    baseline = band_bottom - 5.2
    segments, _ = art["word_segments"]("Kaleidra", unit, 2 * half, x0, baseline)
    shadow = [((ax + 0.8, ay + 0.8), (bx + 0.8, by + 0.8)) for (ax, ay), (bx, by) in segments]

    def nearest(px, py, segs):
        return min(art["distance_to_segment"](px, py, seg) for seg in segs)

    n = SUBSAMPLES
    for y in range(band_top, band_bottom + 1):
        for x, under in enumerate(pixels[y]):
            acc = [0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    px, py = x + (sx + 0.5) / n, y + (sy + 0.5) / n
                    c = under
                    if nearest(px, py, shadow) <= half + 0.4:
                        c = [v * 0.2 for v in c]
                    if nearest(px, py, segments) <= half:
                        fade = max(0.0, min(1.0, (baseline - py) / (7.5 * unit)))
                        c = (255, 236 + 19 * fade, 190 + 65 * fade)
                    for i in range(3):
                        acc[i] += c[i]
            pixels[y][x] = [a / (n * n) for a in acc]


# --- output -------------------------------------------------------------------------------


def check_transparent(name, rows, cell):
    """Each cell of a button picture must key out from its bottom-left pixel."""
    for left in range(0, len(rows[0]), cell):
        if rows[-1][left] != MAGENTA:
            raise SystemExit(f"{name}: the bottom-left pixel of the cell at x={left} is covered")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "config_ui", "res")
    os.makedirs(out, exist_ok=True)
    art = load_art()
    write_bmp = art["write_bmp"]

    pictures = {
        "tabs.bmp": (32, strip([render(32, 32, f()) for f in (tab_savers, tab_options, tab_groups,
                                                               tab_about)])),
    }
    singles = {
        "windir": glyph_windir, "sysdir": glyph_sysdir, "preview": glyph_preview,
        "selall": glyph_selall, "selnone": glyph_selnone, "selinv": glyph_selinv,
        "movetop": glyph_movetop, "moveup": glyph_moveup, "movedown": glyph_movedown,
        "movebottom": glyph_movebottom, "add": glyph_add, "remove": glyph_remove,
    }
    for name, draw in singles.items():
        pictures[name + ".bmp"] = (16, render(16, 16, draw()))
    config = glyph_config()
    pictures["config.bmp"] = (16, strip([render(16, 16, config), render(16, 16, config, disabled)]))
    for name, draw in (("ok", button_ok), ("cancel", button_cancel), ("readme", button_readme)):
        layers = draw()
        states = [render(32, 32, layers), render(32, 32, layers, disabled),
                  render(32, 32, layers, pressed, (1, 1))]
        pictures[name + ".bmp"] = (32, strip(states))

    for name, (cell, rows) in pictures.items():
        check_transparent(name, rows, cell)
        write_bmp(os.path.join(out, name), rows)
    write_bmp(os.path.join(out, "about.bmp"), about_pixels(art, 100, 64))


if __name__ == "__main__":
    main()

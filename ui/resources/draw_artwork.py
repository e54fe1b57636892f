#!/usr/bin/env python3
"""Draws Quillon's artwork: skin.bmp (400x175), button.bmp (75x25) and quillon.ico.

Standard library only and fully deterministic, so the committed files can be rebuilt byte for
byte. Usage: draw_artwork.py [--check] [--out DIR]. With --check nothing is written; the
images are drawn in memory and compared with the files already in DIR.
"""

import argparse
import math
import os
import struct
import sys

# ---------------------------------------------------------------------------------------------
# Places of the painted elements on the skin, inclusive pixel boxes (x0, y0, x1, y1).
# The controls of the main window sit on top of these, so they must not move.

SKIN_W, SKIN_H = 400, 175
TITLE_PLATE = (10, 5, 165, 28)
RIBBON_START_X, RIBBON_END_X = 160, 300
CLOSE_MARK = (376, 5, 398, 26)
HEADINGS = [
    ("COL 1", (28, 40, 82, 50)),
    ("COL 2", (120, 42, 184, 52)),
    ("COL 3", (216, 42, 280, 52)),
    ("COL 4", (309, 41, 373, 51)),
]
STYLE_CAPTIONS = [
    ("FIRST BOLD", (320, 135, 392, 144)),
    ("ALL BOLD", (320, 152, 389, 160)),
]

# Each colour column's glow region: swatch and three sliders plus a margin, and its hue.
BLUE = (60, 130, 255)
VIOLET = (170, 80, 255)
RED = (255, 50, 60)
GREEN = (50, 240, 110)
TEAL = (0, 215, 200)
STEEL = (40, 100, 210)  # the glow outside every coloured region
MAGENTA = (255, 50, 215)
COLUMN_GLOWS = [
    ((12, 34, 96, 116), BLUE),
    ((109, 36, 193, 117), VIOLET),
    ((203, 36, 287, 118), RED),
    ((297, 35, 381, 119), GREEN),
]
# Font box, "m" button, text line and Send stand here.
TEAL_GLOW = (0, 112, 300, 174)

BUTTON_W, BUTTON_H = 75, 25
BUTTON_OVAL = (2, 1, 74, 24)  # the floating window is cut to this oval
ICON_SIZE = 32  # the 16-colour image; the true-colour images follow the display scales
ICON_SCALED_SIZES = [40, 48, 56, 64, 80, 96]  # 125, 150, 175, 200, 250 and 300 %

# ---------------------------------------------------------------------------------------------
# Pixel font: capitals and digits, 7 rows high. Widths vary ("I" is narrow).

FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
}
FONT_ROWS = 7
BAR_ROWS = (0, 3, 6)  # rows holding the horizontal strokes of most capitals
SIDE_ROWS = (1, 5, 2, 4)
WORD_GAP = 3  # a space is worth this many letter gaps


def row_heights(height):
    """Splits a text height over the 7 font rows so all horizontal bars stay equally thick."""
    base, extra = divmod(height, FONT_ROWS)
    rows = [base] * FONT_ROWS
    if extra >= len(BAR_ROWS):
        for r in BAR_ROWS:
            rows[r] += 1
        extra -= len(BAR_ROWS)
    for r in SIDE_ROWS[:extra]:
        rows[r] += 1
    return rows


def column_widths(glyph, width):
    """Splits a glyph's pixel width over its columns, widening the most inked columns first."""
    cols = len(glyph[0])
    base, extra = divmod(width, cols)
    ink = [sum(row[c] == "#" for row in glyph) for c in range(cols)]
    widest = sorted(range(cols), key=lambda c: -ink[c])[:extra]
    return [base + (1 if c in widest else 0) for c in range(cols)]


def text_mask(text, box, col_scale):
    """Pixels of `text` laid out to span `box` exactly; spare width goes into letter spacing."""
    x0, y0, x1, y1 = box
    rows = row_heights(y1 - y0 + 1)
    words = text.split(" ")
    glyphs = [[FONT[ch] for ch in word] for word in words]
    widths = [[max(len(g[0]), round(len(g[0]) * col_scale)) for g in word] for word in glyphs]
    letters = sum(sum(w) for w in widths)
    gap_units = sum(len(w) - 1 for w in widths) + WORD_GAP * (len(words) - 1)
    spare = (x1 - x0 + 1) - letters
    assert spare >= 0, f"{text!r} does not fit its box"
    unit = spare / gap_units if gap_units else 0.0

    mask = set()
    cursor = float(x0)
    for wi, word in enumerate(glyphs):
        for gi, glyph in enumerate(word):
            gx = round(cursor)
            cols = column_widths(glyph, widths[wi][gi])
            py = y0
            for r, row in enumerate(glyph):
                px = gx
                for c, cell in enumerate(row):
                    if cell == "#":
                        for yy in range(py, py + rows[r]):
                            for xx in range(px, px + cols[c]):
                                mask.add((xx, yy))
                    px += cols[c]
                py += rows[r]
            cursor += widths[wi][gi]
            if gi < len(word) - 1:
                cursor += unit
        cursor += unit * WORD_GAP
    return mask


def outline_of(mask):
    """The 8-connected ring of pixels just outside a mask."""
    ring = set()
    for x, y in mask:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in mask:
                    ring.add(p)
    return ring


# ---------------------------------------------------------------------------------------------
# A small floating-point RGB canvas and grey layers.


class Canvas:
    def __init__(self, w, h, colour=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(colour) for _ in range(w * h)]

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def blend(self, x, y, colour, alpha):
        if alpha <= 0 or not self.inside(x, y):
            return
        alpha = min(alpha, 1.0)
        p = self.px[y * self.w + x]
        for i in range(3):
            p[i] += (colour[i] - p[i]) * alpha

    def scale(self, x, y, factor):
        if self.inside(x, y):
            p = self.px[y * self.w + x]
            for i in range(3):
                p[i] *= factor

    def rows_bgr_bottom_up(self):
        """Rows of 8-bit BGR bytes, bottom row first, as a BMP stores them."""
        out = []
        for y in range(self.h - 1, -1, -1):
            row = bytearray()
            for x in range(self.w):
                r, g, b = (max(0, min(255, int(v + 0.5))) for v in self.px[y * self.w + x])
                row += bytes((b, g, r))
            out.append(bytes(row))
        return out


def new_layer(w, h):
    return [0.0] * (w * h)


def box_blur(layer, w, h, radius, passes):
    """Separable box blur with clamped edges; a few passes approach a Gaussian glow."""
    size = 2 * radius + 1
    for _ in range(passes):
        tmp = new_layer(w, h)
        for y in range(h):
            row = layer[y * w : (y + 1) * w]
            acc = row[0] * radius + sum(row[min(i, w - 1)] for i in range(radius + 1))
            for x in range(w):
                tmp[y * w + x] = acc / size
                acc += row[min(x + radius + 1, w - 1)] - row[max(x - radius, 0)]
        out = new_layer(w, h)
        for x in range(w):
            col = tmp[x::w]
            acc = col[0] * radius + sum(col[min(i, h - 1)] for i in range(radius + 1))
            for y in range(h):
                out[y * w + x] = acc / size
                acc += col[min(y + radius + 1, h - 1)] - col[max(y - radius, 0)]
        layer = out
    return layer


def smoothstep(e0, e1, v):
    t = min(1.0, max(0.0, (v - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


def soft_box(x, y, box, soft):
    """1 inside the box, falling smoothly to 0 over `soft` pixels outside it."""
    x0, y0, x1, y1 = box
    dx = max(x0 - x, 0, x - x1)
    dy = max(y0 - y, 0, y - y1)
    return 1.0 - smoothstep(0.0, soft, math.hypot(dx, dy))


def lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def rounded_rect_coverage(x, y, box, radius):
    """Antialiased coverage of pixel (x, y) by a rounded rectangle with inclusive box."""
    x0, y0, x1, y1 = box
    cx = min(max(x + 0.5, x0 + radius), x1 + 1 - radius)
    cy = min(max(y + 0.5, y0 + radius), y1 + 1 - radius)
    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) - radius
    return min(1.0, max(0.0, 0.5 - d))


def segment_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - ax - t * vx, py - ay - t * vy)


class Lcg:
    """Own generator, so the pattern never depends on the Python version's random module."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
        return self.state >> 33

    def between(self, lo, hi):
        return lo + self.next() % (hi - lo + 1)

    def chance(self, percent):
        return self.next() % 100 < percent


# ---------------------------------------------------------------------------------------------
# The skin.

DIRS = [(1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1), (0, -1), (1, -1)]


def plot(layer, w, h, x, y, value):
    if 0 <= x < w and 0 <= y < h and layer[y * w + x] < value:
        layer[y * w + x] = value


def draw_pad(layer, w, h, x, y, value, filled):
    """A ring of radius 2 (solder pad) or a filled 3x3 dot with a ring (via)."""
    for dx in range(-2, 3):
        for dy in range(-2, 3):
            edge = abs(dx) == 2 or abs(dy) == 2
            corner = abs(dx) == 2 and abs(dy) == 2
            if corner:
                continue
            if edge or (filled and abs(dx) <= 1 and abs(dy) <= 1 and (dx or dy) == 0):
                plot(layer, w, h, x + dx, y + dy, value)


def draw_trace(layer, w, h, rng, x, y, value):
    """One trace: straight runs joined by 45-degree chamfers, with pads at its ends."""
    d = 2 * rng.between(0, 3)
    draw_pad(layer, w, h, x, y, value, rng.chance(50))
    for seg in range(rng.between(2, 4)):
        if seg:
            turn = 1 if rng.chance(50) else -1
            chamfer = (d + turn) % 8
            for _ in range(rng.between(3, 9)):
                x += DIRS[chamfer][0]
                y += DIRS[chamfer][1]
                plot(layer, w, h, x, y, value)
            d = (d + 2 * turn) % 8
        for _ in range(rng.between(6, 34)):
            x += DIRS[d][0]
            y += DIRS[d][1]
            plot(layer, w, h, x, y, value)
    draw_pad(layer, w, h, x, y, value, rng.chance(40))


def draw_bus(layer, w, h, rng, x, y, value):
    """A few parallel horizontal traces with staggered ends, like a data bus."""
    lanes = rng.between(2, 4)
    length = rng.between(30, 70)
    for lane in range(lanes):
        start = x + 3 * lane
        yy = y + 3 * lane
        for xx in range(start, start + length - 4 * lane):
            plot(layer, w, h, xx, yy, value)
        draw_pad(layer, w, h, start + length - 4 * lane + 2, yy, value, True)


def trace_layer(w, h):
    layer = new_layer(w, h)
    rng = Lcg(0x5155494C4C4F4E)

    def spray(box, count, dimmest):
        x0, y0, x1, y1 = box
        for _ in range(count):
            x = x0 + 3 * rng.between(0, (x1 - x0) // 3)
            y = y0 + 3 * rng.between(0, (y1 - y0) // 3)
            value = dimmest + (1.0 - dimmest) * rng.between(0, 100) / 100
            if rng.chance(12):
                draw_bus(layer, w, h, rng, x, y, value)
            else:
                draw_trace(layer, w, h, rng, x, y, value)

    spray((0, 0, w - 1, h - 1), 44, 0.35)
    for box, _ in COLUMN_GLOWS:
        spray(box, 13, 0.6)
    spray(TEAL_GLOW, 22, 0.55)
    spray((300, 118, 399, 174), 5, 0.35)
    return layer


def glow_hue(x, y):
    """The hue the pattern glows in at (x, y), and how strongly the region lights it."""
    weights = [(soft_box(x, y, box, 10.0), hue) for box, hue in COLUMN_GLOWS]
    teal = soft_box(x, y, TEAL_GLOW, 12.0) * (1.0 - 0.6 * smoothstep(60, 300, x))
    weights.append((teal, TEAL))
    total = 0.12
    acc = [STEEL[i] * 0.12 for i in range(3)]
    for wgt, hue in weights:
        total += wgt
        for i in range(3):
            acc[i] += hue[i] * wgt
    strength = 0.3 + 0.7 * max(wgt for wgt, _ in weights)
    return tuple(a / total for a in acc), strength


def draw_background(canvas):
    w, h = canvas.w, canvas.h
    traces = trace_layer(w, h)
    near = box_blur(traces, w, h, 1, 2)
    far = box_blur(traces, w, h, 4, 2)
    ambient = new_layer(w, h)
    for y in range(h):
        for x in range(w):
            ambient[y * w + x] = max(soft_box(x, y, box, 2.0) for box, _ in COLUMN_GLOWS)
    ambient = box_blur(ambient, w, h, 6, 2)

    for y in range(h):
        for x in range(w):
            i = y * w + x
            # Deep navy at the top left to black at the bottom right.
            t = min(1.0, (y / h) * 0.7 + (x / w) * 0.3)
            base = lerp((8, 16, 48), (1, 2, 8), t)
            hue, strength = glow_hue(x, y)
            light = strength * (0.5 * traces[i] + 1.1 * near[i] + 0.8 * far[i])
            light += 0.14 * ambient[i]
            hot = 0.12 * strength * traces[i]  # whitish core of the brightest lines
            canvas.px[i] = [knee(base[c] + hue[c] * light + 255 * hot) for c in range(3)]


def knee(v):
    """Rolls bright values off softly so crossing glows do not burn out to flat white."""
    return v if v < 190 else 190 + 65 * (1 - math.exp(-(v - 190) / 65))


def darken_band(canvas, box, soft, amount):
    """Dims the pattern over an area so what is painted there stands out."""
    x0, y0, x1, y1 = box
    for y in range(max(0, y0 - soft), min(canvas.h, y1 + soft + 1)):
        for x in range(max(0, x0 - soft), min(canvas.w, x1 + soft + 1)):
            canvas.scale(x, y, 1.0 - amount * soft_box(x, y, box, soft))


def shadow_halo(canvas, mask, amount):
    """A dark halo that follows the letters, so captions read on the glowing pattern."""
    w, h = canvas.w, canvas.h
    layer = new_layer(w, h)
    for x, y in mask:
        layer[y * w + x] = 1.0
    layer = box_blur(layer, w, h, 2, 2)
    for i, v in enumerate(layer):
        if v > 0:
            f = 1.0 - amount * min(1.0, 3.0 * v)
            canvas.px[i] = [c * f for c in canvas.px[i]]


def draw_ribbon(canvas):
    """A glowing magenta ribbon leaving the title plate and fading out towards the right."""
    w, h = canvas.w, canvas.h
    body = new_layer(w, h)
    core = new_layer(w, h)
    span = RIBBON_END_X - RIBBON_START_X
    for x in range(RIBBON_START_X, RIBBON_END_X + 12):
        u = min(1.0, max(0.0, (x - RIBBON_START_X) / span))
        fade = (1.0 - u) ** 1.4
        centre = 16.5 + 1.8 * math.sin((x - RIBBON_START_X) / 23.0)
        # The width breathes as if the ribbon twisted on its way out.
        twist = 0.45 + 0.55 * abs(math.cos((x - RIBBON_START_X) / 19.0))
        half = 1.0 + 7.0 * (1.0 - u) ** 0.8 * twist
        for y in range(2, 32):
            d = abs(y + 0.5 - centre)
            body[y * w + x] = fade * min(1.0, max(0.0, half + 0.5 - d))
            core[y * w + x] = fade * max(0.0, 1.0 - d / 1.2)
            # Two thin edge lines give it the look of a ribbon rather than a bar.
            edge = abs(d - half * 0.75)
            core[y * w + x] = max(core[y * w + x], 0.6 * fade * max(0.0, 1.0 - edge))
    glow = box_blur(body, w, h, 4, 2)
    for i in range(w * h):
        if body[i] or glow[i] > 0.002 or core[i]:
            p = canvas.px[i]
            for c in range(3):
                p[c] = knee(p[c] + MAGENTA[c] * (0.6 * body[i] + 1.4 * glow[i]) + 120 * core[i])


def draw_title_plate(canvas):
    x0, y0, x1, y1 = TITLE_PLATE
    # Soft drop shadow.
    for y in range(y0, y1 + 5):
        for x in range(x0, x1 + 5):
            cover = rounded_rect_coverage(x - 2, y - 2, TITLE_PLATE, 4)
            canvas.scale(x, y, 1.0 - 0.55 * cover)
    for y in range(y0, y1 + 1):
        t = (y - y0) / (y1 - y0)
        face = lerp((220, 212, 232), (172, 163, 190), t)
        for x in range(x0, x1 + 1):
            outer = rounded_rect_coverage(x, y, TITLE_PLATE, 4)
            inner = rounded_rect_coverage(x, y, (x0 + 1, y0 + 1, x1 - 1, y1 - 1), 3)
            canvas.blend(x, y, (92, 84, 110), outer)  # rim
            colour = face
            if y == y0 + 1:
                colour = (240, 236, 248)  # lit top edge
            elif y == y1 - 1:
                colour = lerp(face, (120, 110, 140), 0.6)
            canvas.blend(x, y, colour, inner)

    mask = text_mask("QUILLON", (x0 + 16, y0 + 5, x1 - 16, y1 - 5), 3.0)
    for x, y in outline_of(mask):
        canvas.blend(x, y, (0, 0, 0), 1.0)
    for x, y in mask:
        t = (y - y0 - 5) / (y1 - y0 - 10)
        canvas.blend(x, y, lerp((96, 96, 104), (58, 58, 66), t), 1.0)


def draw_close_mark(canvas):
    x0, y0, x1, y1 = CLOSE_MARK
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if x in (x0, x1) or y in (y0, y1):
                colour = (48, 48, 54)
            elif x == x0 + 1 or y == y0 + 1:
                colour = (226, 226, 232)
            elif x == x1 - 1 or y == y1 - 1:
                colour = (112, 112, 120)
            else:
                colour = lerp((192, 192, 198), (146, 146, 154), (y - y0) / (y1 - y0))
            canvas.blend(x, y, colour, 1.0)
    # The X: two thick antialiased strokes, inset from the bevel.
    ax, ay, bx, by = x0 + 6.0, y0 + 6.0, x1 - 5.0, y1 - 5.0
    for y in range(y0 + 2, y1 - 1):
        for x in range(x0 + 2, x1 - 1):
            cx, cy = x + 0.5, y + 0.5
            d = min(segment_distance(cx, cy, ax, ay, bx, by),
                    segment_distance(cx, cy, bx, ay, ax, by))
            canvas.blend(x, y, (34, 34, 40), min(1.0, max(0.0, 1.6 - d)))


def paint_metallic(canvas, text, box, col_scale):
    """Grey capitals shaded light to dark from top to bottom, with a dark rim for contrast."""
    x0, y0, x1, y1 = box
    mask = text_mask(text, box, col_scale)
    shadow_halo(canvas, mask, 0.85)
    for x, y in outline_of(mask):
        canvas.blend(x, y, (6, 8, 14), 0.85)
    for x, y in mask:
        t = (y - y0) / max(1, y1 - y0)
        colour = lerp((238, 240, 246), (104, 106, 118), t)
        if t < 0.2:
            colour = lerp(colour, (255, 255, 255), 0.3)
        canvas.blend(x, y, colour, 1.0)


def paint_grey(canvas, text, box, col_scale):
    mask = text_mask(text, box, col_scale)
    shadow_halo(canvas, mask, 0.85)
    for x, y in outline_of(mask):
        canvas.blend(x, y, (6, 8, 14), 0.8)
    for x, y in mask:
        canvas.blend(x, y, (186, 188, 198), 1.0)


def draw_skin():
    canvas = Canvas(SKIN_W, SKIN_H)
    draw_background(canvas)
    darken_band(canvas, (RIBBON_START_X, 6, CLOSE_MARK[0] - 4, 27), 5, 0.6)
    draw_ribbon(canvas)
    draw_title_plate(canvas)
    draw_close_mark(canvas)
    for text, box in HEADINGS:
        paint_metallic(canvas, text, box, 2.0)
    for text, box in STYLE_CAPTIONS:
        paint_grey(canvas, text, box, 1.2)
    return canvas


# ---------------------------------------------------------------------------------------------
# The floating button and the icon.


def ellipse_coverage(x, y, box, samples=4):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1 + 1) / 2, (y0 + y1 + 1) / 2
    rx, ry = (x1 - x0 + 1) / 2, (y1 - y0 + 1) / 2
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            px = x + (sx + 0.5) / samples
            py = y + (sy + 0.5) / samples
            if ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1.0:
                hits += 1
    return hits / (samples * samples)


def draw_button():
    canvas = Canvas(BUTTON_W, BUTTON_H, (255, 255, 255))
    x0, y0, x1, y1 = BUTTON_OVAL
    for y in range(BUTTON_H):
        t = (y - y0) / (y1 - y0)
        body = lerp((70, 120, 235), (10, 30, 120), t)
        for x in range(BUTTON_W):
            canvas.blend(x, y, (10, 22, 80), ellipse_coverage(x, y, BUTTON_OVAL))
            canvas.blend(x, y, body, ellipse_coverage(x, y, (x0 + 1, y0 + 1, x1 - 1, y1 - 1)))
            # Glossy highlight over the upper half.
            gloss = ellipse_coverage(x, y, (x0 + 8, y0 + 2, x1 - 8, y0 + 10))
            canvas.blend(x, y, (170, 200, 255), 0.45 * gloss)
    box = (16, 9, 60, 17)
    mask = text_mask("QUILLON", box, 1.0)
    for x, y in outline_of(mask):
        canvas.blend(x, y, (8, 16, 60), 0.8)
    for x, y in mask:
        canvas.blend(x, y, lerp((226, 228, 236), (160, 162, 174), (y - 9) / 8), 1.0)
    return canvas


# The 16 colours of the standard VGA palette, in palette order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
TRIANGLE = ((16.0, 1.5), (30.5, 29.5), (1.5, 29.5))
SWIRL_CENTRE = (16.0, 20.5)


def in_triangle(px, py):
    (ax, ay), (bx, by), (cx, cy) = TRIANGLE

    def side(x0, y0, x1, y1):
        return (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0)

    s1, s2, s3 = side(ax, ay, bx, by), side(bx, by, cx, cy), side(cx, cy, ax, ay)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def swirl_distance(px, py):
    """Distance to an Archimedean spiral of a turn and a quarter."""
    cx, cy = SWIRL_CENTRE
    best = 99.0
    steps = 160
    for k in range(steps + 1):
        theta = 2.5 * math.pi * k / steps
        r = 0.4 + 0.85 * theta
        best = min(best, math.hypot(px - cx - r * math.cos(theta), py - cy - r * math.sin(theta)))
    return best


def icon_pixels(size=ICON_SIZE):
    """RGBA of the icon drawn at `size` pixels (designed at 32), 4x4 supersampled."""
    pixels = []
    n = 4
    k = size / ICON_SIZE
    for y in range(size):
        for x in range(size):
            cover = white = 0
            shade = 0.0
            for sy in range(n):
                for sx in range(n):
                    px, py = (x + (sx + 0.5) / n) / k, (y + (sy + 0.5) / n) / k
                    if in_triangle(px, py):
                        cover += 1
                        shade += py / ICON_SIZE
                        if swirl_distance(px, py) <= 1.1:
                            white += 1
            if cover == 0:
                pixels.append((0, 0, 0, 0))
                continue
            blue = lerp((40, 90, 255), (0, 0, 150), shade / cover)
            rgb = lerp(blue, (255, 255, 255), white / cover)
            pixels.append((*(round(v) for v in rgb), round(255 * cover / (n * n))))
    return pixels


VGA_NAVY, VGA_SILVER, VGA_BLUE, VGA_WHITE = 4, 7, 12, 15


def vga_index(pixel):
    """Palette entry of one icon pixel: flat blue with a navy rim, the swirl white.
    Picking by rule, not by nearest colour, keeps the gradient from splitting into two bands."""
    r, g, b, a = pixel
    if a < 255:
        return VGA_NAVY
    whiteness = r / 255  # the blue's red channel is low, so red measures the swirl's share
    if whiteness > 0.72:
        return VGA_WHITE
    if whiteness > 0.42:
        return VGA_SILVER
    return VGA_BLUE


# ---------------------------------------------------------------------------------------------
# File formats.


def bitmap_info_header(w, h, bits, image_size, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, image_size, 3780, 3780, colours, 0)


def encode_bmp24(canvas):
    rows = canvas.rows_bgr_bottom_up()
    stride = (canvas.w * 3 + 3) & ~3
    data = b"".join(r + b"\0" * (stride - len(r)) for r in rows)
    info = bitmap_info_header(canvas.w, canvas.h, 24, len(data))
    offset = 14 + len(info)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return file_header + info + data


def and_mask(alpha_rows):
    """1 bit per pixel, set where the icon is transparent; rows padded to 32 bits."""
    out = bytearray()
    for row in alpha_rows:
        bits = bytearray((len(row) + 31) // 32 * 4)
        for x, a in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def encode_icon_4bit(pixels):
    size = ICON_SIZE
    rows = [pixels[y * size : (y + 1) * size] for y in range(size - 1, -1, -1)]
    xor = bytearray()
    for row in rows:
        for x in range(0, size, 2):
            idx = [vga_index(p) if p[3] >= 128 else 0 for p in row[x : x + 2]]
            xor.append(idx[0] << 4 | idx[1])
    mask = and_mask([[p[3] for p in row] for row in rows])
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA16)
    info = bitmap_info_header(size, 2 * size, 4, len(xor) + len(mask), 16)
    return info + palette + bytes(xor) + mask


def encode_icon_32bit(pixels, size):
    """Straight BGRA rows, bottom up, with the AND mask for systems that ignore alpha."""
    rows = [pixels[y * size : (y + 1) * size] for y in range(size - 1, -1, -1)]
    xor = b"".join(bytes((b, g, r, a)) for row in rows for r, g, b, a in row)
    mask = and_mask([[p[3] for p in row] for row in rows])
    info = bitmap_info_header(size, 2 * size, 32, len(xor) + len(mask))
    return info + xor + mask


def encode_ico(images):
    """images: list of (size, colour count byte, bits per pixel, image data)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        entry = (size, size, colours, 0, 1, bits, len(data), offset)
        out += struct.pack("<BBBBHHII", *entry)
        offset += len(data)
    return out + b"".join(data for _, _, _, data in images)


# ---------------------------------------------------------------------------------------------
# Checks of what was written: sizes, depths and a few pixels whose colour the windows rely on.


def bmp_pixel(data, x, y):
    _, _, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    w, h = struct.unpack_from("<ii", data, 18)
    stride = (w * 3 + 3) & ~3
    at = offset + (h - 1 - y) * stride + 3 * x
    b, g, r = data[at : at + 3]
    return r, g, b


def check_bmp(name, data, w, h):
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    hsize, bw, bh, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    assert magic == b"BM" and size == len(data), f"{name}: bad file header"
    assert (hsize, bw, bh, planes, bits, compression) == (40, w, h, 1, 24, 0), (
        f"{name}: expected {w}x{h} 24-bit bottom-up, got {bw}x{bh} {bits}-bit"
    )
    assert offset + ((w * 3 + 3) & ~3) * h == len(data), f"{name}: pixel data size"


def check_ico(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind) == (0, 1) and count >= 1, "quillon.ico: not an icon file"
    images = []
    for i in range(count):
        w, h, colours, _, planes, bits, size, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i
        )
        assert w == h and offset + size <= len(data)
        hsize, bw, bh, _, hbits = struct.unpack_from("<IiiHH", data, offset)
        assert (hsize, bw, bh, hbits) == (40, w, 2 * w, bits)
        colour_bytes = (16 * 4 + w * w // 2) if bits == 4 else w * w * 4
        mask_bytes = (w + 31) // 32 * 4 * w
        assert size == 40 + colour_bytes + mask_bytes, f"icon image {i}: size {size}"
        if bits == 4:
            assert colours == 16
        images.append((w, bits))
    assert (ICON_SIZE, 4) in images, "quillon.ico: the 16-colour image is missing"
    for s in ICON_SCALED_SIZES:
        assert (s, 32) in images, f"quillon.ico: no {s}x{s} image"


def check_look(skin, button):
    """Spot checks that each element landed where the windows expect it."""

    def lum(rgb):
        return sum(rgb) / 3

    def dominant(rgb, channel):
        return rgb[channel] == max(rgb) and rgb[channel] > 1.3 * min(rgb) + 10

    assert lum(bmp_pixel(skin, 12, 16)) > 150, "title plate should be light"
    assert lum(bmp_pixel(skin, 386, 7)) > 120, "close mark should be a grey square"
    assert lum(bmp_pixel(skin, 387, 15)) < 80, "close mark should have a dark X at its centre"
    for x, y in [(0, 0), (74, 0), (0, 24), (74, 24)]:
        assert bmp_pixel(button, x, y) == (255, 255, 255), "button corners must be white"
    assert dominant(bmp_pixel(button, 8, 12), 2), "the button oval should be blue"
    # The glow of each column, summed over the gaps between its sliders, where it shows.
    R, G, B = 0, 1, 2
    columns = [("blue", 19, 89, B), ("violet", 116, 186, B), ("red", 210, 280, R),
               ("green", 304, 374, G)]
    for name, x0, x1, channel in columns:
        total = [0, 0, 0]
        for x in range(x0, x1 + 1):
            for y in (86, 87, 98, 99):
                for c, v in enumerate(bmp_pixel(skin, x, y)):
                    total[c] += v
        assert dominant(total, channel), f"column at x {x0} should glow {name}, got {total}"
        if name == "violet":
            assert total[R] > 1.3 * total[G], f"violet column lacks red: {total}"
        if name == "blue":
            assert total[G] > 1.2 * total[R], f"blue column drifts to violet: {total}"


def render():
    skin = encode_bmp24(draw_skin())
    button = encode_bmp24(draw_button())
    images = [(ICON_SIZE, 16, 4, encode_icon_4bit(icon_pixels()))]
    for size in ICON_SCALED_SIZES:
        images.append((size, 0, 32, encode_icon_32bit(icon_pixels(size), size)))
    icon = encode_ico(images)
    check_bmp("skin.bmp", skin, SKIN_W, SKIN_H)
    check_bmp("button.bmp", button, BUTTON_W, BUTTON_H)
    check_ico(icon)
    check_look(skin, button)
    return {"skin.bmp": skin, "button.bmp": button, "quillon.ico": icon}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare, do not write")
    parser.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)))
    args = parser.parse_args()
    files = render()
    stale = []
    for name, data in files.items():
        path = os.path.join(args.out, name)
        if args.check:
            with open(path, "rb") as f:
                if f.read() != data:
                    stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

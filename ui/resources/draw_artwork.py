#!/usr/bin/env python3
"""Draws Quillon's icon, quillon.ico: 16 colours at 32x32, true colour for 125 to 300 %.

Standard library only and fully deterministic, so the committed file can be rebuilt byte for
byte. Usage: draw_artwork.py [--check] [--out DIR]. With --check nothing is written; the icon
is drawn in memory and compared with the file already in DIR. The skin and the floating
button's picture are drawn by the C++ module ui/art, whose tool art_export writes them.
"""

import argparse
import math
import os
import struct
import sys

ICON_SIZE = 32  # the 16-colour image; the true-colour images follow the display scales
ICON_SCALED_SIZES = [40, 48, 56, 64, 80, 96]  # 125, 150, 175, 200, 250 and 300 %

# The 16 colours of the standard VGA palette, in palette order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
TRIANGLE = ((16.0, 1.5), (30.5, 29.5), (1.5, 29.5))
SWIRL_CENTRE = (16.0, 20.5)


def lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


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
# A check of what is written: the images, their sizes and depths.


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


def render():
    images = [(ICON_SIZE, 16, 4, encode_icon_4bit(icon_pixels()))]
    for size in ICON_SCALED_SIZES:
        images.append((size, 0, 32, encode_icon_32bit(icon_pixels(size), size)))
    icon = encode_ico(images)
    check_ico(icon)
    return {"quillon.ico": icon}


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

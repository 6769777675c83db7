#!/usr/bin/env python3
"""Draws the pop-up's built-in images (resources 2000-2002) as RGBA PNGs.

Run from the repository root: python3 tools/images/make_pop_images.py
The output is committed under res/images; the drawing is deterministic.
"""
import struct
import zlib
from pathlib import Path


def write_png(path, width, height, pixel):
    Path(path).write_bytes(encode_png(width, height, pixel))


def encode_png(width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        for x in range(width):
            rows.extend(pixel(x, y))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")


def shadow(x, y, size=256, blur=24):
    # A soft black frame: opaque-ish inside, fading to nothing over the outer blur band.
    edge = min(x, y, size - 1 - x, size - 1 - y)
    alpha = 90 if edge >= blur else int(round(90 * (edge / blur) ** 2))
    return (0, 0, 0, alpha)


def badge(colour):
    def pixel(x, y, width=24, height=20, radius=4):
        # A rounded rectangle with a one-pixel anti-aliased rim.
        dx = max(radius - x, 0, x - (width - 1 - radius))
        dy = max(radius - y, 0, y - (height - 1 - radius))
        distance = (dx * dx + dy * dy) ** 0.5
        coverage = max(0.0, min(1.0, radius + 0.5 - distance)) if (dx or dy) else 1.0
        return (*colour, int(round(255 * coverage)))
    return pixel


if __name__ == "__main__":
    out = Path("res/images")
    out.mkdir(parents=True, exist_ok=True)
    write_png(out / "shadow.png", 256, 256, shadow)
    write_png(out / "count_down_bg_red.png", 24, 20, badge((0xE8, 0x3B, 0x2E)))
    write_png(out / "count_down_bg_white.png", 24, 20, badge((0xFF, 0xFF, 0xFF)))

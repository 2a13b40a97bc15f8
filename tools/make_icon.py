#!/usr/bin/env python3
"""Draws the program's icon (16 to 64 pixels, 32-bit with alpha) and writes it as an .ico file.

The picture: a small boat with a white sail on a teal, rounded square.
"""
import struct
import sys
import zlib


def pixel(x: float, y: float) -> tuple:
    """Colour (r, g, b, a) at a point of the unit square, y growing downwards."""
    margin, radius = 0.04, 0.22
    cx = min(max(x, margin + radius), 1 - margin - radius)
    cy = min(max(y, margin + radius), 1 - margin - radius)
    if (x - cx) ** 2 + (y - cy) ** 2 > radius ** 2:
        return (0, 0, 0, 0)
    # Sail: a triangle from the mast rightwards.
    if 0.22 <= y <= 0.66 and 0.50 <= x <= 0.50 + (y - 0.22) * 0.75:
        return (255, 255, 255, 255)
    # Mast.
    if 0.46 <= x <= 0.50 and 0.18 <= y <= 0.70:
        return (250, 250, 250, 255)
    # Hull: a trapezoid.
    if 0.70 <= y <= 0.82 and 0.22 + (y - 0.70) <= x <= 0.80 - (y - 0.70):
        return (120, 60, 20, 255)
    # Water shading from light to dark teal.
    shade = int(40 * y)
    return (34 - shade // 2, 202 - shade, 221 - shade, 255)


def render(size: int) -> bytes:
    """BITMAPINFOHEADER + bottom-up BGRA rows + an all-zero AND mask."""
    samples = 4  # supersampling per axis for smooth edges
    rows = []
    for row in range(size):
        line = bytearray()
        for col in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    r, g, b, a = pixel((col + (sx + 0.5) / samples) / size,
                                       (row + (sy + 0.5) / samples) / size)
                    acc = [acc[0] + r * a, acc[1] + g * a, acc[2] + b * a, acc[3] + a]
            alpha = acc[3] // (samples * samples)
            if acc[3]:
                r, g, b = (acc[i] // acc[3] for i in range(3))
            else:
                r = g = b = 0
            line += bytes((b, g, r, alpha))
        rows.append(bytes(line))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_stride = ((size + 31) // 32) * 4
    return header + b"".join(reversed(rows)) + bytes(mask_stride * size)


def render_png(size: int) -> bytes:
    """The same picture as a PNG (RGBA, top-down): what an icon holds for its large images."""
    dib = render(size)
    rows = [dib[40 + row * size * 4:40 + (row + 1) * size * 4] for row in range(size)]
    raw = bytearray()
    for row in reversed(rows):  # the DIB is bottom-up
        raw.append(0)  # no filter
        for i in range(0, len(row), 4):
            b, g, r, a = row[i:i + 4]
            raw += bytes((r, g, b, a))

    def chunk(kind: bytes, data: bytes) -> bytes:
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main() -> int:
    if len(sys.argv) != 2:
        print("usage: make_icon.py OUTPUT.ico", file=sys.stderr)
        return 2
    # The small and large icon sizes at 96, 120, 144 and 192 DPI, so that the system and the
    # styled caption take an image of the size they draw instead of stretching another.
    # The large ones, which only the system shows, are stored compressed (PNG, as Windows has
    # read them in icons since Vista): a third of the program's resources otherwise.
    images = [(size, render(size) if size <= 32 else render_png(size))
              for size in (16, 20, 24, 32, 40, 48, 64)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Writes a PNG (8-bit RGBA, colour type 6, 96 dpi) from a readable pixel description.

Description format (UTF-8 text):
  # comment                      ignored (so '#' cannot be a pixel character)
  palette X RRGGBBAA             one pixel character and its colour, hexadecimal
  then one line per pixel row, one palette character per pixel; every row the same width.
"""
import struct
import sys
import zlib

PIXELS_PER_METRE_96_DPI = 3780


def read_description(path: str) -> tuple:
    palette = {}
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("palette "):
                parts = line.split()
                if (len(parts) != 3 or len(parts[1]) != 1 or parts[1] == "#" or
                        len(parts[2]) != 8):
                    raise ValueError(f"{path}:{number}: expected 'palette X RRGGBBAA'")
                palette[parts[1]] = bytes.fromhex(parts[2])
                continue
            row = bytearray()
            for char in line:
                if char not in palette:
                    raise ValueError(f"{path}:{number}: '{char}' is not in the palette")
                row += palette[char]
            rows.append(bytes(row))
    if not rows:
        raise ValueError(f"{path}: no pixel rows")
    if any(len(r) != len(rows[0]) for r in rows):
        raise ValueError(f"{path}: rows differ in width")
    return len(rows[0]) // 4, len(rows), rows


def chunk(kind: bytes, data: bytes) -> bytes:
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def encode_png(width: int, height: int, rows: list) -> bytes:
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # RGBA, no interlace
    density = struct.pack(">IIB", PIXELS_PER_METRE_96_DPI, PIXELS_PER_METRE_96_DPI, 1)
    scanlines = b"".join(b"\x00" + row for row in rows)  # filter type 0 (None) per row
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"pHYs", density) +
            chunk(b"IDAT", zlib.compress(scanlines, 9)) + chunk(b"IEND", b""))


def main() -> int:
    if len(sys.argv) != 3:
        print("usage: make_png.py DESCRIPTION.txt OUTPUT.png", file=sys.stderr)
        return 2
    try:
        width, height, rows = read_description(sys.argv[1])
    except (OSError, ValueError) as error:
        print(f"make_png.py: {error}", file=sys.stderr)
        return 1
    with open(sys.argv[2], "wb") as out:
        out.write(encode_png(width, height, rows))
    return 0


if __name__ == "__main__":
    sys.exit(main())

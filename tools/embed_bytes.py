#!/usr/bin/env python3
"""Writes a C++ source that holds a file as an embedded byte set.

The block has the program's byte-set layout: int32 dimension count (1), int32 length, the bytes.
"""
import struct
import sys


def main() -> int:
    if len(sys.argv) != 4:
        print("usage: embed_bytes.py INPUT SYMBOL OUTPUT.cpp", file=sys.stderr)
        return 2
    source, symbol, target = sys.argv[1:]
    with open(source, "rb") as f:
        data = f.read()
    block = struct.pack("<ii", 1, len(data)) + data
    lines = []
    for i in range(0, len(block), 24):
        lines.append(",".join(str(b) for b in block[i:i + 24]) + ",")
    with open(target, "w", encoding="ascii") as out:
        out.write('#include "resources/byte_set.h"\n\n')
        out.write("namespace {\n")
        out.write(f"alignas(4) const unsigned char kBlock[{len(block)}] = {{\n")
        out.write("\n".join(lines))
        out.write("\n};\n}  // namespace\n\n")
        out.write(f"extern const EmbeddedByteSet {symbol}{{kBlock}};\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())

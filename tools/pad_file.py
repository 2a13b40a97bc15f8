#!/usr/bin/env python3
"""Copies a file and pads it with zero bytes to an exact size.

    pad_file.py INPUT OUTPUT SIZE

Fails, writing nothing, when INPUT is already larger than SIZE. The skin library is padded
this way: Windows' loader ignores bytes after the last section of a PE file.
"""
import os
import sys


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    source, target, size = argv[1], argv[2], int(argv[3])
    with open(source, "rb") as f:
        data = f.read()
    if len(data) > size:
        print(f"pad_file: {source} has {len(data)} bytes, more than the {size} it must fit in",
              file=sys.stderr)
        if os.path.exists(target):
            os.remove(target)
        return 1
    with open(target, "wb") as f:
        f.write(data + bytes(size - len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

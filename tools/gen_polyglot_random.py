#!/usr/bin/env python3
"""Writes src/search/PolyglotRandom.cpp: the 781 numbers of the Polyglot book
key (pieces, castling, en passant file, side to move), taken from Debian's
installed `polyglot` program, where they are stored little-endian from the
first value 0x9D39247E33776D41 on.

    python3 tools/gen_polyglot_random.py [/usr/games/polyglot]

The tests check the keys of known positions, so a wrong table shows."""
import os
import struct
import sys

FIRST = 0x9D39247E33776D41
COUNT = 781


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "/usr/games/polyglot"
    data = open(binary, "rb").read()
    at = data.find(struct.pack("<Q", FIRST))
    if at < 0:
        sys.exit(f"{binary}: the table's first value is not in it")
    values = struct.unpack_from(f"<{COUNT}Q", data, at)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(root, "src", "search", "PolyglotRandom.cpp")
    with open(out, "w") as f:
        f.write("// The 781 numbers of the Polyglot book key, written by\n"
                "// tools/gen_polyglot_random.py: 768 for a piece on a square (kind x 64 +\n"
                "// row x 8 + file; kinds black pawn, white pawn, black knight, ... white\n"
                "// king), 4 castling rights, 8 en passant files, 1 for White to move.\n"
                "#include \"search/book.h\"\n\n"
                "const uint64_t polyglot_random[781] = {\n")
        for i in range(0, COUNT, 3):
            row = ", ".join(f"0x{v:016X}ull" for v in values[i:i + 3])
            f.write(f"    {row},\n")
        f.write("};\n")
    print(f"wrote {out}")


if __name__ == "__main__":
    main()

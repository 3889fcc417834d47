#!/usr/bin/env python3
"""Times the mate problems of the tactical suite (tests/data/wac-mates.epd)
through `tamzor-cli search` at the window's defaults (no ply limit, S
seconds): found when the value is the exact mate, and when it came.

usage: bench/mates_2d.py CLI EPD SECONDS
"""
import re
import subprocess
import sys


def main():
    cli, epd, seconds = sys.argv[1], sys.argv[2], sys.argv[3]
    found = total = 0
    slowest = (0, "")
    for line in open(epd):
        dm = re.search(r"\bdm (\d+);", line)
        ident = re.search(r'\bid "([^"]+)"', line)
        if not dm or not ident:
            continue
        fields = line.split()
        fen = " ".join(fields[:4]) + " 0 1"
        mate = int(dm.group(1))
        r = subprocess.run([cli, "search", "--2d", "--fen", fen, "--time", seconds],
                           capture_output=True, text=True)
        value = re.search(r"^value (\S+)", r.stdout, re.M)
        ms = re.search(r"^time (\d+)", r.stdout, re.M)
        move = re.search(r"^move (\S+)", r.stdout, re.M)
        ms = int(ms.group(1)) if ms else -1
        ok = value is not None and value.group(1) == f"Mate{mate:02d}"
        total += 1
        found += ok
        if ok and ms > slowest[0]:
            slowest = (ms, ident.group(1))
        print(f"{ident.group(1)}: mate in {mate}, {move.group(1) if move else '?'} "
              f"{value.group(1) if value else '?'} in {ms} ms{'' if ok else '  MISSED'}")
    print(f"found {found} of {total} with their exact mate at {seconds} s; "
          f"slowest {slowest[1]} in {slowest[0]} ms")


if __name__ == "__main__":
    main()

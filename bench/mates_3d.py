#!/usr/bin/env python3
"""Counts the 3D mate problems (tests/data/mates-3d.pgn) the engine solves
through `tamzor-cli search` at a time a position: solved when its move is
one of the problem's mating first moves and its value the exact mate.

usage: bench/mates_3d.py CLI PGN SECONDS
"""
import re
import subprocess
import sys
import time


def main():
    cli, pgn, seconds = sys.argv[1], sys.argv[2], sys.argv[3]
    text = open(pgn).read()
    problems = re.findall(r'\[Mate "(\d)"\]\s*\[Solutions "([^"]*)"\]', text)
    solved = {1: [0, 0], 2: [0, 0], 3: [0, 0]}
    start = time.monotonic()
    for number, (mate, solutions) in enumerate(problems, 1):
        mate = int(mate)
        r = subprocess.run([cli, "search", "--pgn", pgn, "--game", str(number), "--time", seconds],
                           capture_output=True, text=True)
        move = re.search(r"^move (\S+)", r.stdout, re.M)
        value = re.search(r"^value (\S+)", r.stdout, re.M)
        ok = (move and value and move.group(1) in solutions.split() and value.group(1) == f"Mate{mate:02d}")
        solved[mate][1] += 1
        solved[mate][0] += bool(ok)
        if not ok:
            print(f"problem {number} (mate in {mate}): {move.group(1) if move else '?'} "
                  f"{value.group(1) if value else '?'}, solutions {solutions}")
    total = sum(s for s, _ in solved.values())
    print(f"solved {total} of {len(problems)} at {seconds} s: "
          + ", ".join(f"mate in {n} {s}/{t}" for n, (s, t) in solved.items())
          + f" ({time.monotonic() - start:.0f} s)")


if __name__ == "__main__":
    main()

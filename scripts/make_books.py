#!/usr/bin/env python3
"""Makes the opening books of books/ (Python standard library only).

    python3 scripts/make_books.py [--only 2d|3d] [--games-2d N] [--games-3d N]
                                  [--seed S] [--lines-only | --bin-only]

2D: Stockfish (/usr/games/stockfish) plays itself from the start position
for the first 14 plies; in each position it searches with MultiPV 5 to
depth 10, and one of the moves within 25 centipawns of its best is played at
random. 3D: Tamzor's own engine does the same through `make_book selfplay`
(every legal move valued by a search of its own, 5 plies within 60000
nodes, one within 0.3 pawns
of the best played) for 12 plies. The lines go to books/lines-2d.txt and
books/lines-3d.txt; `make_book lines` then counts each position's moves into
books/tamzor-2d.bin (Polyglot's form) and books/tamzor-3d.bin, a move's weight
being the number of games that played it. --bin-only remakes the books from
the lines kept in the repository. Builds make_book first (cmake --build build
--target make_book).
"""
import argparse
import os
import random
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build")
MAKE_BOOK = os.path.join(BUILD, "make_book")


class Engine:
    def __init__(self, cmd):
        self.p = subprocess.Popen(cmd, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)

    def send(self, line):
        self.p.stdin.write(line + "\n")
        self.p.stdin.flush()

    def until(self, word):
        lines = []
        while True:
            line = self.p.stdout.readline()
            if not line:
                raise RuntimeError("the engine left")
            lines.append(line.strip())
            if line.startswith(word):
                return lines

    def close(self):
        self.send("quit")
        self.p.wait(timeout=10)


def stockfish_lines(games, plies, depth, multipv, margin, rng):
    sf = Engine(["/usr/games/stockfish"])
    sf.send("uci")
    sf.until("uciok")
    for opt, val in (("Threads", 1), ("Hash", 32), ("MultiPV", multipv)):
        sf.send(f"setoption name {opt} value {val}")
    sf.send("isready")
    sf.until("readyok")
    known = {}
    lines = []
    for g in range(games):
        moves = []
        for _ in range(plies):
            key = " ".join(moves)
            if key not in known:
                sf.send("position startpos" + (" moves " + key if moves else ""))
                sf.send(f"go depth {depth}")
                best = {}
                for line in sf.until("bestmove"):
                    w = line.split()
                    if not w or w[0] != "info" or "multipv" not in w or " pv " not in line + " ":
                        continue
                    if "score" not in w or "pv" not in w:
                        continue
                    k = int(w[w.index("multipv") + 1])
                    s = w.index("score")
                    cp = int(w[s + 2]) if w[s + 1] == "cp" else (100000 if int(w[s + 2]) > 0 else -100000)
                    best[k] = (cp, w[w.index("pv") + 1])
                known[key] = list(best.values())
            cands = known[key]
            if not cands:
                break
            top = max(cp for cp, _ in cands)
            near = sorted(mv for cp, mv in cands if cp >= top - margin)
            moves.append(rng.choice(near))
        lines.append(" ".join(moves))
        print(f"2d game {g + 1}: {lines[-1]}", file=sys.stderr)
    sf.close()
    return lines


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--only", choices=["2d", "3d"])
    ap.add_argument("--games-2d", type=int, default=300)
    ap.add_argument("--games-3d", type=int, default=200)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--bin-only", action="store_true", help="remake the books from the kept lines")
    args = ap.parse_args()
    subprocess.run(["cmake", "--build", BUILD, "--target", "make_book", "-j2"], check=True,
                   stdout=subprocess.DEVNULL)
    books = os.path.join(ROOT, "books")
    for kind in ("2d", "3d"):
        if args.only and args.only != kind:
            continue
        lines = os.path.join(books, f"lines-{kind}.txt")
        if not args.bin_only:
            if kind == "2d":
                text = stockfish_lines(args.games_2d, 14, 10, 5, 25, random.Random(args.seed))
                with open(lines, "w") as f:
                    f.write("\n".join(text) + "\n")
            else:
                subprocess.run([MAKE_BOOK, "selfplay", "--3d", lines, "--games", str(args.games_3d),
                                "--plies", "12", "--depth", "5", "--nodes", "60000", "--seed", str(args.seed)], check=True)
        subprocess.run([MAKE_BOOK, "lines", "--" + kind, lines, os.path.join(books, f"tamzor-{kind}.bin")],
                       check=True)


if __name__ == "__main__":
    main()

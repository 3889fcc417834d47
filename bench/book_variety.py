#!/usr/bin/env python3
"""How varied the computer's openings are with its book: GAMES games of the
computer against itself from the start position (`tamzor-cli play --computer
both`, the book on, TIME seconds a move once out of book), in each game kind,
counting the distinct positions after PLIES plies.

    python3 bench/book_variety.py [--cli build/tamzor-cli] [--games 20]
                                  [--plies 8] [--time 0.2] [--book on|off]
"""
import argparse
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def position_after(cli, kind, plies, seconds, book):
    """The board text after `plies` plies of one self-play game, and the moves."""
    # the computer plays both sides while the input stays open
    p = subprocess.Popen([cli, "play", "--" + kind, "--computer", "both", "--book", book, "--time", str(seconds)],
                         stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    moves, board = [], []
    try:
        for line in p.stdout:
            w = line.split()
            # the record's lines: "1. e4", "1. ... e5" (3D: "1. Nc3N")
            if len(w) >= 2 and w[0].endswith(".") and w[0][:-1].isdigit():
                if len(moves) >= plies:
                    break
                moves.append(w[-1])
            elif len(moves) == plies and line.strip():
                board.append(line.rstrip())
    finally:
        p.kill()
        p.wait()
    return "\n".join(board), " ".join(moves)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default=os.path.join(ROOT, "build", "tamzor-cli"))
    ap.add_argument("--games", type=int, default=20)
    ap.add_argument("--plies", type=int, default=8)
    ap.add_argument("--time", type=float, default=0.2)
    ap.add_argument("--book", default="on")
    args = ap.parse_args()
    for kind in ("2d", "3d"):
        games = [position_after(args.cli, kind, args.plies, args.time, args.book) for _ in range(args.games)]
        boards = {b for b, _ in games}
        print(f"{kind}: {len(boards)} distinct positions after {args.plies} plies in {args.games} games "
              f"(book {args.book})")
        for line in sorted({m for _, m in games}):
            print("   ", line)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Labelled 2D positions for tools/tune_eval.cpp, from games of a UCI engine
against itself.

Each game starts from a random opening of bench/openings-2d-wide.txt; every
move is searched to a random node count (so that games differ), and every
position searched is written as "FEN|score|bestmove|incheck": the engine's
score in centipawns for the side to move (a mate as +-30000), its move, and
1 when the side to move is in check. A game ends at a mate, at 300 plies or
once past the opening one side is 20 pawns up.

    python3 tools/label_positions.py GAMES SEED OUT [ENGINE]

ENGINE defaults to the Debian package's /usr/games/stockfish (see
scripts/install-deps match).
"""
import os
import random
import subprocess
import sys


def main():
    if len(sys.argv) < 4:
        raise SystemExit(__doc__)
    games, seed, out_path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    engine = sys.argv[4] if len(sys.argv) > 4 else "/usr/games/stockfish"
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "..", "bench", "openings-2d-wide.txt")) as f:
        openings = [line.split() for line in f if line.strip() and not line.startswith("#")]
    rng = random.Random(seed)
    proc = subprocess.Popen([engine], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)

    def send(text):
        proc.stdin.write(text + "\n")

    def until(prefix):
        lines = []
        while True:
            line = proc.stdout.readline()
            if not line:
                raise SystemExit("the engine stopped")
            lines.append(line.rstrip("\n"))
            if line.startswith(prefix):
                return lines

    send("uci")
    until("uciok")
    send("setoption name Hash value 16")
    send("isready")
    until("readyok")
    with open(out_path, "w") as out:
        for _ in range(games):
            moves = list(rng.choice(openings))
            send("ucinewgame")
            for ply in range(300):
                send("position startpos moves " + " ".join(moves))
                send("d")
                shown = until("Checkers")
                fen = next(line for line in shown if line.startswith("Fen:"))[5:]
                in_check = 1 if shown[-1].split(":", 1)[1].strip() else 0
                send("go nodes %d" % rng.randint(1000, 6000))
                said = until("bestmove")
                best = said[-1].split()[1]
                if best == "(none)":
                    break
                score = None
                for line in said:
                    words = line.split()
                    if "score" in words:
                        i = words.index("score")
                        n = int(words[i + 2])
                        score = n if words[i + 1] == "cp" else (30000 if n > 0 else -30000)
                out.write("%s|%s|%s|%d\n" % (fen, score, best, in_check))
                if score is not None and (abs(score) >= 30000 or (ply > 20 and abs(score) > 2000)):
                    break
                moves.append(best)
            out.flush()
    send("quit")


if __name__ == "__main__":
    main()

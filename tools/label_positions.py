#!/usr/bin/env python3
"""Labelled 2D positions for tools/tune_eval.cpp.

Two sources of positions:
- games of a UCI engine against itself: each game starts from a random
  opening of bench/openings-2d-wide.txt; every move is searched to a random
  node count (so that games differ), and every position searched is written.
  A game ends at a mate, at 300 plies or once past the opening one side is
  20 pawns up.
- a list of positions ("--fens"), one FEN or EPD a line (the move counters
  may be left out), such as pgn-extract -Wepd writes from games the program
  played; each is searched to a fixed node count.

Every position is written as "FEN|score|bestmove|incheck": the engine's score
in centipawns for the side to move (a mate as +-30000), its move, and 1 when
the side to move is in check.

    python3 tools/label_positions.py GAMES SEED OUT [ENGINE]
    python3 tools/label_positions.py --fens IN NODES OUT [ENGINE]

ENGINE defaults to the Debian package's /usr/games/stockfish (see
scripts/install-deps match).
"""
import os
import random
import subprocess
import sys


class Engine:
    def __init__(self, path):
        self.proc = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
        self.send("uci")
        self.until("uciok")
        self.send("setoption name Hash value 16")
        self.send("isready")
        self.until("readyok")

    def send(self, text):
        self.proc.stdin.write(text + "\n")

    def until(self, prefix):
        lines = []
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise SystemExit("the engine stopped")
            lines.append(line.rstrip("\n"))
            if line.startswith(prefix):
                return lines

    def label(self, position, nodes):
        """(fen, score or None, best move or None, in check) of a "position" command's argument."""
        self.send("position " + position)
        self.send("d")
        shown = self.until("Checkers")
        fen = next(line for line in shown if line.startswith("Fen:"))[5:]
        in_check = 1 if shown[-1].split(":", 1)[1].strip() else 0
        self.send("go nodes %d" % nodes)
        said = self.until("bestmove")
        best = said[-1].split()[1]
        score = None
        for line in said:
            words = line.split()
            if "score" in words:
                i = words.index("score")
                n = int(words[i + 2])
                score = n if words[i + 1] == "cp" else (30000 if n > 0 else -30000)
        return fen, score, (None if best == "(none)" else best), in_check

    def quit(self):
        self.send("quit")
        self.proc.wait()


def from_games(games, seed, out_path, engine):
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "..", "bench", "openings-2d-wide.txt")) as f:
        openings = [line.split() for line in f if line.strip() and not line.startswith("#")]
    rng = random.Random(seed)
    with open(out_path, "w") as out:
        for _ in range(games):
            moves = list(rng.choice(openings))
            engine.send("ucinewgame")
            for ply in range(300):
                fen, score, best, in_check = engine.label("startpos moves " + " ".join(moves),
                                                          rng.randint(1000, 6000))
                if best is None:
                    break
                out.write("%s|%s|%s|%d\n" % (fen, score, best, in_check))
                if score is not None and (abs(score) >= 30000 or (ply > 20 and abs(score) > 2000)):
                    break
                moves.append(best)
            out.flush()


def from_fens(in_path, nodes, out_path, engine):
    with open(in_path) as f, open(out_path, "w") as out:
        for line in f:
            fields = line.split(";", 1)[0].split()
            if len(fields) < 4:
                continue  # a blank line between games, or a broken one
            # an EPD's operations follow the four board fields; a FEN's counters are numbers
            counters = [w for w in fields[4:6] if w.isdigit()]
            fields = fields[:4] + (counters if len(counters) == 2 else ["0", "1"])
            fen, score, best, in_check = engine.label("fen " + " ".join(fields), nodes)
            if best is not None:
                out.write("%s|%s|%s|%d\n" % (fen, score, best, in_check))


def main():
    args = sys.argv[1:]
    if len(args) >= 4 and args[0] == "--fens":
        engine = Engine(args[4] if len(args) > 4 else "/usr/games/stockfish")
        from_fens(args[1], int(args[2]), args[3], engine)
    elif len(args) >= 3 and args[0] != "--fens":
        engine = Engine(args[3] if len(args) > 3 else "/usr/games/stockfish")
        from_games(int(args[0]), int(args[1]), args[2], engine)
    else:
        raise SystemExit(__doc__)
    engine.quit()


if __name__ == "__main__":
    main()

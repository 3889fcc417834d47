#!/usr/bin/env python3
"""How the game review agrees with Stockfish on the moves that lose most.

Plays a few 2D games with Stockfish against itself at a low skill level (so
that they hold real mistakes), from the openings of bench/openings-2d.txt,
reviews each with `tamzor-cli review`, and has Stockfish value every position
of the same games at a fixed time. A move "loses more than two pawns" by
Stockfish's values when the mover's value before it less the value after it
exceeds 200 centipawns (values clamped to +-10 pawns, a mate counting 10, so
that a won game thrown from +15 to +12 does not count). For those moves, and
for the moves our review marks ??, it reports: both mark it, only one, or
neither, with the agreement as a percentage. It also times a review of a
60-ply game at --timing-seconds a position.

    python3 bench/review_vs_stockfish.py --cli build/tamzor-cli \\
        [--games 5] [--plies 60] [--seconds 0.3] [--sf-ms 300] [--timing-seconds 1]
        [--save FILE]

--save writes each game's moves, Stockfish's values and our review's marks
and evals as JSON, for weighing other marking rules without replaying.
"""
import argparse
import json
import os
import re
import subprocess
import sys
import time

CLAMP = 1000  # centipawns


class Stockfish:
    def __init__(self, path):
        self.p = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True, bufsize=1)
        self.send("uci")
        self.until("uciok")

    def send(self, line):
        self.p.stdin.write(line + "\n")
        self.p.stdin.flush()

    def until(self, prefix):
        lines = []
        while True:
            line = self.p.stdout.readline()
            if not line:
                raise RuntimeError("stockfish ended")
            line = line.strip()
            lines.append(line)
            if line.startswith(prefix):
                return lines

    def option(self, name, value):
        self.send(f"setoption name {name} value {value}")

    def new_game(self):
        self.send("ucinewgame")
        self.send("isready")
        self.until("readyok")

    def go(self, moves, ms):
        """The best move and the value for the side to move (centipawns, clamped)."""
        self.send("position startpos" + (" moves " + " ".join(moves) if moves else ""))
        self.send(f"go movetime {ms}")
        lines = self.until("bestmove")
        value = 0
        for line in lines:
            m = re.search(r" score (cp|mate) (-?\d+)", line)
            if m:
                n = int(m.group(2))
                if m.group(1) == "cp":
                    value = n
                else:
                    value = CLAMP if n > 0 else -CLAMP
        best = lines[-1].split()[1]
        return best, max(-CLAMP, min(CLAMP, value))

    def close(self):
        self.send("quit")
        self.p.wait(timeout=5)


def play_game(sf, opening, plies, ms):
    """Stockfish against itself from the opening, up to `plies` plies."""
    sf.new_game()
    moves = list(opening)
    while len(moves) < plies:
        best, _ = sf.go(moves, ms)
        if best in ("(none)", "0000"):
            break
        moves.append(best)
    return moves


def mainline_words(text, pattern):
    """The words `pattern` finds in the PGN movetext outside variations
    (the pattern must also find "(" and ")")."""
    text = "\n".join(line for line in text.splitlines() if not line.startswith("["))
    depth = 0
    for word in re.findall(pattern, text):
        if word == "(":
            depth += 1
        elif word == ")":
            depth -= 1
        elif not depth:
            yield word


def mainline_marks(pgn):
    """The NAG marks of the main line's moves, in order ('' for none)."""
    marks = []
    for word in mainline_words(re.sub(r"\{[^}]*\}", " ", pgn), r"\(|\)|[^\s()]+"):
        if word.startswith("$"):
            if marks:
                marks[-1] = {"$6": "?!", "$2": "?", "$4": "??"}.get(word, marks[-1])
        elif not (re.fullmatch(r"\d+\.(\.\.)?", word) or word in ("1-0", "0-1", "1/2-1/2", "*")):
            marks.append("")
    return marks


def mainline_evals(pgn):
    """The [%eval] texts of the main line's moves, in order."""
    evals = []
    for word in mainline_words(pgn, r"\(|\)|\{[^}]*\}"):
        m = re.search(r"\[%eval ([^\]]+)\]", word)
        if m:
            evals.append(m.group(1))
    return evals


def review(cli, moves, seconds):
    r = subprocess.run([cli, "review", "--2d", "--moves", " ".join(moves), "--seconds", str(seconds)],
                       capture_output=True, text=True)
    if r.returncode != 0:
        raise RuntimeError(f"review failed: {r.stderr}")
    return r.stdout, r.stderr


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--cli", default="build/tamzor-cli")
    ap.add_argument("--stockfish", default="/usr/games/stockfish")
    ap.add_argument("--games", type=int, default=5)
    ap.add_argument("--plies", type=int, default=60, help="plies a game at most")
    ap.add_argument("--seconds", type=float, default=0.3, help="our review's time a position")
    ap.add_argument("--sf-ms", type=int, default=300, help="Stockfish's time a position, ms")
    ap.add_argument("--skill", type=int, default=3, help="Stockfish's skill level while playing the games")
    ap.add_argument("--timing-seconds", type=float, default=1.0,
                    help="time a position for the timed 60-ply review (0: skip it)")
    ap.add_argument("--save", default=None, help="the games' values and marks as JSON into this file")
    a = ap.parse_args()
    for path in (a.cli, a.stockfish):
        if not os.access(path, os.X_OK):
            sys.exit(f"{path}: not found")
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "openings-2d.txt")) as f:
        openings = [line.split() for line in f if line.strip() and not line.startswith("#")]

    sf = Stockfish(a.stockfish)
    both = only_sf = only_ours = neither = any_mark_of_sf = 0
    games = []
    saved = []
    for g in range(a.games):
        sf.option("Skill Level", a.skill)
        moves = play_game(sf, openings[g % len(openings)], a.plies, 50)
        sf.option("Skill Level", 20)
        sf.new_game()
        values = [sf.go(moves[:k], a.sf_ms)[1] for k in range(len(moves) + 1)]
        t0 = time.monotonic()
        pgn, _ = review(a.cli, moves, a.seconds)
        took = time.monotonic() - t0
        marks = mainline_marks(pgn)
        if len(marks) != len(moves):
            sys.exit(f"game {g + 1}: {len(marks)} moves in the review's PGN, {len(moves)} played")
        for k in range(len(moves)):
            sf_loss = values[k] + values[k + 1]  # the mover's value before, less after
            sf_marks = sf_loss > 200
            ours = marks[k] == "??"
            any_mark_of_sf += sf_marks and marks[k] != ""
            both += sf_marks and ours
            only_sf += sf_marks and not ours
            only_ours += ours and not sf_marks
            neither += not sf_marks and not ours
        saved.append({"moves": moves, "stockfish": values, "marks": marks, "evals": mainline_evals(pgn)})
        games.append((len(moves), took, marks.count("??"), marks.count("?"), marks.count("?!")))
        print(f"game {g + 1}: {len(moves)} plies, review {took:.1f} s; ours ?? {games[-1][2]}, "
              f"? {games[-1][3]}, ?! {games[-1][4]}", flush=True)
    sf.close()
    if a.save:
        with open(a.save, "w") as f:
            json.dump(saved, f)

    total = both + only_sf + only_ours + neither
    flagged = both + only_sf + only_ours
    print(f"\nmoves {total}; losing more than two pawns by Stockfish ({a.sf_ms} ms a position): "
          f"{both + only_sf}; marked ?? by our review ({a.seconds} s a position): {both + only_ours}")
    print(f"both mark it: {both}; only Stockfish: {only_sf}; only ours: {only_ours}; neither: {neither}")
    if flagged:
        print(f"agreement where either marks: {100.0 * both / flagged:.0f}%")
    print(f"agreement over all moves: {100.0 * (both + neither) / max(total, 1):.0f}%")
    if both + only_sf:
        print(f"Stockfish's two-pawn losses that our review marks at all (?!, ? or ??): "
              f"{100.0 * any_mark_of_sf / (both + only_sf):.0f}%")

    if a.timing_seconds > 0:
        sf = Stockfish(a.stockfish)
        sf.option("Skill Level", a.skill)
        moves = play_game(sf, openings[-1], 60, 50)
        sf.close()
        t0 = time.monotonic()
        review(a.cli, moves, a.timing_seconds)
        print(f"\nreview of a {len(moves)}-ply game at {a.timing_seconds} s a position: "
              f"{time.monotonic() - t0:.1f} s")


if __name__ == "__main__":
    main()

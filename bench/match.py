#!/usr/bin/env python3
"""Matches between UCI engines: Tamzor against an engine from the Debian
archive (stockfish with UCI_LimitStrength and UCI_Elo, gnuchess -u) or against
another Tamzor binary, in the 2D or the 3D game.

Each opening of the openings file is played twice, the engines taking each
colour once, under real clocks (go wtime/btime/winc/binc) or a fixed time a
move. Every move is checked and every game judged by the rules through
`tamzor-cli pgn`, which also writes the games as PGN. Prints each game, then
wins, draws and losses of the first engine, its score and an Elo estimate
with its 95% margin.

    python3 bench/match.py --cli build/tamzor-cli \\
        --a "build/tamzor-cli uci" --b /usr/games/stockfish \\
        --b-option UCI_LimitStrength=true --b-option UCI_Elo=2000 \\
        --b-option "Move Overhead=100" \\
        --tc 10+0.1 --games 16 --pgn match.pgn
"""
import argparse
import math
import os
import re
import select
import shlex
import subprocess
import sys
import time


class Engine:
    """A UCI engine in a child process, spoken to a line at a time."""

    def __init__(self, command, options, variant, name):
        self.command = command
        self.options = options
        self.variant = variant
        self.name = name
        self.start()

    def start(self):
        self.proc = subprocess.Popen(shlex.split(self.command), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True, bufsize=1)
        self.buffer = b""  # read straight from the pipe: select knows nothing of a reader's buffer
        self.send("uci")
        self.wait_for("uciok", 30)
        for name, value in self.options:
            self.send(f"setoption name {name} value {value}")
        if self.variant == "3d":
            self.send("setoption name UCI_Variant value 3d")
        self.ready()

    def send(self, line):
        try:
            self.proc.stdin.write(line + "\n")
            self.proc.stdin.flush()
        except (BrokenPipeError, OSError):
            pass

    def read_line(self, timeout):
        end = time.monotonic() + timeout
        fd = self.proc.stdout.fileno()
        while b"\n" not in self.buffer:
            left = end - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                return None
            chunk = os.read(fd, 65536)
            if not chunk:
                return None
            self.buffer += chunk
        line, _, self.buffer = self.buffer.partition(b"\n")
        return line.decode(errors="replace")

    def wait_for(self, prefix, timeout):
        end = time.monotonic() + timeout
        while True:
            line = self.read_line(end - time.monotonic())
            if line is None:
                return None
            if line.startswith(prefix):
                return line

    def ready(self):
        self.send("isready")
        return self.wait_for("readyok", 30) is not None

    def new_game(self):
        if self.proc.poll() is not None:
            self.start()
        self.send("ucinewgame")
        self.ready()

    def close(self):
        self.send("quit")
        try:
            self.proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.proc.kill()


def judge(cli, variant, moves):
    """The game by the rules: (PGN text, result tag), or (None, error) for a
    move that is not legal."""
    args = [cli, "pgn", "--" + variant, "--moves", " ".join(moves)]
    r = subprocess.run(args, capture_output=True, text=True)
    if r.returncode != 0:
        return None, r.stderr.strip()
    m = re.search(r'\[Result "([^"]*)"\]', r.stdout)
    return r.stdout, m.group(1) if m else "*"


def play_game(cli, variant, opening, white, black, tc, movetime, max_plies):
    """One game; returns (result from White's view "1-0"/"0-1"/"1/2-1/2",
    the reason, the PGN text)."""
    moves = list(opening)
    clocks = [tc[0] * 1000.0, tc[0] * 1000.0] if tc else None
    inc = tc[1] * 1000.0 if tc else 0
    for engine in (white, black):
        engine.new_game()
    pgn, result = judge(cli, variant, moves)
    if pgn is None:
        raise SystemExit(f"bad opening {' '.join(opening)}: {result}")
    while result == "*":
        side = len(moves) % 2
        engine = (white, black)[side]
        if len(moves) >= max_plies:
            return "1/2-1/2", "adjudicated: move limit", pgn
        engine.send("position startpos" + (" moves " + " ".join(moves) if moves else ""))
        if clocks:
            go = f"go wtime {int(clocks[0])} btime {int(clocks[1])} winc {int(inc)} binc {int(inc)}"
            limit = clocks[side] / 1000.0 + 5
        else:
            go = f"go movetime {movetime}"
            limit = movetime / 1000.0 + 5
        sent = time.monotonic()
        engine.send(go)
        line = engine.wait_for("bestmove", limit)
        spent = (time.monotonic() - sent) * 1000.0
        loser = "0-1" if side == 0 else "1-0"
        if line is None:
            engine.proc.kill()
            return loser, f"{engine.name} gave no move", pgn
        if clocks:
            clocks[side] -= spent
            if clocks[side] <= 0:
                return loser, f"{engine.name} lost on time", pgn
            clocks[side] += inc
        token = line.split()[1] if len(line.split()) > 1 else "0000"
        text, judged = judge(cli, variant, moves + [token])
        if text is None:
            return loser, f"{engine.name} played an illegal move {token}", pgn
        moves.append(token)
        pgn, result = text, judged
    return result, "by the rules", pgn


def named(pgn, white, black, result, reason):
    pgn = pgn.replace('[White "?"]', f'[White "{white}"]').replace('[Black "?"]', f'[Black "{black}"]')
    pgn = re.sub(r'\[Result "[^"]*"\]', f'[Result "{result}"]', pgn)
    pgn = re.sub(r"(\*|1-0|0-1|1/2-1/2)\s*$", result + "\n", pgn)
    return pgn.replace("\n\n", f'\n[Termination "{reason}"]\n\n', 1)


def elo(score):
    """The Elo difference a score fraction stands for."""
    p = min(max(score, 1e-3), 1 - 1e-3)
    return -400 * math.log10(1 / p - 1)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--cli", default="build/tamzor-cli", help="tamzor-cli, the judge")
    ap.add_argument("--a", default="build/tamzor-cli uci", help="the first engine's command")
    ap.add_argument("--b", default="/usr/games/stockfish", help="the second engine's command")
    ap.add_argument("--a-name", default="Tamzor")
    ap.add_argument("--b-name", default=None)
    ap.add_argument("--a-option", action="append", default=[], help="NAME=VALUE, a UCI option")
    ap.add_argument("--b-option", action="append", default=[], help="NAME=VALUE, a UCI option")
    ap.add_argument("--variant", choices=["2d", "3d"], default="2d")
    ap.add_argument("--openings", default=None, help="one opening a line, move tokens ('#' comments)")
    ap.add_argument("--games", type=int, default=16, help="games in all (each opening twice)")
    ap.add_argument("--tc", default=None, help="BASE+INC in seconds, e.g. 10+0.1")
    ap.add_argument("--movetime", type=int, default=200, help="ms a move when no --tc")
    ap.add_argument("--max-plies", type=int, default=400)
    ap.add_argument("--pgn", default=None, help="the games as PGN into this file")
    args = ap.parse_args()

    here = os.path.dirname(os.path.abspath(__file__))
    openings_file = args.openings or os.path.join(here, f"openings-{args.variant}.txt")
    with open(openings_file) as f:
        openings = [line.split() for line in f if line.strip() and not line.lstrip().startswith("#")]
    if args.games > 2 * len(openings):
        raise SystemExit(f"{openings_file} has {len(openings)} openings: at most {2 * len(openings)} games")
    tc = None
    if args.tc:
        base, _, inc = args.tc.partition("+")
        tc = (float(base), float(inc or 0))
    def options(pairs):
        return [tuple(p.split("=", 1)) for p in pairs]
    b_name = args.b_name or os.path.basename(shlex.split(args.b)[0])
    a = Engine(args.a, options(args.a_option), args.variant, args.a_name)
    b = Engine(args.b, options(args.b_option), args.variant, b_name)
    wins = draws = losses = 0
    scores = []
    out = open(args.pgn, "w") if args.pgn else None
    try:
        for game in range(args.games):
            opening = openings[game // 2]
            a_white = game % 2 == 0
            white, black = (a, b) if a_white else (b, a)
            result, reason, pgn = play_game(args.cli, args.variant, opening, white, black, tc, args.movetime,
                                            args.max_plies)
            score = {"1-0": 1.0, "0-1": 0.0}.get(result, 0.5)
            if not a_white:
                score = 1 - score
            scores.append(score)
            wins += score == 1
            draws += score == 0.5
            losses += score == 0
            print(f"game {game + 1:3d}: {white.name} - {black.name} {result} ({reason}), "
                  f"{a.name} {wins}+ {draws}= {losses}-", flush=True)
            if out:
                out.write(named(pgn, white.name, black.name, result, reason) + "\n")
                out.flush()
    finally:
        a.close()
        b.close()
        if out:
            out.close()
    n = len(scores)
    mean = sum(scores) / n
    var = sum((s - mean) ** 2 for s in scores) / n
    margin = 1.96 * math.sqrt(var / n)
    diff, low, high = elo(mean), elo(mean - margin), elo(mean + margin)
    print(f"{a.name} against {b.name}: +{wins} ={draws} -{losses} of {n}, score {100 * mean:.1f}%, "
          f"Elo {diff:+.0f} ({low:+.0f} to {high:+.0f})")


if __name__ == "__main__":
    main()

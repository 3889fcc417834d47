#!/usr/bin/env python3
"""Calibrates the playing levels (UCI_LimitStrength with UCI_Elo) by matches
through bench/match.py, one match at a time.

2D game: each level at or above Stockfish's lowest UCI_Elo (1350) plays
Stockfish set to the level's rating; its figure is Stockfish's rating plus
the Elo difference the match shows. A level below it plays the lowest level
already measured, and takes that level's figure plus the difference (the
margins add). The lowest level also plays Stockfish at 1350, which it should
lose to more often than it beats.

3D game: each level plays the one below it in self-play; the table gives
the difference, which should be above zero.

    python3 bench/calibrate_levels.py --games 40 --tc 10+0.1
    python3 bench/calibrate_levels.py --variant 3d --games 20 --movetime 300
    python3 bench/calibrate_levels.py --variant 2d --levels 800,1000,1200 --known 1400:1391:110:40

Prints one line a match as it ends, then the table: level, measured Elo with
its 95% margin, games.
"""
import argparse
import math
import os
import re
import subprocess
import sys

LADDER = [800, 1000, 1200, 1400, 1600, 1800, 2000]
SF_LOWEST = 1350
RESULT = re.compile(r"\+(\d+) =(\d+) -(\d+) of (\d+), score ([\d.]+)%, Elo ([+-]\d+) \(([+-]\d+) to ([+-]\d+)\)")


def run_match(args, a_elo, b_cmd, b_options, variant, label):
    """Our level a_elo against engine b: (wins, draws, losses, games, elo, margin)."""
    here = os.path.dirname(os.path.abspath(__file__))
    uci = f"{args.cli} uci"
    cmd = [sys.executable, os.path.join(here, "match.py"), "--cli", args.cli, "--a", uci,
           "--a-name", f"Tamzor-{a_elo}", "--b", b_cmd, "--variant", variant, "--games", str(args.games),
           "--a-option", "UCI_LimitStrength=true", "--a-option", f"UCI_Elo={a_elo}"]
    for o in b_options:
        cmd += ["--b-option", o]
    if variant == "2d":
        cmd += ["--openings", os.path.join(here, "openings-2d-wide.txt")]
    if args.tc:
        cmd += ["--tc", args.tc]
    else:
        cmd += ["--movetime", str(args.movetime)]
    if args.pgn_dir:
        os.makedirs(args.pgn_dir, exist_ok=True)
        cmd += ["--pgn", os.path.join(args.pgn_dir, f"{variant}-{label}.pgn")]
    out = subprocess.run(cmd, capture_output=True, text=True)
    last = out.stdout.strip().splitlines()[-1] if out.stdout.strip() else ""
    m = RESULT.search(last)
    if out.returncode or not m:
        raise SystemExit(f"match {label} failed: {out.stderr.strip() or last}")
    w, d, l, n = (int(m.group(i)) for i in range(1, 5))
    diff, low, high = int(m.group(6)), int(m.group(7)), int(m.group(8))
    print(f"{variant} {label}: +{w} ={d} -{l} of {n}, Elo {diff:+d} ({low:+d} to {high:+d})", flush=True)
    return w, d, l, n, diff, (high - low) / 2


def stockfish_options(elo):
    return ["UCI_LimitStrength=true", f"UCI_Elo={elo}", "Move Overhead=100"]


def calibrate_2d(args, levels):
    rows = dict(args.known)
    above = sorted(l for l in levels if l >= SF_LOWEST)
    below = sorted((l for l in levels if l < SF_LOWEST), reverse=True)
    for level in above:
        _, _, _, n, diff, margin = run_match(args, level, args.stockfish, stockfish_options(level), "2d",
                                             f"{level}-vs-stockfish-{level}")
        rows[level] = (level + diff, margin, n)
    # below Stockfish's range: against the lowest level measured so far (or
    # Stockfish's lowest when none was)
    for level in below:
        measured = [l for l in rows if l > level]
        if measured:
            anchor = min(measured)
            a_figure, a_margin, _ = rows[anchor]
            _, _, _, n, diff, margin = run_match(args, level, f"{args.cli} uci",
                                                 ["UCI_LimitStrength=true", f"UCI_Elo={anchor}"], "2d",
                                                 f"{level}-vs-{anchor}")
            rows[level] = (a_figure + diff, math.hypot(margin, a_margin), n)
        else:
            _, _, _, n, diff, margin = run_match(args, level, args.stockfish, stockfish_options(SF_LOWEST), "2d",
                                                 f"{level}-vs-stockfish-{SF_LOWEST}")
            rows[level] = (SF_LOWEST + diff, margin, n)
    # the ladder's lowest level, below Stockfish's range, should lose to its lowest
    lowest = min(levels)
    if lowest == LADDER[0] and lowest < SF_LOWEST:
        w, d, l, n, _, _ = run_match(args, lowest, args.stockfish, stockfish_options(SF_LOWEST), "2d",
                                     f"{lowest}-vs-stockfish-{SF_LOWEST}")
    print()
    print("2D game             level  measured  margin  games")
    for level in sorted(rows):
        figure, margin, n_games = rows[level]
        flag = "" if abs(figure - level) <= 150 else "  (off by more than 150)"
        print(f"                    {level:5d}  {figure:8.0f}  {margin:6.0f}  {n_games:5d}{flag}")
    if lowest == LADDER[0] and lowest < SF_LOWEST:
        verdict = "loses more than it wins" if l > w else "does NOT lose more than it wins"
        print(f"level {lowest} against Stockfish at {SF_LOWEST}: +{w} ={d} -{l} of {n}: {verdict}")


def calibrate_3d(args, levels):
    rungs = sorted(levels)
    print_rows = []
    for lower, upper in zip(rungs, rungs[1:]):
        _, _, _, n, diff, margin = run_match(args, upper, f"{args.cli} uci",
                                             ["UCI_LimitStrength=true", f"UCI_Elo={lower}"], "3d",
                                             f"{upper}-vs-{lower}")
        print_rows.append((upper, lower, diff, margin, n))
    print()
    print("3D game  level  against  difference  margin  games")
    for upper, lower, diff, margin, n in print_rows:
        flag = "" if diff > 0 else "  (does not beat the level below)"
        print(f"         {upper:5d}  {lower:7d}  {diff:+10d}  {margin:6.0f}  {n:5d}{flag}")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--cli", default="build/tamzor-cli")
    ap.add_argument("--stockfish", default="/usr/games/stockfish")
    ap.add_argument("--variant", choices=["2d", "3d", "both"], default="both")
    ap.add_argument("--levels", default=",".join(map(str, LADDER)), help="ratings, comma-separated")
    ap.add_argument("--games", type=int, default=40, help="games a match (each opening twice)")
    ap.add_argument("--tc", default="10+0.1", help="BASE+INC seconds; empty for --movetime")
    ap.add_argument("--movetime", type=int, default=300, help="ms a move when --tc is empty")
    ap.add_argument("--pgn-dir", default=None, help="each match's games as PGN into this directory")
    ap.add_argument("--known", action="append", default=[], metavar="LEVEL:ELO:MARGIN:GAMES",
                    help="a 2D level measured before, as an anchor for the levels below it")
    args = ap.parse_args()
    try:
        args.known = [(int(l), (float(e), float(m), int(g))) for l, e, m, g in (k.split(":") for k in args.known)]
    except ValueError:
        raise SystemExit("--known takes LEVEL:ELO:MARGIN:GAMES, e.g. 1400:1391:110:40")
    levels = sorted({int(x) for x in args.levels.split(",") if x.strip()})
    if not levels or any(l not in LADDER for l in levels):
        raise SystemExit(f"levels are rungs of the ladder: {LADDER}")
    if args.variant in ("2d", "both"):
        calibrate_2d(args, levels)
    if args.variant in ("3d", "both") and len(levels) > 1:
        calibrate_3d(args, levels)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Time to a fixed depth with N threads against one.

Each position (an opening line of the file, played from the start) is
searched to the depth on one thread and on N, each from a fresh process;
prints each position's times and the totals, and the speed-up as the ratio
of the total times and the geometric mean of the ratios.

    python3 bench/threads_depth.py build/tamzor-cli --2d --depth 10 --positions 30
"""
import argparse
import math
import subprocess
import time


def search(cli, game, moves, depth, threads):
    start = time.monotonic()
    out = subprocess.run([cli, "search", game, "--moves", moves, "--depth", str(depth), "--threads", str(threads)],
                         capture_output=True, text=True, check=True).stdout
    elapsed = time.monotonic() - start
    fields = dict(line.split(" ", 1) for line in out.splitlines() if " " in line)
    return elapsed, int(fields["nodes"]), fields["move"].split()[0]


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("cli")
    ap.add_argument("--2d", dest="two", action="store_true")
    ap.add_argument("--depth", type=int, default=9)
    ap.add_argument("--threads", type=int, default=2)
    ap.add_argument("--positions", type=int, default=30)
    ap.add_argument("--openings")
    a = ap.parse_args()
    game = "--2d" if a.two else "--3d"
    openings = a.openings or ("bench/openings-2d-wide.txt" if a.two else "bench/openings-3d.txt")
    lines = [l.strip() for l in open(openings) if l.strip() and not l.startswith("#")][:a.positions]
    t1 = tn = 0.0
    logs = []
    for i, moves in enumerate(lines):
        s1, n1, m1 = search(a.cli, game, moves, a.depth, 1)
        sn, nn, mn = search(a.cli, game, moves, a.depth, a.threads)
        t1 += s1
        tn += sn
        logs.append(math.log(s1 / sn))
        print(f"{i + 1:3d} 1 thread {s1:7.2f} s {n1:10d} nodes {m1:6s} | {a.threads} threads {sn:7.2f} s "
              f"{nn:10d} nodes {mn:6s} | x{s1 / sn:.2f}", flush=True)
    print(f"total: 1 thread {t1:.1f} s, {a.threads} threads {tn:.1f} s: x{t1 / tn:.2f}; "
          f"geometric mean of the ratios x{math.exp(sum(logs) / len(logs)):.2f}")


if __name__ == "__main__":
    main()

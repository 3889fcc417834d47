#!/usr/bin/env python3
"""Figures of the window program as a player meets it, each game in a
private X server:

    bench/window_figures.py PATH/TO/tamzor [MOVES]

- start-up: from starting the program to its first frame on the screen;
- frame time: the median and the worst of 100 frames (the E key prints each
  frame's drawing time, finished), drawn while the view is turned;
- resident memory at start and after MOVES (20) moves of the computer
  playing both sides at the default difficulty and time limit.
"""
import os
import re
import statistics
import subprocess
import sys
import time

from xwindow import key, kib, window_program


def non_black(env):
    """Pixels of the screen that are not black (a frame has been drawn)."""
    ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=env,
                         capture_output=True).stdout
    # P6 header: four tokens, then the pixels
    parts = ppm.split(maxsplit=4)
    if len(parts) < 5:
        return 0
    data = parts[4]
    return sum(1 for i in range(0, len(data) - 2, 3 * 7) if data[i] > 8 or data[i + 1] > 8 or data[i + 2] > 8) * 7


def one_game(program, kind, display, moves):
    with window_program(program, display) as (prog, env, out_path, wid, start):
        while non_black(env) < 20000 and time.monotonic() - start < 60:
            time.sleep(0.02)
        startup = time.monotonic() - start
        if kind == "2d":
            key(env, wid, "F2")
        time.sleep(1)
        rss_start = kib(prog.pid)
        key(env, wid, "e")
        mark = len(open(out_path).read())
        key(env, wid, "--delay", "60", *(["Left"] * 100), delay=1)
        frames = [float(m) for m in re.findall(r"DisplayMain ([0-9.]+) ms", open(out_path).read()[mark:])]
        key(env, wid, "e")
        key(env, wid, "F9")  # the computer plays both sides
        deadline = time.monotonic() + moves * 15 + 60
        last = r"\n%d\. \.\.\. " % (moves // 2) if moves % 2 == 0 else r"\n%d\. " % ((moves + 1) // 2)
        while time.monotonic() < deadline and not re.search(last, open(out_path).read()):
            time.sleep(0.5)
        played = time.monotonic() < deadline
        return startup, frames, rss_start, kib(prog.pid), kib(prog.pid, "VmHWM"), played


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "build/tamzor"
    moves = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    for kind in ("3d", "2d"):
        startup, frames, rss0, rss1, hwm, played = one_game(program, kind, ":%d" % (700 + os.getpid() % 200), moves)
        fr = (f"median {statistics.median(frames):.1f} ms, worst {max(frames):.1f} ms of {len(frames)}"
              if frames else "no frames timed")
        print(f"{kind.upper()}: start-up to first frame {startup:.2f} s; frames {fr}; resident "
              f"{rss0 / 1024:.0f} MiB at start, {rss1 / 1024:.0f} MiB after {moves} computer moves"
              f"{'' if played else ' (not all played in time)'} (peak {hwm / 1024:.0f} MiB)")


if __name__ == "__main__":
    main()

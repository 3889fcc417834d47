#!/usr/bin/env python3
"""Resident memory of the terminal tool and of the window program after a
5-second search in each game.

    bench/memory.py BUILD_DIR

The terminal tool: `tamzor-cli search --2d|--3d --time 5`, its peak resident
set. The window program: started in a private X server, the game chosen
(F2 for 2D, the 3D game at start), then W has the computer play White; once
its move is on the record the resident set is read from /proc.
"""
import os
import subprocess
import sys
import time

from xwindow import key, kib, window_program


def cli(build, kind):
    prog = subprocess.Popen([os.path.join(build, "tamzor-cli"), "search", "--" + kind, "--time", "5"],
                            stdout=subprocess.PIPE, text=True)
    out = prog.stdout.read()
    _, _, usage = os.wait4(prog.pid, 0)
    prog.returncode = 0
    depth = next((l.split()[1] for l in out.splitlines() if l.startswith("depth ")), "?")
    return usage.ru_maxrss, depth


def window(build, kind, display):
    with window_program(os.path.join(build, "tamzor"), display) as (prog, env, out_path, wid, _):
        time.sleep(2)
        for k in (["F2"] if kind == "2d" else []) + ["w"]:
            key(env, wid, k)
        deadline = time.time() + 30
        while time.time() < deadline and "\n1. " not in open(out_path).read():
            time.sleep(0.2)
        return kib(prog.pid), kib(prog.pid, "VmHWM")


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    for kind in ("2d", "3d"):
        peak, depth = cli(build, kind)
        print(f"tamzor-cli search --{kind} --time 5: depth {depth}, peak resident {peak / 1024:.1f} MiB")
    for kind in ("2d", "3d"):
        rss, hwm = window(build, kind, ":%d" % (700 + os.getpid() % 200))
        print(f"tamzor ({kind.upper()} game, computer's first move): resident {rss / 1024:.1f} MiB, "
              f"peak {hwm / 1024:.1f} MiB")


if __name__ == "__main__":
    main()

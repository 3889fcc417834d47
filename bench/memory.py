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
import tempfile
import time


def kib(status, field):
    for line in status.splitlines():
        if line.startswith(field + ":"):
            return int(line.split()[1])
    return 0


def cli(build, kind):
    prog = subprocess.Popen([os.path.join(build, "tamzor-cli"), "search", "--" + kind, "--time", "5"],
                            stdout=subprocess.PIPE, text=True)
    out = prog.stdout.read()
    _, _, usage = os.wait4(prog.pid, 0)
    prog.returncode = 0
    depth = next((l.split()[1] for l in out.splitlines() if l.startswith("depth ")), "?")
    return usage.ru_maxrss, depth


def window(build, kind, display):
    pieces = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pieces")
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x900x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        for _ in range(100):
            if os.path.exists("/tmp/.X11-unix/X" + display[1:]):
                break
            time.sleep(0.1)
        env = dict(os.environ, DISPLAY=display)
        with tempfile.TemporaryDirectory() as work:
            os.symlink(os.path.abspath(pieces), os.path.join(work, "pieces"))
            out_path = os.path.join(work, "out.txt")
            with open(out_path, "w") as out:
                prog = subprocess.Popen([os.path.abspath(os.path.join(build, "tamzor"))], cwd=work, env=env,
                                        stdout=out, stderr=subprocess.DEVNULL)
            try:
                wid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Tamzor"],
                                     env=env, capture_output=True, text=True, timeout=30).stdout.split()[0]
                time.sleep(2)
                keys = (["F2"] if kind == "2d" else []) + ["w"]
                for k in keys:
                    subprocess.run(["xdotool", "key", "--window", wid, k], env=env, check=True)
                    time.sleep(0.5)
                deadline = time.time() + 30
                while time.time() < deadline and "\n1. " not in open(out_path).read():
                    time.sleep(0.2)
                status = open(f"/proc/{prog.pid}/status").read()
                return kib(status, "VmRSS"), kib(status, "VmHWM")
            finally:
                prog.kill()
                prog.wait()
    finally:
        xvfb.terminate()
        xvfb.wait()


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

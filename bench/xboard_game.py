#!/usr/bin/env python3
"""One game of Tamzor's UCI mode under a real chess interface: xboard, with
polyglot as the UCI adapter, against stockfish held back by its Skill Level,
in a private Xvfb. Needs `scripts/install-deps gui`.

Polyglot joins an engine's standard error to its output, so anything the
engine writes on either stream reaches the adapter. The engine runs here
under a small shell wrapper that does the same (2>&1) and keeps a copy of
every byte in `tamzor.out`; the check reads that copy and polyglot's log,
and fails on any line that is not a UCI line (id, option, uciok, readyok,
info, bestmove), on a last line without its newline, and on a game that
does not end by the rules or on a flag.

    python3 bench/xboard_game.py --cli build/tamzor-cli --tc 60 --inc 1 \\
        --skill 3 --out /tmp/xb-game
"""
import argparse
import os
import re
import shlex
import shutil
import subprocess
import sys
import time

UCI_WORDS = ("id ", "option ", "uciok", "readyok", "info ", "bestmove ")


def free_display():
    for n in range(150, 200):
        if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
            return n
    sys.exit("no free X display between :150 and :199")


def bad_lines(data):
    """The lines of the engine's joined output that are not UCI lines."""
    bad = []
    text = data.decode("utf-8", "replace")
    if text and not text.endswith("\n"):
        bad.append("(no newline at the end) " + text.rsplit("\n", 1)[-1])
    for line in text.split("\n")[:-1]:
        if not line.startswith(UCI_WORDS) and line not in ("uciok", "readyok"):
            bad.append(line)
    return bad


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--cli", default="build/tamzor-cli")
    ap.add_argument("--stockfish", default="/usr/games/stockfish")
    ap.add_argument("--tc", type=int, default=60, help="seconds for each side")
    ap.add_argument("--inc", type=int, default=1, help="increment in seconds")
    ap.add_argument("--skill", type=int, default=3, help="stockfish's Skill Level")
    ap.add_argument("--tamzor-black", action="store_true", help="Tamzor plays Black")
    ap.add_argument("--out", default="xboard-game", help="directory for the game and the logs")
    args = ap.parse_args()

    for tool in ("xboard", "polyglot", "Xvfb"):
        if not shutil.which(tool) and not os.path.exists("/usr/games/" + tool):
            sys.exit("%s is missing: scripts/install-deps gui" % tool)
    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    for name in ("tamzor.out", "polyglot-tamzor.log", "polyglot-stockfish.log", "xboard.debug", "game.pgn"):
        if os.path.exists(os.path.join(out, name)):
            os.remove(os.path.join(out, name))
    cli = os.path.abspath(args.cli)
    wrapper = os.path.join(out, "tamzor-uci.sh")
    with open(wrapper, "w") as f:
        f.write("#!/bin/sh\n# standard error joined to the output, as polyglot does; a copy kept\n")
        f.write("%s uci 2>&1 | tee -a %s\n" % (shlex.quote(cli), shlex.quote(os.path.join(out, "tamzor.out"))))
    os.chmod(wrapper, 0o755)
    polyglot = shutil.which("polyglot") or "/usr/games/polyglot"
    tamzor_cmd = '%s -noini -ec "%s" -ed "%s" -log true -lf "%s"' % (
        polyglot, wrapper, out, os.path.join(out, "polyglot-tamzor.log"))
    stockfish_cmd = '%s -noini -ec "%s" -ed "%s" -log true -lf "%s" -uci "Skill Level=%d"' % (
        polyglot, args.stockfish, out, os.path.join(out, "polyglot-stockfish.log"), args.skill)
    first, second = (stockfish_cmd, tamzor_cmd) if args.tamzor_black else (tamzor_cmd, stockfish_cmd)

    display = free_display()
    xvfb = subprocess.Popen(["Xvfb", ":%d" % display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    env = dict(os.environ, DISPLAY=":%d" % display)
    xboard = shutil.which("xboard") or "/usr/games/xboard"
    minutes = "%d:%02d" % (args.tc // 60, args.tc % 60)
    cmd = [xboard, "-fcp", first, "-fd", out, "-scp", second, "-sd", out,
           "-tc", minutes, "-inc", str(args.inc), "-mg", "1", "-xponder", "-autoCallFlag", "true",
           "-xexit", "-sgf", os.path.join(out, "game.pgn"), "-debug", "-nameOfDebugFile",
           os.path.join(out, "xboard.debug"), "-noGUI"]
    start = time.time()
    try:
        game = subprocess.run(cmd, env=env, cwd=out, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=2 * (args.tc + 300 * args.inc) + 120)
        status = game.returncode
    except subprocess.TimeoutExpired:
        status = "timed out"
    finally:
        xvfb.terminate()
        xvfb.wait()
    print("xboard finished (%s) after %.0f s" % (status, time.time() - start))

    failures = 0
    pgn = open(os.path.join(out, "game.pgn"), errors="replace").read() if os.path.exists(
        os.path.join(out, "game.pgn")) else ""
    result = re.search(r'\[Result "([^"]*)"\]', pgn)
    ending = re.search(r"\{([^}]*)\}\s*(1-0|0-1|1/2-1/2|\*)\s*$", pgn)
    moves = re.findall(r"(?:^|\s)(\d+)\.", re.sub(r"\{[^}]*\}|\[[^]]*\]", " ", pgn))
    print("result: %s (%s), %s moves" % (result.group(1) if result else "none",
                                         ending.group(1) if ending else "no reason given",
                                         moves[-1] if moves else 0))
    if not result or result.group(1) == "*":
        print("FAIL: the game has no result")
        failures += 1

    raw = open(os.path.join(out, "tamzor.out"), "rb").read() if os.path.exists(
        os.path.join(out, "tamzor.out")) else b""
    bad = bad_lines(raw)
    counts = {}
    for line in raw.decode("utf-8", "replace").split("\n"):
        if line:
            counts[line.split()[0]] = counts.get(line.split()[0], 0) + 1
    print("Tamzor's output (standard error joined): %d lines %s" % (raw.count(b"\n"), counts))
    if not raw or bad:
        failures += 1
        print("FAIL: %d foreign lines in Tamzor's output" % len(bad))
        for line in bad[:20]:
            print("   ", line)

    # polyglot's log: what it read from the engine
    log = os.path.join(out, "polyglot-tamzor.log")
    engine_lines = []
    if os.path.exists(log):
        for line in open(log, errors="replace"):
            m = re.search(r"Engine->Adapter: (.*)$", line.rstrip("\n"))
            if m and m.group(1) != "EOF":  # polyglot's note that the engine closed its output
                engine_lines.append(m.group(1))
    foreign = [l for l in engine_lines if l and not l.startswith(UCI_WORDS) and l not in ("uciok", "readyok")]
    print("polyglot read %d lines from Tamzor, %d foreign" % (len(engine_lines), len(foreign)))
    for line in foreign[:20]:
        print("   ", line)
    if not engine_lines or foreign:
        failures += 1
    print("logs in", out)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

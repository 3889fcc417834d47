#!/usr/bin/env python3
"""Runs an EPD test suite through `tamzor-cli search` and counts the
positions where the engine's move is one of the best moves (bm) and none of
the moves to avoid (am).

usage: bench/epd_suite.py CLI EPD SECONDS [--limit N]
"""
import re
import subprocess
import sys

FILES = "abcdefgh"


def board_from_fen(fen):
    board = {}
    for r, row in enumerate(fen.split()[0].split("/")):
        f = 0
        for ch in row:
            if ch.isdigit():
                f += int(ch)
            else:
                board[FILES[f] + str(8 - r)] = ch
                f += 1
    return board


def san_matches(san, token, board, white):
    """Whether a move in standard notation names the move given as a token."""
    san = san.rstrip("+#!?")
    frm, to, promo = token[:2], token[2:4], token[4:5]
    piece = board.get(frm, "")
    if san in ("O-O", "0-0"):
        return piece.upper() == "K" and frm[0] == "e" and to[0] == "g"
    if san in ("O-O-O", "0-0-0"):
        return piece.upper() == "K" and frm[0] == "e" and to[0] == "c"
    m = re.fullmatch(r"([KQRBN])?([a-h])?([1-8])?x?([a-h][1-8])(?:=?([QRBN]))?", san)
    if not m:
        return False
    kind, file_, rank, dest, prom = m.groups()
    if dest != to:
        return False
    if (kind or "P") != piece.upper():
        return False
    if file_ and frm[0] != file_:
        return False
    if rank and frm[1] != rank:
        return False
    if prom and prom.lower() != promo:
        return False
    return True


def main():
    cli, epd, seconds = sys.argv[1], sys.argv[2], sys.argv[3]
    limit = int(sys.argv[5]) if len(sys.argv) > 5 and sys.argv[4] == "--limit" else None
    solved = total = 0
    for line in open(epd):
        line = line.strip()
        if not line:
            continue
        fields = line.split()
        fen = " ".join(fields[:4]) + " 0 1"
        ops = " ".join(fields[4:])
        bm = re.search(r"\bbm ([^;]+);", ops)
        am = re.search(r"\bam ([^;]+);", ops)
        ident = re.search(r'\bid "?([^";]+)"?;?', ops)
        out = subprocess.run([cli, "search", "--2d", "--fen", fen, "--time", seconds],
                             capture_output=True, text=True).stdout
        move = re.search(r"^move (\S+)", out, re.M)
        token = move.group(1) if move else "none"
        board = board_from_fen(fen)
        white = fields[1] == "w"
        ok = True
        if bm:
            ok = any(san_matches(s, token, board, white) for s in bm.group(1).split())
        if am and any(san_matches(s, token, board, white) for s in am.group(1).split()):
            ok = False
        total += 1
        solved += ok
        print(f"{ident.group(1) if ident else total}: {token} {'ok' if ok else 'missed'}"
              f" (bm {bm.group(1) if bm else '-'}{', am ' + am.group(1) if am else ''})", flush=True)
        if limit and total >= limit:
            break
    print(f"Solved {solved} of {total}")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the program's icon: the tri-level board in perspective, its three
4x4 levels and four 2x2 attack boards on their posts, as data/icons/tamzor.svg,
and renders it to PNG at 48 and 128 pixels with rsvg-convert (librsvg2-bin;
`scripts/install-deps deb` installs it). Run it from anywhere:

    python3 tools/gen_icon.py

The files it writes are kept in the repository, so that building the program
or its package needs neither Python nor librsvg.
"""
import math
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "data", "icons")
SIZE = 128  # the SVG's own units; the PNGs are scaled from it

LIGHT, DARK = "#f0dcb4", "#9a6a3c"
BOARD_LIGHT, BOARD_DARK = "#dfe9f5", "#5a7fae"  # the attack boards
EDGE, POST = "#3b2a1a", "#6b6b6b"

# The board seen from above: files x 0..6 (z, a, b, c, d, e), ranks y 0..10,
# one unit a cell; z is the height. The main levels stand two ranks apart and
# a level above each other; the attack boards stand a little above the
# corners of White's level (pins 1) and of Black's level (pins 6).
LEVELS = [(1, 1, 0.0), (1, 3, 1.0), (1, 5, 2.0)]  # (first file, first rank, height), 4x4 each
ATTACK = [(0, 0, 0.5), (4, 0, 0.5), (0, 8, 2.5), (4, 8, 2.5)]  # 2x2 each
HEIGHT = 2.3  # units of height to units of the board, for a clear stack


def project(x, y, z):
    """A point of the board to the picture: seen from White's side, above
    and a little to the right, in perspective."""
    # turn a little about the board's centre, then tilt towards the viewer
    cx, cy = x - 3.0, y - 5.0
    a = math.radians(-16)
    rx = cx * math.cos(a) - cy * math.sin(a)
    ry = cx * math.sin(a) + cy * math.cos(a)
    h = z * HEIGHT
    t = math.radians(52)  # the eye's elevation
    depth = ry * math.cos(t) + h * math.sin(t)
    up = ry * math.sin(t) * 0.62 + h * math.cos(t)
    d = 1.0 / (1.0 + depth * 0.035)  # nearer is larger
    return 64 + rx * 10.2 * d, 75 - up * 10.2 * d


def quad(x0, y0, x1, y1, z):
    pts = [project(x0, y0, z), project(x1, y0, z), project(x1, y1, z), project(x0, y1, z)]
    return " ".join(f"{px:.2f},{py:.2f}" for px, py in pts)


def board(x0, y0, n, z, light, dark, width):
    """A board of n x n cells with its first cell dark, as chess boards have."""
    parts = [f'<polygon points="{quad(x0 - 0.12, y0 - 0.12, x0 + n + 0.12, y0 + n + 0.12, z)}" '
             f'fill="{EDGE}" stroke="{EDGE}" stroke-width="{width}" stroke-linejoin="round"/>']
    for i in range(n):
        for j in range(n):
            colour = dark if (x0 + i + y0 + j) % 2 == 0 else light
            parts.append(f'<polygon points="{quad(x0 + i, y0 + j, x0 + i + 1, y0 + j + 1, z)}" fill="{colour}"/>')
    return parts


def post(x, y, z0, z1, width):
    (ax, ay), (bx, by) = project(x, y, z0), project(x, y, z1)
    return [f'<line x1="{ax:.2f}" y1="{ay:.2f}" x2="{bx:.2f}" y2="{by:.2f}" stroke="{POST}" '
            f'stroke-width="{width}" stroke-linecap="round"/>']


def svg():
    # Drawn from the bottom up and from the back, so higher and nearer parts
    # cover the others; each attack board stands on a pin at its level's corner.
    items = []
    for x, y, z in LEVELS:
        items.append((z, -y, board(x, y, 4, z, LIGHT, DARK, 1.2)))
    for x, y, z in ATTACK:
        pin = post(x + 1, y + 1, z - 0.5, z, 1.6)
        items.append((z, -y, pin + board(x, y, 2, z, BOARD_LIGHT, BOARD_DARK, 1.0)))
    items.sort(key=lambda item: (item[0], item[1]))
    body = "\n  ".join(part for _, _, parts in items for part in parts)
    # the picture fills the icon, square, with a small margin
    corners = [project(x + dx, y + dy, z) for x, y, z, n in
               [(x, y, z, 4) for x, y, z in LEVELS] + [(x, y, z, 2) for x, y, z in ATTACK]
               for dx in (-0.2, n + 0.2) for dy in (-0.2, n + 0.2)]
    x0, x1 = min(p[0] for p in corners), max(p[0] for p in corners)
    y0, y1 = min(p[1] for p in corners), max(p[1] for p in corners)
    side = max(x1 - x0, y1 - y0) * 1.04
    vx, vy = (x0 + x1 - side) / 2, (y0 + y1 - side) / 2
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
            f'viewBox="{vx:.2f} {vy:.2f} {side:.2f} {side:.2f}">\n'
            f'  <title>Tamzor: the tri-level chess board</title>\n  {body}\n</svg>\n')


def main():
    os.makedirs(OUT, exist_ok=True)
    path = os.path.join(OUT, "tamzor.svg")
    with open(path, "w") as f:
        f.write(svg())
    print("wrote", path)
    if not shutil.which("rsvg-convert"):
        sys.exit("gen_icon: rsvg-convert missing (scripts/install-deps deb): the PNGs are not rendered")
    for size in (48, 128):
        png = os.path.join(OUT, f"tamzor-{size}.png")
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", png, path], check=True)
        print("wrote", png)


if __name__ == "__main__":
    main()

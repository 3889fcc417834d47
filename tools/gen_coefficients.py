#!/usr/bin/env python3
"""Writes src/eval/OrigCoefficients.cpp, the evaluation's coefficient table.

Four slices of 1468 values: opening, middle game, ending, mating. Each block
below says where its values come from. Values are in evaluation units
(10000 = one pawn). The opening slice holds the reference values; the other
slices follow the rules of each block (stronger or weaker as the game goes
on). The mating slice (no pawns left) is, unless a block says otherwise, the
ending slice rounded to whole thousands; its control, mobility and pawn
entries are never read (those terms are off or empty in that stage).

Squares: index = file * 8 + rank (a1 = 0, a2 = 1, ... h8 = 63), White's view;
Black reads the rank-mirrored square. Square tables are written below as
chess diagrams (rank 8 on top) or built from per-file and per-rank values.

Run: python3 tools/gen_coefficients.py  (rewrites the source file)
"""
import os

import merge_fitted

SLICE = 1468
STAGES = ("OPENING", "MID_GS", "ENDING", "MATING")


def r(x):
    return int(round(x))


def thousands(x):
    # whole thousands, rounding half away from zero
    return int(round(x / 1000.0)) * 1000 if x >= 0 else -int(round(-x / 1000.0)) * 1000


def square_table(f):
    """64 values f(file, rank) in index order."""
    return [r(f(x, y)) for x in range(8) for y in range(8)]


def diagram(rows):
    """Eight rows, rank 8 first, files a..h: values in index order."""
    assert len(rows) == 8 and all(len(row) == 8 for row in rows)
    return [rows[7 - y][x] for x in range(8) for y in range(8)]


def scaled(values, k):
    return [r(v * k) for v in values]


class Slices:
    def __init__(self):
        self.s = [[None] * SLICE for _ in range(4)]
        self.notes = {}

    def put(self, index, per_stage, note):
        """per_stage: four lists (or four scalars) for the block at index."""
        self.notes[index] = note
        for st in range(4):
            vals = per_stage[st]
            if not isinstance(vals, list):
                vals = [vals]
            for i, v in enumerate(vals):
                assert self.s[st][index + i] is None, (STAGES[st], index + i)
                self.s[st][index + i] = int(v)

    def check(self):
        for st in range(4):
            missing = [i for i, v in enumerate(self.s[st]) if v is None]
            assert not missing, (STAGES[st], missing[:10])


def stages(opening, middle=None, ending=None, mating=None, m=1.0, e=1.0):
    """Four blocks: given ones as they are, others scaled from the opening;
    the mating block defaults to the ending one in whole thousands."""
    def sc(v, k):
        return scaled(v, k) if isinstance(v, list) else r(v * k)
    if middle is None:
        middle = sc(opening, m)
    if ending is None:
        ending = sc(opening, e)
    if mating is None:
        mating = [thousands(v) for v in ending] if isinstance(ending, list) else thousands(ending)
    return [opening, middle, ending, mating]


def same(v, mating_exact=False):
    """One block in every slice (in the mating slice in whole thousands)."""
    if mating_exact:
        return [v, v, v, v]
    m = [thousands(x) for x in v] if isinstance(v, list) else thousands(v)
    return [v, v, v, m]


T = Slices()

# --- 0..9: single terms -----------------------------------------------------
T.put(0, stages(2000, 2500, 3500, 3000), "bishop pair: worth more as the board opens")
T.put(1, stages(2919, 2000, 500, 0), "castled / castling rights lost (read in opening and middle game)")
T.put(2, stages([1896, 1380, 1974, 1519], m=1.15, e=0.6, mating=[0, 0, 0, 0]),
      "knight, bishop outpost; defended by a pawn: strongest in the middle game, "
      "meaningless without pawns")
T.put(6, stages([700, 1500], [900, 2500], [1200, 3000], [1000, 2000]),
      "rooks guarding each other; both on the seventh rank")
T.put(8, stages(3912, 4500, 6000, 6000), "opposite bishops help the side behind: more so with fewer pieces")
T.put(9, stages(1097, 500, 0, 0), "queen out early (read in the opening only)")

# --- 10..33: king placement ------------------------------------------------
T.put(10, same([0, 3000, 5996, 9000, 12000, 15000, 18000, 21000]),
      "king off its back rank with the enemy queen on, opening (read in the opening only)")
T.put(18, same([0, 1000, 2000, 4000, 6000, 8000, 10000, 12000]),
      "the same in the middle game (read in the middle game only)")
T.put(26, same([0, 0, 1000, 2000, 3000, 4000, 5000, 6000]),
      "distance between the kings for the stronger side (read in the mating stage only)")

# --- 34..52 ----------------------------------------------------------------
T.put(34, stages([1771, 2400, 3300, 5000, 8000, 12000, 17000, 23988], e=0.75,
                 mating=[3000, 6000, 9000, 12000, 15000, 18000, 21000, 24000]),
      "piece with no safe square, by rank from its own side: a trapped piece deep in the enemy camp is lost")
T.put(42, stages(614, 400, 0, 0), "knight blocked on its home square by a piece in front of the c/f pawn")
T.put(43, stages(62, 80, 100, 0), "mobility below the threshold")
T.put(44, same(-1000), "draw value base (with the 1000 of contempt: the computer's view of a draw)")
T.put(45, same(-3000), "rook, rook-and-minor against a lesser force (read from the first slice)")
T.put(46, same([10000, 10000]), "mating stage: side behind; bishop corner factor (mating slice below)")
T.put(48, stages([366, 168, 803, 1204, 1300], m=1.2, e=0.8, mating=[0, 0, 1000, 1000, 1000]),
      "bishop x-ray on 0..4 of king, queen, rooks")

# king centralisation per coordinate: in the opening and middle game (read
# only once the enemy queen is gone) mild, in the ending strong
CENTRE_O = [-1260, -670, 768, 958, 887, 782, -600, -1601]
T.put(53, stages(CENTRE_O, m=1.3, ending=[-2600, -1300, 1400, 2300, 2300, 1400, -1300, -2600],
                 mating=[-3000, -2000, 1000, 2000, 2000, 1000, -2000, -3000]),
      "king centralisation per file and per rank")

# --- 61..188: rook and knight square tables --------------------------------
ROOK_FILE = [-300, -100, 200, 400, 400, 200, -100, -300]
ROOK_RANK = [0, -200, -200, -100, 0, 300, 2000, 800]
rook_o = square_table(lambda x, y: ROOK_FILE[x] + ROOK_RANK[y])
rook_e = square_table(lambda x, y: ROOK_FILE[x] / 3 + [0, 0, 0, 100, 300, 600, 2500, 1000][y])
T.put(61, stages(rook_o, m=1.2, ending=rook_e,
                 mating=square_table(lambda x, y: 1000 if 2 <= x <= 5 and 2 <= y <= 5 else 0)),
      "rook square table: central files, the seventh rank above all")

KNIGHT_CENTRE = [-1200, -400, 200, 600, 600, 200, -400, -1200]
KNIGHT_RANK = [-300, 0, 100, 300, 500, 600, 300, -300]
knight_o = square_table(lambda x, y: KNIGHT_CENTRE[x] + KNIGHT_CENTRE[y] / 2 + KNIGHT_RANK[y])
knight_e = square_table(lambda x, y: KNIGHT_CENTRE[x] + KNIGHT_CENTRE[y])
T.put(125, stages(knight_o, m=1.1, ending=knight_e,
                  mating=square_table(lambda x, y: thousands(KNIGHT_CENTRE[x] + KNIGHT_CENTRE[y]))),
      "knight square table: centre and the enemy half; a knight on the rim is dim")

# --- 189..380: control values ---------------------------------------------
CTRL_FILE = [40, 60, 90, 120, 120, 90, 60, 40]
CTRL_RANK = [20, 40, 70, 110, 150, 160, 140, 80]
ctrl_o = square_table(lambda x, y: CTRL_FILE[x] + CTRL_RANK[y])
T.put(189, stages(ctrl_o, m=1.1, ending=square_table(lambda x, y: 0.7 * (CTRL_FILE[x] + 100)),
                  mating=[0] * 64),
      "value of controlling a square: the centre and the enemy half count most (off in the mating stage)")

# a castled king's own zone: f..h (or a..c) files, ranks 1..3 most
ZONE = diagram([
    [0, 0, 0, 0, 0, 0, 0, 0],
    [0, 0, 0, 0, 0, 0, 0, 0],
    [0, 0, 0, 0, 0, 0, 0, 0],
    [0, 0, 0, 0, 0, 0, 0, 0],
    [0, 0, 0, 0, 40, 80, 80, 60],
    [0, 0, 0, 0, 100, 250, 300, 250],
    [0, 0, 0, 0, 120, 300, 350, 300],
    [0, 0, 0, 0, 80, 150, 200, 150],
])
zone_q = [ZONE[((7 - (i >> 3)) << 3) | (i & 7)] for i in range(64)]  # files mirrored: a..c
T.put(253, stages(ZONE, m=1.2, e=0.5, mating=[0] * 64),
      "control near a White king on the king side (with a queen on the board)")
T.put(317, stages(zone_q, m=1.2, e=0.5, mating=[0] * 64), "the same on the queen side")

# --- 381..1180: mobility and safe mobility, 10 counts x 8 ranks -------------
def mobility_block(counts, ranks):
    return [r(counts[m] + ranks[y]) for y in range(8) for m in range(10)]


MINOR_RANK = [0, 0, 50, 100, 200, 250, 150, 50]
HEAVY_RANK = [0, 0, 0, 50, 100, 150, 200, 100]
FLAT = [0] * 8
MOB = {  # counts 0..9, rank adjustment
    "knight": ([-1200, -800, -400, -100, 100, 250, 400, 500, 550, 600], MINOR_RANK),
    "bishop": ([-1500, -1000, -600, -250, 0, 200, 400, 550, 650, 700], MINOR_RANK),
    "rook": ([-1000, -700, -400, -200, 0, 150, 300, 400, 480, 540], HEAVY_RANK),
    "queen": ([-800, -600, -400, -250, -100, 0, 100, 200, 280, 340], HEAVY_RANK),
}
SAFE = {
    "knight": ([-2000, -1200, -600, -200, 100, 350, 550, 700, 800, 850], MINOR_RANK),
    "bishop": ([-2200, -1400, -800, -300, 0, 300, 550, 750, 850, 900], MINOR_RANK),
    "rook": ([-1500, -1000, -600, -250, 0, 250, 450, 600, 700, 750], HEAVY_RANK),
    "queen": ([-1200, -900, -600, -350, -150, 0, 150, 300, 400, 450], HEAVY_RANK),
}
# the king: room to move is exposure in the opening, strength in the ending
KING_MOB_O = [200, 150, 100, 50, 0, -50, -100, -150, -200, -250]
KING_MOB_E = [-1500, -1000, -500, 0, 300, 500, 600, 700, 750, 800]
KING_SAFE_O = [-300, 0, 100, 100, 50, 0, -50, -100, -150, -200]
KING_SAFE_E = [-3000, -1800, -800, 0, 400, 700, 900, 1000, 1050, 1100]

for base, table, king_o, king_e in ((381, MOB, KING_MOB_O, KING_MOB_E), (781, SAFE, KING_SAFE_O, KING_SAFE_E)):
    kind = "mobility" if base == 381 else "safe mobility"
    for i, piece in enumerate(("knight", "bishop", "rook", "queen")):
        counts, ranks = table[piece]
        heavy = piece in ("rook", "queen")
        o = mobility_block(counts, ranks)
        T.put(base + 80 * i, stages(o, m=1.1, e=1.3 if heavy else 1.0, mating=[0] * 80),
              f"{piece} {kind} by rank and count (heavy pieces gain in the ending)")
    T.put(base + 320, stages(mobility_block(king_o, FLAT), m=0.5, ending=mobility_block(king_e, FLAT),
                             mating=[0] * 80),
          f"king {kind}: exposure early, activity in the ending")

# --- 1181..1189: material and tactics --------------------------------------
T.put(1181, same([0, 10052, 40012, 41375, 60163, 119983, 800000], mating_exact=True),
      "material by kind (read from the first slice)")
T.put(1188, stages([2715, 1446], [2715, 1446], [2500, 1300], [3000, 1000]),
      "tactics: a gain the side to move can take; a threat of the other side")
T.put(1190, stages([215, 495, 999] + [1000] * 12, e=0.7), "overloaded defender with 2..16 duties")

# --- 1205..1238: king attack -------------------------------------------------
KA = [-811, 922, 1985, 2993, 3999, 5000, 6000, 6000,
      -1039, 951, 1973, 2994, 4000, 5000, 6000, 6000,
      270, 886, 1037, 1499, 1984, 3001, 3000, 3000,
      -2126, -127, 882, 1469, 1995, 3000, 3000, 3000]
T.put(1205, stages(KA, m=1.1, e=0.5),
      "attackers near the king by count: tables A and B without, then with the enemy queen")
T.put(1237, stages([474, 315], [500, 350], [200, 100], [0, 0]), "open file next to the king without / with the enemy queen")

# --- 1239..1318: side ahead, attack counts -----------------------------------
T.put(1239, same([2000, 500, 100, 50] + [0] * 28),
      "side ahead: by the number of pieces left (trade pieces when ahead; read from the first slice)")
ATT = [227, 136, 75, 436, 700, 1000, 1300, 1600, 1900, 2200, 2500, 2800, 3000, 3200, 3300, 3400]
T.put(1271, stages(ATT, m=1.1, e=0.7, mating=[0] * 16), "attacks on enemy pieces, by count 0..15")
T.put(1287, same([1900, 200, 200] + [0] * 29),
      "side ahead: by the number of pawns left (keep pawns when ahead; read from the first slice)")

# --- 1319..1373: pawn terms ----------------------------------------------------
T.put(1319, stages([215, -266], m=1.0, e=1.2, mating=[0, 0]), "undefended pawn; phalanx")
# free path of a passed pawn: one value per square still ahead, by its row
PATH = [150, 150, 200, 250, 300, 400,   # row 2: six squares
        200, 250, 300, 400, 500,        # row 3
        300, 400, 500, 650,             # row 4
        500, 650, 800,                  # row 5
        800, 1000,                      # row 6
        1500]                           # row 7
T.put(1321, stages(PATH, m=1.3, e=2.0, mating=[0] * 21), "passed pawn: each square of its path White holds")
T.put(1342, same(30000), "pawn the bare king cannot catch")
T.put(1343, stages([1512, 895, 0], ending=[1800, 1000, 0], mating=[0, 0, 0]),
      "doubled; backward; (1345 is not read)")
T.put(1346, stages([1997, 2001, 1500, 2345], m=1.2, e=1.5, mating=[0] * 4),
      "passed pawn blocked; own king near it; enemy / own rook behind it")
T.put(1350, stages([1200, 1500], m=0.8, e=0.3, mating=[0, 0]),
      "d2 / e2 pawn blocked by a piece: the bishop stays in (an opening fault)")
PASSED = [0, 15957, 10994, 5910, 2957, 1977, 874]  # by rows still to go; entry 0 is not read
SUPPORT = [0, 7900, 5199, 2678, 1270, 872, 373]    # a neighbouring pawn beside it
OPEN = [0, 3900, 2496, 1386, 1356, 888, 20]        # no enemy pawn ahead
T.put(1352, stages(PASSED, m=1.2, e=1.6, mating=[0] * 7), "passed pawn by rows to go")
T.put(1359, stages(SUPPORT, m=1.1, e=1.3, mating=[0] * 7), "passed pawn with a pawn beside it")
T.put(1366, stages(OPEN, m=1.0, e=1.2, mating=[0] * 7), "pawn on a file with no enemy pawn ahead")
T.put(1373, stages(1110, m=1.2, e=1.6, mating=0), "enemy king in front of a passed pawn")

PAWN_O = diagram([
    [0, 0, 0, 0, 0, 0, 0, 0],
    [900, 900, 1000, 1100, 1100, 1000, 900, 900],
    [300, 300, 500, 700, 700, 500, 300, 300],
    [0, 100, 300, 600, 600, 200, 0, 0],
    [-100, 0, 200, 500, 500, 100, -100, -100],
    [-100, 0, 100, 200, 200, 0, -200, -200],
    [0, 0, 0, -100, -100, 0, 100, 100],
    [0, 0, 0, 0, 0, 0, 0, 0],
])
PAWN_E = square_table(lambda x, y: [0, 0, 100, 300, 600, 1000, 1600, 0][y] + (50 if 2 <= x <= 5 else 0) * (1 <= y <= 6))
T.put(1374, stages(PAWN_O, m=1.0, ending=PAWN_E, mating=[0] * 64),
      "pawn square table: centre pawns forward early, every pawn forward late; wing pawns stay home early")

# --- 1438..1467 -------------------------------------------------------------------
SHELTER = [600, 900, 700, 400, 500, 200, 500, 700, 500, 300, 400, 200]
T.put(1438, stages(SHELTER, m=1.2, e=0.3, mating=[0] * 12),
      "pawn shelter: f2, g2, h2, h3+g2, g3+h2, f3+g2; a2, b2, c2, a3+b2, b3+a2, c3+b2")
T.put(1450, stages([535, 122], m=1.0, e=1.3, mating=[0, 0]), "isolated pawn; backward on a half-open file")
T.put(1452, stages([500, 303, 903, 1374, 1700, 2000, 2300, 2600, 2900, 3200, 3500, 3800, 4100, 4400, 4700, 5000],
                   m=1.0, e=1.2, mating=[0] * 16),
      "backward pawn attacked by n enemy pieces")

# mating slice: bishop corner factor tuned for the slice it is read in
T.s[3][47] = 3000

T.check()

# Fitted values: entries listed in fitted-coefficients.txt ("index value",
# the index over all four slices) replace what the blocks above give them.
# tools/tune_eval.cpp writes such lists; the file says how this one was made.
HERE = os.path.dirname(os.path.abspath(__file__))


def read_fitted(name):
    """(index, value) pairs of a list of fitted values, if the file is there."""
    path = os.path.join(HERE, name)
    if not os.path.exists(path):
        return []
    return sorted((i, v) for i, (v, _) in merge_fitted.read(path)[1].items())


for index, value in read_fitted("fitted-coefficients.txt"):
    T.s[index // SLICE][index % SLICE] = value

# The 2D game's own values: entries of fitted-coefficients-2d.txt, fitted to
# 2D positions alone from the table above, replace its values in the 2D game
# only (in the 3D game they played worse). Material is read straight from the
# shared table, so it may not differ.
OWN_2D = [(i, v) for i, v in read_fitted("fitted-coefficients-2d.txt") if v != T.s[i // SLICE][i % SLICE]]
assert not [i for i, _ in OWN_2D if 1181 <= i % SLICE <= 1187], "material in the 2D game's own values"


def emit(path):
    out = []
    out.append("// The evaluation's coefficient table: four slices of 1468 values (opening,")
    out.append("// middle game, ending, mating). Generated by tools/gen_coefficients.py,")
    out.append("// which says where every block comes from; edit that, not this. Entries")
    out.append("// listed in tools/fitted-coefficients.txt hold their fitted values; the 2D")
    out.append("// game's own ones follow the table.")
    out.append('#include "tamzor.h"')
    out.append('#include "eval/eval.h"')
    out.append("")
    out.append("const ETYPE_T orig_coefficients[COEFF_COUNT] = {")
    starts = sorted(T.notes)
    for st in range(4):
        out.append(f"    // ---- {STAGES[st]} ----")
        for bi, start in enumerate(starts):
            end = starts[bi + 1] if bi + 1 < len(starts) else SLICE
            out.append(f"    // {start}: {T.notes[start]}")
            vals = T.s[st][start:end]
            for k in range(0, len(vals), 10):
                out.append("    " + " ".join(f"{v}," for v in vals[k:k + 10]))
    out.append("};")
    out.append("")
    out.append("// The 2D game's own values (tools/fitted-coefficients-2d.txt): index, value.")
    out.append("const COEFF_ENTRY_T coefficients_2d_fitted[] = {")
    for k in range(0, len(OWN_2D), 6):
        out.append("    " + " ".join(f"{{{i}, {v}}}," for i, v in OWN_2D[k:k + 6]))
    out.append("};")
    out.append("const int coefficients_2d_fitted_count = sizeof coefficients_2d_fitted / sizeof coefficients_2d_fitted[0];")
    with open(path, "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    emit(os.path.join(HERE, "..", "src", "eval", "OrigCoefficients.cpp"))

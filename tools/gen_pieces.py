#!/usr/bin/env python3
"""Writes the piece meshes pieces/KING.STL ... pieces/PAWN.STL (ASCII STL).

Sized for a unit cell: base on z = 0, axis along +Z, radius at most 0.3.
King, queen, rook, bishop and pawn are surfaces of revolution of the
profiles below, (radius, height) from the foot upwards; the knight stands on
a turned foot and carries a horse head made from a side outline, facing +Y.
Run from anywhere: python3 tools/gen_pieces.py
"""
import math
import os

SEGMENTS = 40  # around the axis


def smooth(points, steps):
    """Catmull-Rom through the profile points, `steps` per span."""
    out = []
    n = len(points)
    for i in range(n - 1):
        p0 = points[max(i - 1, 0)]
        p1, p2 = points[i], points[i + 1]
        p3 = points[min(i + 2, n - 1)]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * p1[k] + (-p0[k] + p2[k]) * t + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                       + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3) for k in range(2)))
    out.append(points[-1])
    return [(max(r, 0.0), z) for r, z in out]


def revolve(profile, segments=SEGMENTS, z0=0.0):
    """Triangles of the surface swept by the profile; closed at both ends."""
    tris = []
    prof = list(profile)
    if prof[0][0] > 0:
        prof.insert(0, (0.0, prof[0][1]))
    if prof[-1][0] > 0:
        prof.append((0.0, prof[-1][1]))
    ring = [(math.cos(2 * math.pi * k / segments), math.sin(2 * math.pi * k / segments)) for k in range(segments)]
    for (r1, h1), (r2, h2) in zip(prof, prof[1:]):
        for k in range(segments):
            c1, s1 = ring[k]
            c2, s2 = ring[(k + 1) % segments]
            a = (r1 * c1, r1 * s1, h1 + z0)
            b = (r1 * c2, r1 * s2, h1 + z0)
            c = (r2 * c2, r2 * s2, h2 + z0)
            d = (r2 * c1, r2 * s1, h2 + z0)
            if r1 > 1e-9:
                tris.append((a, b, c))
            if r2 > 1e-9:
                tris.append((a, c, d))
    return tris


def extrude(outline, half_width, taper):
    """A slab from a side outline in the (y, z) plane, star-shaped about its
    first point, thickness along X; `taper(y, z)` narrows it (0..1)."""
    centre, rim = outline[0], outline[1:]
    tris = []

    def pt(p, side):
        w = half_width * taper(*p)
        return (side * w, p[0], p[1])

    for side in (1, -1):
        for p, q in zip(rim, rim[1:] + rim[:1]):
            t = (pt(centre, side), pt(p, side), pt(q, side))
            tris.append(t if side > 0 else (t[0], t[2], t[1]))
    for p, q in zip(rim, rim[1:] + rim[:1]):
        a, b, c, d = pt(p, 1), pt(q, 1), pt(q, -1), pt(p, -1)
        tris.append((a, d, c))
        tris.append((a, c, b))
    # Outward facing: away from the centre, which every face of a slab from a
    # star-shaped outline can see.
    inside = (0.0, centre[0], centre[1])
    out = []
    for t in tris:
        n = normal(t)
        mid = [sum(v[k] for v in t) / 3 - inside[k] for k in range(3)]
        out.append(t if sum(n[k] * mid[k] for k in range(3)) >= 0 else (t[0], t[2], t[1]))
    return out


def normal(t):
    (ax, ay, az), (bx, by, bz), (cx, cy, cz) = t
    ux, uy, uz = bx - ax, by - ay, bz - az
    vx, vy, vz = cx - ax, cy - ay, cz - az
    n = (uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx)
    length = math.sqrt(sum(x * x for x in n)) or 1.0
    return tuple(x / length for x in n)


def write_stl(path, name, tris):
    with open(path, "w") as f:
        f.write("solid %s\n" % name)
        for t in tris:
            f.write("  facet normal %.5f %.5f %.5f\n    outer loop\n" % normal(t))
            for v in t:
                f.write("      vertex %.5f %.5f %.5f\n" % v)
            f.write("    endloop\n  endfacet\n")
        f.write("endsolid %s\n" % name)


# Profiles, (radius, height), foot upwards.
FOOT = [(0.29, 0.0), (0.29, 0.05), (0.26, 0.08), (0.27, 0.11), (0.22, 0.15)]

PAWN = FOOT + [(0.17, 0.22), (0.12, 0.35), (0.1, 0.45), (0.16, 0.48), (0.1, 0.51),
               (0.14, 0.56), (0.15, 0.63), (0.12, 0.7), (0.06, 0.74), (0.0, 0.75)]

ROOK = FOOT + [(0.2, 0.25), (0.18, 0.45), (0.18, 0.6), (0.23, 0.65), (0.24, 0.72),
               (0.24, 0.86), (0.17, 0.86), (0.17, 0.8), (0.0, 0.8)]

BISHOP = FOOT + [(0.18, 0.25), (0.13, 0.45), (0.11, 0.62), (0.18, 0.66), (0.11, 0.7),
                 (0.14, 0.76), (0.15, 0.85), (0.12, 0.94), (0.07, 1.0), (0.04, 1.03),
                 (0.06, 1.06), (0.04, 1.09), (0.0, 1.1)]

QUEEN = FOOT + [(0.2, 0.25), (0.14, 0.5), (0.11, 0.78), (0.2, 0.82), (0.12, 0.87),
                (0.15, 0.95), (0.2, 1.1), (0.21, 1.15), (0.13, 1.15), (0.1, 1.2),
                (0.07, 1.24), (0.08, 1.28), (0.05, 1.32), (0.0, 1.33)]

KING = FOOT + [(0.21, 0.25), (0.15, 0.55), (0.12, 0.85), (0.21, 0.89), (0.13, 0.94),
               (0.16, 1.02), (0.19, 1.15), (0.19, 1.2), (0.1, 1.22), (0.05, 1.26), (0.0, 1.27)]


def cross_top():
    """The king's cross: two boxes on top."""
    def box(x0, x1, y0, y1, z0, z1):
        v = [(x, y, z) for z in (z0, z1) for y in (y0, y1) for x in (x0, x1)]
        faces = [(0, 2, 3, 1), (4, 5, 7, 6), (0, 1, 5, 4), (2, 6, 7, 3), (0, 4, 6, 2), (1, 3, 7, 5)]
        out = []
        for a, b, c, d in faces:
            out.append((v[a], v[b], v[c]))
            out.append((v[a], v[c], v[d]))
        return out
    return box(-0.03, 0.03, -0.03, 0.03, 1.25, 1.5) + box(-0.1, 0.1, -0.03, 0.03, 1.36, 1.42)


# The horse head, seen from its left: (y forward, z up). The first point is
# the centre the outline is fanned from; the rest run round it: neck back,
# mane, ears, forehead, muzzle, jaw, throat.
HEAD = [(0.0, 0.55),
        (-0.17, 0.22), (-0.2, 0.4), (-0.19, 0.55), (-0.15, 0.7), (-0.1, 0.8), (-0.07, 0.9),
        (-0.06, 1.02), (-0.02, 0.93), (0.02, 1.0), (0.03, 0.9), (0.08, 0.86), (0.15, 0.8),
        (0.22, 0.72), (0.27, 0.64), (0.28, 0.58), (0.24, 0.54), (0.16, 0.55), (0.08, 0.5),
        (0.06, 0.4), (0.1, 0.3), (0.12, 0.22), (0.0, 0.2)]


def knight():
    foot = revolve(smooth(FOOT + [(0.2, 0.2), (0.0, 0.2)], 3))

    def taper(y, z):
        # narrower at the muzzle and the ears, full at the neck
        t = 1.0 - 0.45 * max(0.0, y) / 0.28
        if z > 0.88:
            t *= 0.6
        return t
    head = extrude(HEAD, 0.12, taper)
    # eyes: small bumps on both cheeks
    eyes = []
    for side in (1, -1):
        for t in revolve([(0.0, 0.0), (0.025, 0.0), (0.0, 0.02)], 8):
            eyes.append(tuple((side * (0.095 + z), 0.09 + x, 0.78 + y) for x, y, z in t))
    return foot + head + eyes


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pieces")
    os.makedirs(root, exist_ok=True)
    meshes = {
        "PAWN": revolve(smooth(PAWN, 3)),
        "ROOK": revolve(smooth(ROOK, 2)),
        "BISHOP": revolve(smooth(BISHOP, 3)),
        "QUEEN": revolve(smooth(QUEEN, 3)),
        "KING": revolve(smooth(KING, 3)) + cross_top(),
        "KNIGHT": knight(),
    }
    for name, tris in meshes.items():
        write_stl(os.path.join(root, name + ".STL"), name.lower(), tris)
        print("%s.STL: %d triangles" % (name, len(tris)))


if __name__ == "__main__":
    main()

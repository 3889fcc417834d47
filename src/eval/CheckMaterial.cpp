// Corrections for material balances whose plain count misleads: drawn
// endings, rook endings against a lesser force, the fifty-move count, and
// trading down when ahead.
#include "tamzor.h"
#include "eval/eval.h"
#include "search/search.h"

ETYPE_T CheckMaterial(POS_T* b, ETYPE_T v) {
    const ETYPE_T* n = new_coefficients;
    const ETYPE_T N = n[1183], B = n[1184], R = n[1185], Q = n[1186], K = n[1187];
    const ETYPE_T D = DrawValue();
    const ETYPE_T wm = b->w_material, bm = b->b_material;
    const uint64_t pieces = b->piece_mask & 0xFFFFFFFF;
    const uint64_t pawns = b->material_mask & ~b->piece_mask & 0xFFFFFFFF;
    ETYPE_T r = v;

    if (!pawns && b->tactics == 0 && ((wm == Q + K && bm == Q + K) || (wm == R + K && bm == R + K))) {
        b->flags |= FLAG_MATERIAL_DRAW;
        return 2 * D - v;
    }
    const bool w_minor = pieces & 0xF0, b_minor = pieces & 0xF00000;
    const bool w_rook = pieces & 0xC, b_rook = pieces & 0xC0000;
    if (wm == R + K && bm <= R + K && b_minor) {
        r = -n[45];
    } else if (bm == R + K && wm <= R + K && w_minor) {
        r = n[45];
    } else if ((wm == R + B + K || wm == R + N + K) && bm <= R + B + K && b_rook) {
        r = -n[45];
    } else if ((bm == R + B + K || bm == R + N + K) && wm <= R + B + K && w_rook) {
        r = n[45];
    } else {
        const ETYPE_T lone_minor = emax(B + K, N + K);
        if (!(pawns & 0xFFFF) && (wm <= lone_minor || wm == 2 * N + K)) r = emin(r, D);
        if (!(pawns & 0xFFFF0000) && (bm <= lone_minor || bm == 2 * N + K)) r = emax(r, D);
        if (r == D && v != D) {
            b->flags |= FLAG_MATERIAL_DRAW;
        } else {
            b->flags &= ~(uint64_t)FLAG_MATERIAL_DRAW;
            if (b->stage != MATING && r != 0 && b->fifty_count > 20) {
                // fades to nothing at 148 plies and never changes sign
                const int f = imin(b->fifty_count, 148);
                r = (148 - f) * r / 128;
            }
            const int p = imin(PopCount32(pieces), 31);
            const int w = imin(PopCount32(pawns), 31);
            if (wm >= bm + 8000) r += n[1239 + p] - n[1287 + w];
            if (bm >= wm + 8000) r -= n[1239 + p] - n[1287 + w];
        }
    }
    return r - v;
}

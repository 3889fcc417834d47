// The reach map of a child after a simple move (2D): taken from the parent,
// with the moved and captured pieces dropped and every slider whose line or
// x-ray line passes the two squares the move changed regenerated. Every
// square a slider's line depends on is marked in its reach or x-ray bits,
// so this gives the same map as regenerating the whole position.
#include <cstdlib>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"

void UpdateMoves(POS_T* b, POS_T* oldb, MOVE_T* move) {
    const SQ_T f = move->from, t = move->to;
    if (!oldb || f >= 64 || t >= 64) {
        RegenToPieces(b);
        return;
    }
    EnsureMaps(b);
    const int P = oldb->board[f];
    uint64_t moved = 0;
    if (oldb->pboard[f] >= 0) moved |= 1ull << oldb->pboard[f];
    if (oldb->pboard[t] >= 0) moved |= 1ull << oldb->pboard[t];
    // sliders whose lines meet f or t, as the parent saw them
    uint64_t sliders = (oldb->topieces[f] | oldb->topieces[t] | oldb->xray_topieces[f] |
                        oldb->xray_topieces[t]) & oldb->sliding_mask & b->material_mask & ~moved;
    const uint64_t keep = ~(moved | sliders);
    for (int sq = 0; sq < 64; sq++) {
        b->topieces[sq] = oldb->topieces[sq] & keep;
        b->xray_topieces[sq] = oldb->xray_topieces[sq] & keep;
    }
    const uint64_t changed_before = b->piece_change;
    for (uint64_t s = sliders; s; s &= s - 1) PieceGenerate(b, FFOne(s));
    // regenerating a line does not change what its piece is worth: only the
    // moved piece is marked for its own term
    b->piece_change = changed_before;
    if (b->pboard[t] >= 0) PieceGenerate(b, b->pboard[t]);

    // pawns whose pawn terms may change
    int lo = 99, hi = -99;
    if (abs(P) == 1) {
        lo = (int)XPOS(f) - 1;
        hi = (int)XPOS(f) + 1;
        if (XPOS(f) != XPOS(t)) {
            lo = imin(lo, (int)XPOS(t) - 1);
            hi = imax(hi, (int)XPOS(t) + 1);
        }
    } else if (abs(oldb->board[t]) == 1) {
        lo = (int)XPOS(t) - 1;
        hi = (int)XPOS(t) + 1;
    }
    for (int s = 8; s < 32; s++) {
        if (s == 16) s = 24;
        const PS_T& ps = b->pieces[s];
        if (ps.p != (s < 16 ? W_PAWN : B_PAWN)) continue;
        int x = (int)XPOS(ps.pos);
        if (x >= lo && x <= hi) b->piece_change |= 1ull << s;
    }
}

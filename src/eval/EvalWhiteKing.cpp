// The White king: centralised once the enemy queen is gone (in the mating
// stage: toward the other king when ahead, to the centre when behind), kept
// home while it is on the board; castling and the pawn shelter.
#include <cstdlib>

#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T EvalWhiteKing(POS_T* b, int s) {
    const ETYPE_T* c = coefficients;
    const SQ_T q = b->pieces[s].pos;
    const int x = (int)XPOS(q), y = (int)YPOS(q);
    const bool queen = b->piece_mask & (1ull << 17);
    ETYPE_T v = 0;
    if (!queen) {
        if (b->stage == MATING) {
            if (b->w_material < b->b_material - 10000) {
                v = 10 * (c[53 + x] + c[53 + y]);
            } else {
                const SQ_T o = b->pieces[16].pos;
                const int d = imax(abs((int)XPOS(o) - x), abs((int)YPOS(o) - y));
                v = -c[26 + imin(d, 7)];
            }
        } else {
            v = c[53 + x] + c[53 + y];
        }
    } else if (b->stage == OPENING && y > 0) {
        v = -c[10 + y];
    } else if (b->stage == MID_GS && y > 0) {
        v = -c[18 + y];
    }
    if (b->stage == ENDING || b->stage == MATING) return v;

    if (b->flags & FLAG_W_CASTLED)
        v += c[1];
    else if (!(b->flags & (FLAG_WK_CASTLE | FLAG_WQ_CASTLE)))
        v -= c[1];
    if (queen && y == 0) {
        auto pawn = [b](SQ_T sq) { return b->board[sq] == W_PAWN; };
        if (x >= 5 || (b->flags & FLAG_WK_CASTLE)) {
            if (pawn(F2)) v += c[1438];
            if (pawn(G2)) v += c[1439];
            if (pawn(H2)) v += c[1440];
            if (pawn(H3) && pawn(G2)) v += c[1441];
            if (pawn(G3) && pawn(H2) && !b->pieces[21].p) v += c[1442];
            if (pawn(F3) && pawn(G2) && !b->pieces[20].p) v += c[1443];
        }
        if (x <= 2) {
            if (pawn(A2)) v += c[1444];
            if (pawn(B2)) v += c[1445];
            if (pawn(C2)) v += c[1446];
            if (pawn(A3) && pawn(B2)) v += c[1447];
            if (pawn(B3) && pawn(A2) && !b->pieces[20].p) v += c[1448];
            if (pawn(C3) && pawn(B2) && !b->pieces[21].p) v += c[1449];
        }
    }
    return v;
}

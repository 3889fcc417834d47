// The Black king: the mirror of EvalWhiteKing, value for Black.
#include <cstdlib>

#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T EvalBlackKing(POS_T* b, int s) {
    const ETYPE_T* c = coefficients;
    const SQ_T q = b->pieces[s].pos;
    const int x = (int)XPOS(q), y = 7 - (int)YPOS(q);
    const bool queen = b->piece_mask & (1ull << 1);
    ETYPE_T v = 0;
    if (!queen) {
        if (b->stage == MATING) {
            if (b->b_material < b->w_material - 10000) {
                v = 10 * (c[53 + x] + c[53 + y]);
            } else {
                const SQ_T o = b->pieces[0].pos;
                const int d = imax(abs((int)XPOS(o) - x), abs((int)YPOS(o) - (int)YPOS(q)));
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

    if (b->flags & FLAG_B_CASTLED)
        v += c[1];
    else if (!(b->flags & (FLAG_BK_CASTLE | FLAG_BQ_CASTLE)))
        v -= c[1];
    if (queen && y == 0) {
        auto pawn = [b](SQ_T sq) { return b->board[sq] == B_PAWN; };
        if (x >= 5 || (b->flags & FLAG_BK_CASTLE)) {
            if (pawn(F7)) v += c[1438];
            if (pawn(G7)) v += c[1439];
            if (pawn(H7)) v += c[1440];
            if (pawn(H6) && pawn(G7)) v += c[1441];
            if (pawn(G6) && pawn(H7) && !b->pieces[5].p) v += c[1442];
            if (pawn(F6) && pawn(G7) && !b->pieces[4].p) v += c[1443];
        }
        if (x <= 2) {
            if (pawn(A7)) v += c[1444];
            if (pawn(B7)) v += c[1445];
            if (pawn(C7)) v += c[1446];
            if (pawn(A6) && pawn(B7)) v += c[1447];
            if (pawn(B6) && pawn(A7) && !b->pieces[4].p) v += c[1448];
            if (pawn(C6) && pawn(B7) && !b->pieces[5].p) v += c[1449];
        }
    }
    return v;
}

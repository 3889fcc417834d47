// The material a move wins or loses once the opponent has made its best
// captures, bracketed with null-window calls of the exchange estimate.
#include "tamzor.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"

ETYPE_T EvalMoveTactics(POS_T* b, MOVE_T* move) {
    POS_T c;
    MOVE_T m = *move;
    if (!DoMove(&c, b, &m)) return -INF_VALUE;
    const bool white_replies = IsWhitesMove(&c);
    const int bal = white_replies ? b->w_material - b->b_material : b->b_material - b->w_material;
    int lo = -INF_VALUE, hi = INF_VALUE, t = bal + 1;
    while (lo < hi - 5000) {
        const int r = white_replies ? MiniQuiesceW(&c, c.material_mask, 0, t, 0)
                                    : MiniQuiesceB(&c, c.material_mask, 0, t, 0);
        if (r < t) {
            hi = r;
            t = r - 1;
        } else {
            lo = r;
            t = r + 1;
        }
    }
    if (bal < lo) return bal - lo;
    if (hi < bal) return bal - hi;
    return 0;
}

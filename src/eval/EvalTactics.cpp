// Can the side to move win material by captures now (T1), or does the other
// side threaten to (T2)? The sign is the side that profits.
#include "tamzor.h"
#include "eval/eval.h"
#include "search/search.h"

ETYPE_T EvalTactics(POS_T* b) {
    if (b->flags & FLAG_TACTICS_DONE) return b->tactics;
    ZeroMove(&b->best_capture);
    const ETYPE_T t1 = coefficients[1188], t2 = coefficients[1189];
    const uint64_t all = b->material_mask;
    ETYPE_T v = 0;
    if (IsWhitesMove(b)) {
        const int m = b->w_material - b->b_material;
        if (MiniQuiesceW(b, all, 0, m + 5000, 0) >= m + 5000) {
            v = t1;
        } else {
            const int mb = b->b_material - b->w_material;
            if (MiniQuiesceB(b, all, 0, mb + 5000, 0) - mb >= 5000) v = -t2;
        }
    } else {
        const int m = b->b_material - b->w_material;
        if (MiniQuiesceB(b, all, 0, m + 5000, 0) >= m + 5000) {
            v = -t1;
        } else {
            const int mw = b->w_material - b->b_material;
            if (MiniQuiesceW(b, all, 0, mw + 5000, 0) - mw >= 5000) v = t2;
        }
    }
    b->flags |= FLAG_TACTICS_DONE;
    b->tactics = v;
    return v;
}

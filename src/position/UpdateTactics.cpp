// After a null move: a gain the side to move could take becomes a threat of
// the side not to move, and the other way round.
#include "tamzor.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"

namespace {
// The tactics term of the position with the other side to move.
void Flip(POS_T* b, ETYPE_T t1, ETYPE_T t2) {
    if (!(b->flags & FLAG_TACTICS_DONE)) {
        b->tactics = EvalTactics(b);
        return;
    }
    if (b->tactics == 0) return;
    if (IsWhitesMove(b)) {
        if (b->tactics == t2) {
            b->tactics = t1;
        } else if (b->tactics == t1) {
            Panic(false, "tactics bug 1");
        } else if (b->tactics == -t2) {
            Panic(false, "tactics bug 2");
        } else if (b->tactics == -t1) {
            const int m = b->w_material - b->b_material;
            if (MiniQuiesceW(b, b->material_mask, 0, m + 5000, 0) < m + 5000) {
                b->tactics = -t2;
            } else {
                b->tactics = t1;
            }
        }
    } else {
        if (b->tactics == -t2) {
            b->tactics = -t1;
        } else if (b->tactics == -t1) {
            Panic(false, "tactics bug 3");
        } else if (b->tactics == t2) {
            Panic(false, "tactics bug 4");
        } else if (b->tactics == t1) {
            const int m = b->b_material - b->w_material;
            if (MiniQuiesceB(b, b->material_mask, 0, m + 5000, 0) < m + 5000) {
                b->tactics = t2;
            } else {
                b->tactics = -t1;
            }
        }
    }
}
}  // namespace

void UpdateTactics(POS_T* b) {
    // the slice the cached value was weighed with
    if (b->stage >= OPENING && b->stage <= MATING) coefficients = GameCoefficients() + b->stage * COEFF_SLICE;
    const ETYPE_T t1 = coefficients[1188], t2 = coefficients[1189];
    const ETYPE_T before = (b->flags & FLAG_TACTICS_DONE) ? b->tactics : 0;
    Flip(b, t1, t2);
    // the term counts at its weight in the cached value
    b->eval_result += WeighedTerm(b->tactics) - WeighedTerm(before);
}

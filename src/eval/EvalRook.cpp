// Square value; rooks that guard each other, more so both on the seventh.
#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T EvalRook(POS_T* b, int s) {
    const ETYPE_T* c = coefficients;
    const SQ_T q = b->pieces[s].pos;
    ETYPE_T v = c[61 + (s < 16 ? q : q ^ 7)];
    const int base = s < 16 ? 0 : 16;
    if (s != base + 2 && s != base + 3) return v;  // a promoted rook has no partner slot
    const int o = s == base + 2 ? base + 3 : base + 2;
    const uint64_t obit = 1ull << o;
    if (!b->pieces[o].p || !(b->topieces[q] & obit) || (b->pinned_mask & obit)) return v;
    v += c[6];
    const SQ_T seventh = s < 16 ? 6 : 1;
    if (YPOS(q) == seventh && YPOS(b->pieces[o].pos) == seventh) v += c[7];
    return v;
}

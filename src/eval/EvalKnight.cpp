#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T EvalKnight(POS_T* b, int s) {
    const SQ_T q = b->pieces[s].pos;
    const SQ_T own = s < 16 ? q : q ^ 7;
    return coefficients[125 + own] + OutpostBonus(b, s, 2, 4);
}

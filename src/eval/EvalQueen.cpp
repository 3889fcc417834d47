// A queen brought out early in the opening is a target.
#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T EvalQueen(POS_T* b, int s) {
    if (b->stage != OPENING) return 0;
    const SQ_T y = YPOS(b->pieces[s].pos);
    const bool out = s < 16 ? y >= 3 : y <= 4;
    return out ? -coefficients[9] : 0;
}

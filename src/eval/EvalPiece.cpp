#include <cstdlib>

#include "tamzor.h"
#include "eval/eval.h"

void EvalPiece(POS_T* b, PS_T* ps) {
    ETYPE_T v = new_coefficients[COEFF_MATERIAL + abs(ps->p)];
    if (ps->p > 0)
        b->w_material += v;
    else
        b->b_material += v;
}

void DevalPiece(POS_T* b, PS_T* ps) {
    ETYPE_T v = new_coefficients[COEFF_MATERIAL + abs(ps->p)];
    if (ps->p > 0)
        b->w_material -= v;
    else
        b->b_material -= v;
}

#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T Evaluate(POS_T* b, int alpha, int mode) {
    ETYPE_T v = EvalEtype(b, alpha, mode);
    if (v > 399852) v = 399852;
    if (v < -399852) v = -399852;
    return v;
}

#include "tamzor.h"

// Material only for now; the full evaluation replaces this.
ETYPE_T Evaluate(POS_T* b, int alpha, int mode) {
    (void)alpha;
    (void)mode;
    ETYPE_T v = b->w_material - b->b_material;
    if (v > 300000) v = 300000;
    if (v < -300000) v = -300000;
    b->eval_result = v;
    v *= NextToPlay(b);
    if (v > 399852) v = 399852;
    if (v < -399852) v = -399852;
    return v;
}

#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T EvalMobility(POS_T* b) {
    if (b->stage == MATING) return 0;  // the control layer is off there
    ETYPE_T v = 0;
    for (uint64_t m = b->piece_mask & 0xFFFFFFFF; m; m &= m - 1) {
        const int s = LowSlot(m);
        if (s < 16)
            v += MobilityFunction(b, s);
        else
            v -= MobilityFunction(b, s);
    }
    return v;
}

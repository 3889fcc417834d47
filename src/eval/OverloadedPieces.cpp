// A piece that alone holds the balance on several squares (pieces standing
// where neither side has control) cannot do all its duties at once.
#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T OverloadedPieces(POS_T* b) {
    // The control signs are not kept up in the mating stage.
    if (b->stage == MATING) return 0;
    const ETYPE_T* c = coefficients;
    int w[8] = {}, k[8] = {};
    for (uint64_t m = b->material_mask & 0xFFFFFFFF; m; m &= m - 1) {
        const int s = LowSlot(m);
        const SQ_T q = b->pieces[s].pos;
        if (q >= 64 || b->cont[q] != 0 || !b->topieces[q]) continue;
        if (s >= 16) {
            for (uint64_t d = (b->topieces[q] >> 16) & 0xFF; d; d &= d - 1) k[LowSlot(d)]++;
        } else {
            for (uint64_t d = b->topieces[q] & 0xFF; d; d &= d - 1) w[LowSlot(d)]++;
        }
    }
    ETYPE_T v = 0;
    for (int i = 0; i < 8; i++) {
        // the table holds 2..16 duties
        if (w[i] >= 2) v -= c[1188 + imin(w[i], 16)];
        if (k[i] >= 2) v += c[1188 + imin(k[i], 16)];
    }
    return v;
}

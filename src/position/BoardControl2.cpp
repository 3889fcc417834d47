// Hanging and attacking pieces, and the attack-count term: the more enemy
// pieces a side's pieces attack, the better.
#include "tamzor.h"
#include "position/position.h"
#include "eval/eval.h"

ETYPE_T BoardControl2(POS_T* b) {
    if (b->stage == MATING) return 0;
    uint64_t attacking = 0, hung = 0;
    int nw = 0, nb = 0;
    for (int s = 1; s < 16; s++) {
        if (!b->pieces[s].p) continue;
        const SQ_T q = b->pieces[s].pos;
        const uint64_t by = b->topieces[q] & 0xFFFF0000;
        if (!by) continue;
        attacking |= by;
        nb += pop_count[(by >> 16) & 0xFF];
        if (b->control[q] < 0) hung |= 1ull << s;
    }
    for (int s = 17; s < 32; s++) {
        if (!b->pieces[s].p) continue;
        const SQ_T q = b->pieces[s].pos;
        const uint64_t by = b->topieces[q] & 0xFFFF;
        if (!by) continue;
        attacking |= by;
        nw += pop_count[by & 0xFF];
        if (b->control[q] > 0) hung |= 1ull << s;
    }
    // The count table has 16 entries; many attacks all count as 15.
    nw = imin(nw, 15);
    nb = imin(nb, 15);
    const ETYPE_T* c = coefficients;
    const ETYPE_T r = c[1271 + nw] - c[1271 + nb];
    const uint64_t a = attacking & b->piece_mask;
    b->piece_change |= b->attacking_mask ^ a;
    b->hung_mask = hung;
    b->attacking_mask = a;
    return r;
}

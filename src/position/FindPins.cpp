// A piece is pinned when an enemy slider attacks it and, were it gone, the
// slider would win control of a more valuable piece of its side behind it.
#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"

namespace {
void PinSide(POS_T* b, int first, int last, uint64_t enemy_attackers, int own_lo, bool white) {
    for (int s = first; s <= last; s++) {
        if (!b->pieces[s].p) continue;
        const SQ_T q = b->pieces[s].pos;
        const uint64_t sliders = b->topieces[q] & enemy_attackers & b->sliding_mask;
        for (uint64_t m = sliders; m; m &= m - 1) {
            const int a = LowSlot(m);
            const SQ_T aq = b->pieces[a].pos;
            if (aq >= 64 || (b->topieces[aq] & (1ull << s))) continue;
            for (int u = own_lo; u < own_lo + 8; u++) {
                if (u == s || !b->pieces[u].p) continue;
                const SQ_T uq = b->pieces[u].pos;
                if (!SameLine(aq, q, uq) || !EmptyLine(b, q, uq)) continue;
                const int cc = GetControl(b, b->topieces[uq] | (1ull << a), b->pieces[u].p, uq);
                if (white ? cc < 0 : cc > 0) {
                    b->pinned_mask |= 1ull << s;
                    break;
                }
            }
        }
    }
}
}  // namespace

ETYPE_T FindPins(POS_T* b) {
    b->pinned_mask = 0;
    if (b->stage == MATING) return 0;
    EnsureMaps(b);
    PinSide(b, 2, 15, 0xFFFF0000, 0, true);
    PinSide(b, 18, 31, 0xFFFF, 16, false);
    return 0;
}

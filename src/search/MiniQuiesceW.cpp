// Static exchange estimate: the side to move's material balance after the
// best sequence of captures, cut short once it reaches beta. One body serves
// both colours; the two entry points name the side to move.
#include <cstdlib>

#include "tamzor.h"
#include "eval/eval.h"
#include "search/search.h"

namespace {
int MiniQuiesceSide(POS_T* b, bool white, uint64_t caplist, uint64_t donelist, int beta, int ply) {
    const uint64_t own = white ? 0xFFFFull : 0xFFFF0000ull, theirs = white ? 0xFFFF0000ull : 0xFFFFull;
    const int v = white ? b->w_material - b->b_material : b->b_material - b->w_material;
    int bestv = v;
    if (v >= beta) return v;
    for (uint64_t victims = caplist & theirs; victims; victims &= victims - 1) {
        const int i = LowSlot(victims);
        caplist &= ~(1ull << i);
        const PS_T& vs = b->pieces[i];
        if (!vs.p || vs.pos >= 64) continue;
        const int v3 = v + new_coefficients[COEFF_MATERIAL + abs(vs.p)];
        if (v3 < beta) {
            // even winning the most valuable victim left is not enough
            bestv = imax(bestv, v3);
            break;
        }
        const SQ_T to = vs.pos;
        const int victim_code = b->board[to];
        for (uint64_t att = b->topieces[to] & own & ~donelist; att;) {
            const int j = HighSlot(att);
            att &= ~(1ull << j);
            if (!b->pieces[j].p) continue;
            const SQ_T from = b->pieces[j].pos;
            MQ_SAVED_T saved;
            const uint64_t next = MiniQuiesceCapture(b, j, i, caplist, donelist, &saved);
            const int r =
                -MiniQuiesceSide(b, !white, next, donelist | (1ull << i) | (1ull << j), 1 - beta, ply + 1);
            MiniQuiesceUndo(b, j, i, from, victim_code, &saved);
            bestv = imax(bestv, r);
            if (bestv >= beta) {
                if (ply == 0) {
                    b->best_capture.from = from;
                    b->best_capture.to = to;
                }
                return bestv;
            }
        }
    }
    return bestv;
}
}  // namespace

int MiniQuiesceW(POS_T* b, uint64_t caplist, uint64_t donelist, int beta, int ply) {
    return MiniQuiesceSide(b, true, caplist, donelist, beta, ply);
}

int MiniQuiesceB(POS_T* b, uint64_t caplist, uint64_t donelist, int beta, int ply) {
    return MiniQuiesceSide(b, false, caplist, donelist, beta, ply);
}

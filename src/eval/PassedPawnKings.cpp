// The kings' distances to a passed pawn's path in the 2D ending: the pawn
// runs while its own king escorts it and the enemy king stands far off, and
// is lost when the enemy king reaches the square in front first. The pawn
// terms weigh a passer by its rank alone, the same wherever the kings are.
#include <algorithm>
#include <cstdlib>

#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"

namespace {
// The weights below count a pawn as 206; this brings them to the
// evaluation's 10052.
constexpr ETYPE_T UNIT = 10052 / 206;

int Proximity(SQ_T king, int sq) {
    const int d = std::max(std::abs((int)XPOS(king) - (sq >> 3)), std::abs((int)YPOS(king) - (sq & 7)));
    return std::min(d, 5);
}

// `rank` counts from the pawn's own side (1: its starting rank); `step` is
// +1 for White, -1 for Black. Centred on kings three squares away, so that
// the pawn terms keep the passer's average worth.
ETYPE_T Escort(SQ_T own, SQ_T enemy, int q, int rank, int step) {
    if (rank < 3) return 0;
    const int weight = 5 * rank - 13;
    const int block = q + step;
    int s = Proximity(enemy, block) * 19 - Proximity(own, block) * 8;
    s -= (rank < 6 ? Proximity(own, block + step) : 3) * 4;
    return (ETYPE_T)(s - 21) * weight * UNIT / 4;
}
}  // namespace

ETYPE_T PassedPawnKings(const POS_T* b) {
    if (state.dmode != 2 || b->stage != ENDING) return 0;
    const PS_T& wk = b->pieces[0];
    const PS_T& bk = b->pieces[16];
    if (!wk.p || !bk.p || wk.pos >= 64 || bk.pos >= 64) return 0;
    ETYPE_T v = 0;
    for (int i = 8; i < 16; i++) {
        const PS_T& p = b->pieces[i];
        if (p.p != W_PAWN || p.pos >= 64) continue;
        const int q = (int)p.pos, x = q >> 3, y = q & 7;
        bool passed = true;
        for (int f = std::max(x - 1, 0); f <= std::min(x + 1, 7); f++) passed &= black_pawn_loc[f] <= y;
        if (passed) v += Escort(wk.pos, bk.pos, q, y, 1);
    }
    for (int i = 24; i < 32; i++) {
        const PS_T& p = b->pieces[i];
        if (p.p != B_PAWN || p.pos >= 64) continue;
        const int q = (int)p.pos, x = q >> 3, y = q & 7;
        bool passed = true;
        for (int f = std::max(x - 1, 0); f <= std::min(x + 1, 7); f++)
            passed &= white_pawn_loc[f] == 0 || white_pawn_loc[f] >= y;
        if (passed) v -= Escort(bk.pos, wk.pos, q, 7 - y, -1);
    }
    return v;
}

// Enemy pawns advancing on a king at home while the enemy queen is on, in
// the 2D game: each comes to open a file. The attackers' count alone saw
// such an attack only once the pieces had arrived.
#include <cstdlib>

#include "tamzor.h"
#include "eval/eval.h"

namespace {
// Two or three rows in front of the king, and four.
constexpr ETYPE_T STORM_NEAR = 2000, STORM_FAR = 1000;
}

ETYPE_T PawnStorm(const POS_T* b, bool white) {
    if (state.dmode != 2) return 0;
    const PS_T& k = b->pieces[white ? 0 : 16];
    const int enemy = white ? 16 : 0;
    if (!k.p || k.pos >= 64 || !(b->piece_mask & (1ull << (enemy + 1)))) return 0;
    const int x = (int)XPOS(k.pos), y = (int)YPOS(k.pos);
    if ((white ? y : 7 - y) > 1) return 0;
    const int pawn = white ? B_PAWN : W_PAWN;
    ETYPE_T v = 0;
    for (int s = enemy + 8; s < enemy + 16; s++) {
        const PS_T& p = b->pieces[s];
        if (p.p != pawn || p.pos >= 64 || std::abs((int)XPOS(p.pos) - x) > 1) continue;
        const int ahead = white ? (int)YPOS(p.pos) - y : y - (int)YPOS(p.pos);
        if (ahead == 2 || ahead == 3)
            v += STORM_NEAR;
        else if (ahead == 4)
            v += STORM_FAR;
    }
    return v;
}

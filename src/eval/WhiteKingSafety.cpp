// Enemy pieces bearing on the squares around a king (a rook counts twice),
// open files next to it and enemy pawns storming it; value for the king's
// side. One body serves both colours; the two entry points name the king.
#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"

namespace {
ETYPE_T KingSafetyOf(POS_T* b, bool white) {
    const ETYPE_T* c = coefficients;
    const PS_T& k = b->pieces[white ? 0 : 16];
    if (!k.p || k.pos >= 64) return 0;
    const int x = (int)XPOS(k.pos), y = (int)YPOS(k.pos);
    const int enemy = white ? 16 : 0;  // first slot of the enemy's pieces
    const bool queen = b->piece_mask & (1ull << (enemy + 1));
    const ETYPE_T* A = c + (queen ? 1221 : 1205);
    const ETYPE_T* B = c + (queen ? 1229 : 1213);
    const ETYPE_T open = c[queen ? 1238 : 1237];
    const int x0 = imax(x - 1, 0), x1 = imin(x + 1, 7), y0 = imax(y - 1, 0), y1 = imin(y + 1, 7);
    uint64_t att = 0;
    for (int i = x0; i <= x1; i++)
        for (int j = y0; j <= y1; j++) {
            const int sq = i * 8 + j;
            att |= (b->topieces[sq] & (0xFEull << enemy)) | (b->xray_topieces[sq] & (0xFFull << enemy));
        }
    int n = pop_count[(att >> enemy) & 0xFF] + ((att & (0xCull << enemy)) ? 1 : 0);
    n = imin(n, 7);  // the tables have 8 entries
    // table A for the side whose move started the search
    const bool own_start = ((b->flags & FLAG_TAMZOR_WHITE) != 0) == white;
    ETYPE_T v = own_start ? -A[n] : -B[n];
    for (int i = x0; i <= x1; i++)
        if (!white_pawn_loc[i] && !black_pawn_loc[i]) v -= open;
    return v - PawnStorm(b, white);
}
}  // namespace

ETYPE_T WhiteKingSafety(POS_T* b) { return KingSafetyOf(b, true); }
ETYPE_T BlackKingSafety(POS_T* b) { return KingSafetyOf(b, false); }

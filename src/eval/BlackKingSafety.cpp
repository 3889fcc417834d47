// The mirror of WhiteKingSafety for the Black king, value for Black.
#include "tamzor.h"

ETYPE_T BlackKingSafety(POS_T* b) {
    const ETYPE_T* c = coefficients;
    const PS_T& k = b->pieces[16];
    if (!k.p || k.pos >= 64) return 0;
    const int x = (int)XPOS(k.pos), y = (int)YPOS(k.pos);
    const bool queen = b->piece_mask & (1ull << 1);
    const ETYPE_T* A = c + (queen ? 1221 : 1205);
    const ETYPE_T* B = c + (queen ? 1229 : 1213);
    const ETYPE_T open = c[queen ? 1238 : 1237];
    const int x0 = imax(x - 1, 0), x1 = imin(x + 1, 7), y0 = imax(y - 1, 0), y1 = imin(y + 1, 7);
    uint64_t att = 0;
    for (int i = x0; i <= x1; i++)
        for (int j = y0; j <= y1; j++) {
            const int sq = i * 8 + j;
            att |= (b->topieces[sq] & 0xFE) | (b->xray_topieces[sq] & 0xFF);
        }
    int n = pop_count[att & 0xFF] + ((att & 0xC) ? 1 : 0);
    n = imin(n, 7);  // the tables have 8 entries
    ETYPE_T v = (b->flags & FLAG_TAMZOR_WHITE) ? -B[n] : -A[n];
    for (int i = x0; i <= x1; i++)
        if (!white_pawn_loc[i] && !black_pawn_loc[i]) v -= open;
    return v;
}

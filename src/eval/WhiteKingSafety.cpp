// Enemy pieces bearing on the squares around the White king (a rook counts
// twice), and open files next to it.
#include "tamzor.h"

ETYPE_T WhiteKingSafety(POS_T* b) {
    const ETYPE_T* c = coefficients;
    const PS_T& k = b->pieces[0];
    if (!k.p || k.pos >= 64) return 0;
    const int x = (int)XPOS(k.pos), y = (int)YPOS(k.pos);
    const bool queen = b->piece_mask & (1ull << 17);
    const ETYPE_T* A = c + (queen ? 1221 : 1205);
    const ETYPE_T* B = c + (queen ? 1229 : 1213);
    const ETYPE_T open = c[queen ? 1238 : 1237];
    const int x0 = imax(x - 1, 0), x1 = imin(x + 1, 7), y0 = imax(y - 1, 0), y1 = imin(y + 1, 7);
    uint64_t att = 0;
    for (int i = x0; i <= x1; i++)
        for (int j = y0; j <= y1; j++) {
            const int sq = i * 8 + j;
            att |= (b->topieces[sq] & 0xFE0000) | (b->xray_topieces[sq] & 0xFF0000);
        }
    int n = pop_count[(att >> 16) & 0xFF] + ((att & 0xC0000) ? 1 : 0);
    n = imin(n, 7);  // the tables have 8 entries
    ETYPE_T v = (b->flags & FLAG_TAMZOR_WHITE) ? -A[n] : -B[n];
    for (int i = x0; i <= x1; i++)
        if (!white_pawn_loc[i] && !black_pawn_loc[i]) v -= open;
    return v;
}

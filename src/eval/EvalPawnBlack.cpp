// A Black pawn: the mirror of EvalPawnWhite (rows reversed, colours swapped),
// value for Black.
#include <cstdlib>

#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"
#include "eval/eval.h"

ETYPE_T EvalPawnBlack(POS_T* b, int s) {
    const ETYPE_T* c = coefficients;
    const uint64_t bit = 1ull << s;
    const int q = (int)b->pieces[s].pos;
    const int x = q >> 3, y = q & 7;
    int r = y;
    b->bpassed_pawn_mask &= ~bit;
    ETYPE_T v = c[1374 + (q ^ 7)];
    if ((x > 0 && BoardAt(b, q - 8) == B_PAWN) || (x < 7 && BoardAt(b, q + 8) == B_PAWN)) v += c[1320];

    const bool undefended = !(b->topieces[q] & 0xFF000000);
    if (undefended) v -= c[1319];
    bool backward = false;
    if (undefended) {
        const bool pawn1 = PawnAt(b, q - 1), pawn2 = PawnAt(b, q - 2);
        const uint64_t ahead1 = ToPiecesAt(b, q - 1), ahead2 = ToPiecesAt(b, q - 2);
        backward = (!(ahead1 & 0xFF000000) || pawn1) &&
                   (y != 6 || (ahead1 & 0xFF00) || !(ahead2 & 0xFF000000) || pawn1 || pawn2);
    }
    if (backward) {
        v -= c[1344];
        if (white_pawn_loc[x] == 0) v -= c[1451];
        const int n = pop_count[(b->topieces[q] & ~b->pinned_mask) & 0xFF];
        if (n) v -= c[1452 + n];
    }

    if (white_pawn_loc[x] == 0 || white_pawn_loc[x] > y) {
        ETYPE_T p = backward ? 0 : c[1366 + r];
        auto clear = [&](int nx) { return white_pawn_loc[nx] == 0 || white_pawn_loc[nx] >= y; };
        if ((x == 0 || clear(x - 1)) && (x == 7 || clear(x + 1))) {
            b->bpassed_pawn_mask |= bit;
            p += c[1352 + r];
            const PS_T& wk = b->pieces[0];
            const PS_T& bk = b->pieces[16];
            if (wk.p && (int)YPOS(wk.pos) <= y && abs((int)XPOS(wk.pos) - x) <= 1) p -= c[1373];
            if (bk.p && (int)YPOS(bk.pos) <= y && abs((int)XPOS(bk.pos) - x) <= 1) p += c[1347];
            if (BoardAt(b, q - 1) > 0) p -= c[1346];
            const uint64_t att = b->topieces[q] & ~b->pinned_mask;
            uint64_t rook = 0;
            for (int rs : {2, 3}) {
                const PS_T& rp = b->pieces[rs];
                if (rp.p && (att >> rs & 1) && (int)XPOS(rp.pos) == x && (int)YPOS(rp.pos) > y) p -= c[1348];
            }
            for (int rs : {18, 19}) {
                const PS_T& rp = b->pieces[rs];
                if (rp.p && (att >> rs & 1) && (int)XPOS(rp.pos) == x && (int)YPOS(rp.pos) > y) {
                    p += c[1349];
                    rook = 1ull << rs;
                }
            }
            if (state.dmode == 2 && y >= 1 && y <= 6) {
                int i = passed_pawn_index[(7 - y) - 1];
                for (int sq = q - 1; sq >= x * 8; sq--) {
                    const int sg = rook ? GetControl(b, (b->topieces[sq] & ~b->pinned_mask) | rook, b->board[sq], sq)
                                        : b->cont[sq];
                    if (sg > 0) break;
                    p += c[1321 + i++];
                }
            }
            for (int nx : {x - 1, x + 1})
                if (nx >= 0 && nx <= 7 && black_pawn_loc[nx] && abs((int)black_pawn_loc[nx] - y) <= 1) p += c[1359 + r];
            if ((b->piece_mask & 0xFFFF) == 1 && wk.p) {
                int d = imax(abs((int)XPOS(wk.pos) - x), (int)YPOS(wk.pos));
                if (IsWhitesMove(b)) d--;
                for (int yy = y - 1; yy > 0 && r < d; yy--) {
                    const int on = b->board[x * 8 + yy];
                    if (on) r += on == B_PAWN ? 10 : 1;
                }
                if (r < d) {
                    v += c[1342];
                    if (IsBlacksMove(b) && d == r + 1) b->null_stoppable_pawn |= bit;
                } else if (IsWhitesMove(b) && d == r) {
                    b->null_unstoppable_pawn |= bit;
                }
            }
            if (r < 4 && v + p < c[1357]) p = c[1357] - v;
        }
        v += p;
    }

    if (y != black_pawn_loc[x]) v -= c[1343];
    if ((x == 0 || !black_pawn_loc[x - 1]) && (x == 7 || !black_pawn_loc[x + 1])) v -= c[1450];
    return v;
}

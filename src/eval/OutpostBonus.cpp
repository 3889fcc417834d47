// A minor piece in the enemy half that no enemy pawn can ever attack, more
// when an own pawn guards it.
#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"

ETYPE_T OutpostBonus(POS_T* b, int s, int outpost_index, int defended_index) {
    const ETYPE_T* c = coefficients;
    const int q = (int)b->pieces[s].pos;
    const int x = q >> 3, y = q & 7;
    if (s < 16) {
        if (y < 4 || y > 5) return 0;
        if ((x > 0 && black_pawn_loc[x - 1] > y) || (x < 7 && black_pawn_loc[x + 1] > y)) return 0;
        ETYPE_T v = c[outpost_index];
        if ((x > 0 && BoardAt(b, q - 9) == W_PAWN) || (x < 7 && BoardAt(b, q + 7) == W_PAWN))
            v += c[defended_index];
        return v;
    }
    if (y < 2 || y > 3) return 0;
    if ((x > 0 && white_pawn_loc[x - 1] && white_pawn_loc[x - 1] < y) ||
        (x < 7 && white_pawn_loc[x + 1] && white_pawn_loc[x + 1] < y))
        return 0;
    ETYPE_T v = c[outpost_index];
    if ((x > 0 && BoardAt(b, q - 7) == B_PAWN) || (x < 7 && BoardAt(b, q + 9) == B_PAWN)) v += c[defended_index];
    return v;
}

#include <cstdio>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"

void GenerateSpreadmap(POS_T* b) {
    ResetSpreadmap();
    if (state.selected == NO_SQUARE) return;
    const bool white = IsWhitesMove(b);
    if (state.spread == SPREAD_TEAM) {
        const uint64_t own = white ? 0xFFFFull : 0xFFFF0000ull;
        for (int sq = 0; sq < 64; sq++) {
            if (!(b->topieces[sq] & own)) continue;
            int p = b->board[sq];
            if (p == 0)
                state.spreadmap[sq] = 1;
            else if ((p > 0) != white)
                state.spreadmap[sq] = -1;
        }
    } else if (state.spread != SPREAD_PIECE) {
        return;
    }
    if (eval_show) printf("\nGenerateSpreadmap");
    MOVE_T list[MOVE_LIST_SIZE];
    int n = GetMoveCount(b, list);
    for (int i = 0; i < n; i++) {
        const MOVE_T& m = list[i];
        if (m.from != state.selected || m.from >= 64 || m.piece_moving != b->board[m.from]) continue;
        if (m.to < 64) state.spreadmap[m.to] = b->board[m.to] ? -1 : 0;
    }
}

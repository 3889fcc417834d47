#include <algorithm>

#include "levels.h"
#include "tamzor.h"
#include "search/search.h"

void CutoffHint(POS_T* b, int m, int depth, int ply) {
    MOVE_T* mv = &b->moves[m];
    if (mv->from < 64 && mv->to < 64 && depth >= 0 && depth < 64) {
        uint64_t& h = search_memory.history[mv->from][mv->to];
        h = std::min<uint64_t>(h + (1ull << depth), HISTORY_CAP);
    }
    const MOVE_T& last = b->last_move;
    if (last.from < 64 && last.to < 64) search_memory.refutation[last.from][last.to] = *mv;
    if (ply < SearchPlyLimit() && ply < MAX_PLY) {
        KILLER_T& k = search_memory.killers[ply];
        if (!SameMove(mv, &k.k1) && !SameMove(mv, &k.k2)) {
            bool capture = mv->to < 64 && !IsAB(mv->piece_moving) && b->board[mv->to] != 0;
            if (capture)
                k.k1 = *mv;
            else
                k.k2 = *mv;
        }
    }
}

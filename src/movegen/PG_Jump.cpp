// Rook and queen lines continued across pins that hold no board. Only cells
// beyond such a gap are marked: the cells before it are reached through the
// ordinary connectivity tables.
#include "JumpWalk.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {
struct PG_CONTEXT_T {
    uint64_t bit;
    int piece;
};

bool PG_JumpCheckCanProceed(JUMP_WALK_T* w, SQ_T cell) {
    const PG_CONTEXT_T* c = static_cast<const PG_CONTEXT_T*>(w->context);
    int target = w->b->board[cell];
    if (target == 0 || target * c->piece < 0) {
        if (w->missing) w->b->topieces[cell] |= c->bit;
        return target == 0;
    }
    return false;  // own piece
}
}  // namespace

void PG_Jump(POS_T* b, int slot) {
    if (state.dmode == 2) return;
    SQ_T sq = b->pieces[slot].pos;
    int board = BoardOfCell(sq);
    if (board < 0) return;
    PG_CONTEXT_T c{1ull << slot, b->pieces[slot].p};
    JUMP_WALK_T w{b, false, PG_JumpCheckCanProceed, &c};
    JumpWalks(&w, board, sq);
}

#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"
#include "search/search.h"

void RemovePiece(POS_T* b, PS_T* slot) {
    uint64_t keep = ~(1ull << SlotOf(b, slot));
    DevalPiece(b, slot);
    hash_c.RemoveHash(b, slot->pos, slot->p);
    b->pboard[slot->pos] = -1;
    b->board[slot->pos] = 0;
    slot->p = 0;
    b->pawns7th &= keep;
    b->wpassed_pawn_mask &= keep;
    b->bpassed_pawn_mask &= keep;
    b->piece_mask &= keep;
    b->material_mask &= keep;
}

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "search/search.h"

int MovePiece(POS_T* b, PS_T* slot, SQ_T dest) {
    if (!slot) {
        Panic(false, "NULL @ MovePiece");
        return 0;
    }
    uint64_t bit = 1ull << SlotOf(b, slot);
    SQ_T old = slot->pos;
    b->pawns7th &= ~bit;
    hash_c.RemoveHash(b, old, slot->p);
    b->pboard[old] = -1;
    SetPBoard(b, dest, slot);
    b->board[old] = 0;
    b->board[dest] = slot->p;
    slot->pos = dest;
    hash_c.AddHash(b, dest, slot->p);
    DetectPromotionImminent(b, slot->p, dest, bit);
    return 1;
}

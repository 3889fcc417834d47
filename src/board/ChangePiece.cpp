#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"
#include "search/search.h"

void ChangePiece(POS_T* b, PS_T* slot, int piece) {
    SQ_T sq = slot->pos;
    // A new queen takes the queen's slot when it is free.
    if (piece == W_QUEEN && !(b->piece_mask & (1ull << 1))) {
        RemovePiece(b, slot);
        AddPiece(b, W_QUEEN, sq, &b->pieces[1]);
        return;
    }
    if (piece == B_QUEEN && !(b->piece_mask & (1ull << 17))) {
        RemovePiece(b, slot);
        AddPiece(b, B_QUEEN, sq, &b->pieces[17]);
        return;
    }
    uint64_t bit = 1ull << SlotOf(b, slot);
    DevalPiece(b, slot);
    hash_c.RemoveHash(b, sq, slot->p);
    b->board[sq] = piece;
    slot->p = piece;
    hash_c.AddHash(b, sq, piece);
    EvalPiece(b, slot);
    if (IsSliding(piece)) b->sliding_mask |= bit;
    if (piece != W_PAWN && piece != B_PAWN) b->piece_mask |= bit;
}

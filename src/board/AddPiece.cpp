#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "eval/eval.h"
#include "search/search.h"

void AddPiece(POS_T* b, int piece, SQ_T sq, PS_T* slot) {
    uint64_t bit = 1ull << SlotOf(b, slot);
    b->board[sq] = piece;
    slot->pos = sq;
    slot->p = piece;
    SetPBoard(b, sq, slot);
    hash_c.AddHash(b, sq, piece);
    EvalPiece(b, slot);
    if (IsSliding(piece)) b->sliding_mask |= bit;
    DetectPromotionImminent(b, piece, sq, bit);
    if (piece != W_PAWN && piece != B_PAWN) b->piece_mask |= bit;
    b->material_mask |= bit;
}

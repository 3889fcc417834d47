#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T PieceValues(POS_T* b) {
    ETYPE_T sum = 0;
    const bool cached = b->oldb != nullptr;
    for (uint64_t m = b->material_mask & 0xFFFFFFFF; m; m &= m - 1) {
        const int s = LowSlot(m);
        const uint64_t bit = 1ull << s;
        if (cached && !(b->piece_change & bit)) {
            sum += b->piece_values[s];
            continue;
        }
        ETYPE_T v;
        switch (b->pieces[s].p) {
            case W_PAWN: v = EvalPawnWhite(b, s); break;
            case B_PAWN: v = -EvalPawnBlack(b, s); break;
            case W_KNIGHT: v = EvalKnight(b, s); break;
            case B_KNIGHT: v = -EvalKnight(b, s); break;
            case W_BISHOP: v = EvalBishop(b, s); break;
            case B_BISHOP: v = -EvalBishop(b, s); break;
            case W_ROOK: v = EvalRook(b, s); break;
            case B_ROOK: v = -EvalRook(b, s); break;
            case W_QUEEN: v = EvalQueen(b, s); break;
            case B_QUEEN: v = -EvalQueen(b, s); break;
            case W_KING: v = EvalWhiteKing(b, s); break;
            case B_KING: v = -EvalBlackKing(b, s); break;
            default:
                Panic(false, "PieceValues: no piece?");
                v = 0;
        }
        b->piece_values[s] = v;
        sum += v;
    }
    b->piece_change = 0;
    return sum;
}

#include "tamzor.h"
#include "board/board.h"

const char* MissingKing(const POS_T* b) {
    bool white = false, black = false;
    for (SQ_T sq = 0; sq < 64; sq++) {
        white |= b->board[sq] == W_KING;
        black |= b->board[sq] == B_KING;
    }
    return !white ? "White" : !black ? "Black" : nullptr;
}

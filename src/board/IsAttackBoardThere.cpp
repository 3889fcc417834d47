#include "tamzor.h"
#include "board/board.h"

SQ_T IsAttackBoardThere(POS_T* b, SQ_T pin) {
    for (int i = 0; i < 4; i++)
        if ((SQ_T)b->whereis_board[i] == pin) return (SQ_T)i;
    return NO_SQUARE;
}

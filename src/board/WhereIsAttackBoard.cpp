#include "tamzor.h"
#include "board/board.h"

SQ_T WhereIsAttackBoard(POS_T* b, int which_ab) {
    int k = ABIndex(which_ab);
    if (k < 0) {
        Panic(false, "Bad which_ab @ GenAtBoMoves");
        return NO_SQUARE;
    }
    return (SQ_T)b->whereis_board[k];
}

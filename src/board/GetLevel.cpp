#include "tamzor.h"
#include "board/board.h"

int GetLevel(POS_T* b, SQ_T sq) {
    if (state.dmode == 2) return 0;
    if (sq >= 64) return 0;
    if (sq >= 32) return YPOS(sq) < 4 ? 2 : 6;
    int board = BoardOfCell(sq);
    if (board < 0) return 4;
    return GetAttackBoardLevel(b, board);
}

#include "tamzor.h"
#include "board/board.h"

int GetAttackBoardLevel(POS_T* b, int board) {
    // A board stands one level above the main level of its pin's corner.
    static const int level[12] = {3, 3, 5, 5, 7, 7, 3, 3, 5, 5, 7, 7};
    int pin = (board >= 0 && board < 4) ? PinIndex(b->whereis_board[board]) : -1;
    if (pin < 0) Panic(true, "Error! Bad which_ab @ GetAttackBoardLevel");
    return level[pin];
}

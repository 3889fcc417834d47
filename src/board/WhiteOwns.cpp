#include "tamzor.h"
#include "board/board.h"

bool WhiteOwns(POS_T* b, int which_ab) {
    int k = ABIndex(which_ab);
    if (k < 0) {
        Panic(false, "WhiteOwns can't find board");
        return false;
    }
    return b->whites_board[k] != 0;
}

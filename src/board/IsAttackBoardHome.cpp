#include "tamzor.h"
#include "board/board.h"

bool IsAttackBoardHome(POS_T* b, int which_ab) {
    static const int home[4] = {ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6};
    int k = ABIndex(which_ab);
    if (k < 0) Panic(true, "Error! Bad attack board @ IsAttackBoardHome");
    return b->whereis_board[k] == home[k];
}

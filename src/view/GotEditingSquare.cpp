#include <cstdio>

#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"
#include "search/search.h"

int GotEditingSquare(SQ_T sq) {
    if (sq == NO_SQUARE || sq >= 64) {
        editing_option = 0;
        return 0;
    }
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    POS_T* b = &state.position;
    int option = editing_option;
    if (option == 1) {
        b->board[sq] = 0;
    } else if (option >= 5 && option <= 10) {
        b->board[sq] = 4 - option;
        printf("\nset black %c at %d", piecechar(option - 4), sq);
    } else if (option >= 11 && option <= 16) {
        b->board[sq] = option - 10;
        printf("\nset white %c at %d", piecechar(option - 10), sq);
    }
    TakeEditAsStart(b);
    editing_option = 0;
    CallRedraw();
    return 1;
}

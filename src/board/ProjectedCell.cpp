#include "tamzor.h"
#include "board/board.h"

// Lowest projected rank covered by a board on the pin with index 0..11.
static const int pin_low_rank[12] = {0, 4, 2, 6, 4, 8, 0, 4, 2, 6, 4, 8};

bool ProjectedCell(const POS_T* b, SQ_T sq, int* file, int* rank) {
    if (sq >= 64) return false;
    SQ_T y = YPOS(sq);
    if (sq >= 32) {  // White (ranks 1-4) or Black (ranks 5-8) main level
        *file = (int)((sq - 32) >> 3) + 1;
        *rank = (int)y + 1;
        return true;
    }
    if (y >= 2 && y <= 5) {  // middle level
        *file = (int)(sq >> 3) + 1;
        *rank = (int)y + 1;
        return true;
    }
    int board = BoardOfCell(sq);
    int pin = PinIndex(b->whereis_board[board]);
    if (pin < 0) return false;
    SQ_T rel = sq - WhereIsAB_C(board);
    *file = (pin < 6 ? 0 : 4) + (int)(rel >> 3);
    *rank = pin_low_rank[pin] + (int)(rel & 7);
    return true;
}

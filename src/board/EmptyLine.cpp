#include "tamzor.h"
#include "board/board.h"

static int Sign0(int v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

bool EmptyLine(POS_T* b, SQ_T from, SQ_T to) {
    int step = Sign0((int)YPOS(to) - (int)YPOS(from)) + 8 * Sign0((int)XPOS(to) - (int)XPOS(from));
    if (step == 0) return true;
    for (int sq = (int)from + step; sq != (int)to; sq += step) {
        if (sq < 0 || sq >= 64) return false;  // not on one line: never walk off the board
        if (b->board[sq] != 0) return false;
    }
    return true;
}

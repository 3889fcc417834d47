#include "tamzor.h"
#include "board/board.h"

int UMDirTo(POS_T* b, SQ_T from, int dir, BTO_T* glo_t) {
    int n = DirTo(b, from, dir, glo_t);
    if (n) return n;
    glo_t->n = 0;
    int board = BoardOfCell(from);
    if (board < 0 || (dir != NORTH && dir != SOUTH && dir != EAST && dir != WEST)) return 0;
    SQ_T rel = from - WhereIsAB_C(board);
    switch (rel) {
        case 1: UMJumpA(b, board, glo_t, dir); break;   // cell a
        case 9: UMJumpB(b, board, glo_t, dir); break;   // cell b
        case 0: UMJumpC(b, board, glo_t, dir); break;   // cell c
        case 8: UMJumpD(b, board, glo_t, dir); break;   // cell d
    }
    return (int)glo_t->n;
}

#include "tamzor.h"
#include "board/board.h"

void AlignAttackBoards(POS_T* b) {
    for (int i = 0; i < 4; i++) {
        SQ_T c = WhereIsAB_C(i);
        const SQ_T cells[4] = {c, c + 1, c + 8, c + 9};
        int count = 0, piece = 0;
        for (SQ_T sq : cells) {
            if (b->board[sq]) {
                count++;
                piece = b->board[sq];
            }
        }
        if (count == 0)
            b->whites_board[i] = (i == 0 || i == 2) ? 1 : 0;  // back to its first owner
        else if (count == 1)
            b->whites_board[i] = piece > 0 ? 1 : 0;
        // two or more pieces aboard: ownership stays as it was
    }
}

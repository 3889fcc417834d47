#include <cstdio>

#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"
#include "search/search.h"

int KeyPinCycle(POS_T* b, int j) {
    // A king carried off by hand could land in check or off every level.
    const SQ_T corner = WhereIsAB_C(j & 3);
    for (SQ_T cell : {corner, corner + 1, corner + 8, corner + 9})
        if (b->board[cell] == W_KING || b->board[cell] == B_KING) return -1;
    int k = PinIndex(b->whereis_board[j & 3]);
    if (k < 0) k = 11;
    for (int step = 0; step < 12; step++) {
        k = (k + 1) % 12;
        printf("\nj=%d k=%d", j, k);
        if (IsAttackBoardThere(b, all_pins[k]) == NO_SQUARE) {
            HASH_C::BoardPinHash(b, j & 3, b->whereis_board[j & 3]);
            b->whereis_board[j & 3] = all_pins[k];
            HASH_C::BoardPinHash(b, j & 3, b->whereis_board[j & 3]);
            AlignAttackBoards(b);
            return all_pins[k];
        }
    }
    AlignAttackBoards(b);
    return 0;
}

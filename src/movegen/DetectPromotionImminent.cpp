#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

int DetectPromotionImminent(POS_T* b, int piece, SQ_T sq, uint64_t bit) {
    if (piece != W_PAWN && piece != B_PAWN) return 0;
    bool imminent = false;
    if (state.dmode == 2) {
        imminent = (piece == W_PAWN && YPOS(sq) == 6) || (piece == B_PAWN && YPOS(sq) == 1);
    } else if (BoardOfCell(sq) >= 0) {
        int pin = b->whereis_board[BoardOfCell(sq)];
        bool upper = (YPOS(sq) & 1) != 0;  // cells a and b
        if (piece == W_PAWN)
            imminent = !upper && (pin == ABW_QL6 || pin == ABW_KL6);
        else
            imminent = upper && (pin == ABW_QL1 || pin == ABW_KL1);
    } else {
        int dir = piece == W_PAWN ? NORTH : SOUTH;
        SQ_T t1[4], t2[4];
        BTO_T first{0, t1}, second{0, t2};
        if (DirTo(b, sq, dir, &first)) imminent = DirTo(b, t1[0], dir, &second) == 0;
    }
    if (imminent) b->pawns7th |= bit;
    return imminent ? 1 : 0;
}

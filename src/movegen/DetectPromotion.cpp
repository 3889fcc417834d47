#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

int DetectPromotion(POS_T* b, int piece, SQ_T to, MOVE_T* move) {
    if (state.dmode == 2) {
        return (piece == W_PAWN && YPOS(to) == 7) || (piece == B_PAWN && YPOS(to) == 0);
    }
    if (IsAB(piece)) return DetectPromoteAttackBoard(b, move);
    if (piece != W_PAWN && piece != B_PAWN) return 0;
    int board = BoardOfCell(to);
    if (board < 0) {
        // main level: the pawn promotes where nothing lies beyond it on any level
        if (to > 64) {
            Panic(false, "DetectPromotion: bad to value");
            return 0;
        }
        SQ_T t[4];
        BTO_T rec{0, t};
        return DirTo(b, to, piece == W_PAWN ? NORTH : SOUTH, &rec) == 0;
    }
    int pin = b->whereis_board[board];
    bool upper = (YPOS(to) & 1) != 0;
    if (piece == W_PAWN) return upper && (pin == ABW_QL6 || pin == ABW_KL6);
    return !upper && (pin == ABW_QL1 || pin == ABW_KL1);
}

#include <initializer_list>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

int DetectPromoteAttackBoard(POS_T* b, MOVE_T* move) {
    int k = ABIndex(move->piece_moving);
    if (k < 0) return 0;
    SQ_T c = WhereIsAB_C(k);
    if (move->to == ABW_QL6 || move->to == ABW_KL6)
        return b->board[c + 1] == W_PAWN || b->board[c + 9] == W_PAWN;
    if (move->to == ABW_QL1 || move->to == ABW_KL1)
        return b->board[c] == B_PAWN || b->board[c + 8] == B_PAWN;
    return 0;
}

int PromoteAttackBoard(POS_T* b, int which_ab, MOVE_T* move) {
    SQ_T w = WhereIsAttackBoard(b, which_ab);
    SQ_T k = IsAttackBoardThere(b, w);
    if (k == NO_SQUARE) return 0;
    SQ_T c = WhereIsAB_C((int)k);
    if (w == ABW_QL6 || w == ABW_KL6) {
        for (SQ_T sq : {c + 1, c + 9}) {
            if (b->board[sq] != W_PAWN) continue;
            ChangePiece(b, GetPBoard(b, sq), GetPromotedPiece(move));
            b->flags |= FLAG_W_PROMOTED;
            return 1;
        }
    } else if (w == ABW_QL1 || w == ABW_KL1) {
        for (SQ_T sq : {c, c + 8}) {
            if (b->board[sq] != B_PAWN) continue;
            ChangePiece(b, GetPBoard(b, sq), -GetPromotedPiece(move));
            b->flags |= FLAG_B_PROMOTED;
            return 1;
        }
    }
    return 0;
}

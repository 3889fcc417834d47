#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

std::string MoveRefusal(POS_T* b, const MOVE_T& m) {
    char reason[96];
    return RefusalReason(b, &m, reason, sizeof reason) ? std::string(": ") + reason : std::string();
}

bool TokenMove(POS_T* b, const std::string& text, MOVE_T* move) {
    MOVE_TOKEN_T t;
    std::string error;
    if (!ParseMoveToken(text, &t, &error)) return false;
    if (t.board_move) {
        // The token's own complaint says all there is in the 2D game.
        if (state.dmode == 2) return false;
        InitMove(move, ab_of_index[t.board], (SQ_T)b->whereis_board[t.board], t.to, INF_VALUE,
                 t.promotion ? t.promotion : 'T', false);
    } else {
        const int piece = b->board[t.from];
        const char symbol = t.promotion ? t.promotion : b->board[t.to] ? 'x' : '-';
        InitMove(move, piece, t.from, t.to, INF_VALUE, symbol, false);
    }
    return true;
}

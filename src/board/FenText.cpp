#include <cstdlib>

#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"

namespace {
// FEN counts the plies since the last capture or pawn move; the position's
// own count includes that move (1 just after it), and from the standard start
// it counts every ply. The two agree only where no such move was made yet,
// which the game's first move tells.
int HalfmoveClock(const POS_T* b) {
    const int count = b->fifty_count;
    if (count <= 0) return 0;
    if (!state.oeb.inited && b->move_num == count) {
        const MOVE_T& first = state.game_record[0];
        const bool reset = (!IsAB(first.piece_moving) && abs(first.piece_moving) == 1) ||
                           first.move_symbol == 'x' || first.move_symbol == 'e';
        return reset ? count - 1 : count;
    }
    return count - 1;
}
}  // namespace

std::string FenText(POS_T* b) {
    std::string s;
    for (int rank = 7; rank >= 0; rank--) {
        int empty = 0;
        for (int file = 0; file < 8; file++) {
            int p = b->board[file * 8 + rank];
            if (!p) {
                empty++;
                continue;
            }
            if (empty) s += (char)('0' + empty);
            empty = 0;
            s += piecechar(p);
        }
        if (empty) s += (char)('0' + empty);
        if (rank) s += '/';
    }
    s += IsWhitesMove(b) ? " w " : " b ";
    std::string castling;
    const char* letters = "KQkq";
    for (int i = 0; i < 4; i++)
        if (b->flags & (1ull << i)) castling += letters[i];
    s += castling.empty() ? "-" : castling;
    s += ' ';
    if (b->enpassant && b->enpassant < 64) {
        s += (char)('a' + XPOS(b->enpassant));
        s += (char)('1' + YPOS(b->enpassant));
    } else {
        s += '-';
    }
    s += ' ' + std::to_string(HalfmoveClock(b)) + ' ' + std::to_string(MoveNumberOfPly(b->move_num));
    return s;
}

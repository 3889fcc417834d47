// Standard algebraic notation of a 2D move, as other chess programs write
// it: the piece letter, the origin's file or rank (or both) only where
// another piece of the kind could go to the same square, 'x' for a capture,
// "=Q" for a promotion, "+" for check and "#" for mate.
#include <cstdlib>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"

namespace {
char File(SQ_T sq) { return (char)('a' + XPOS(sq)); }
char Rank(SQ_T sq) { return (char)('1' + YPOS(sq)); }
}  // namespace

std::string SanText(POS_T* b, const MOVE_T& move) {
    std::string s;
    if (move.move_symbol == 'S') {
        s = "O-O";
    } else if (move.move_symbol == 'L') {
        s = "O-O-O";
    } else {
        const int kind = abs(move.piece_moving);
        const bool pawn = kind == 1;
        const bool capture = b->board[move.to] != 0 || (pawn && XPOS(move.from) != XPOS(move.to));
        if (pawn) {
            if (capture) s += File(move.from);
        } else {
            s += "?PNBRQK"[kind];
            // the other pieces of the kind that may go to the same square
            static thread_local MOVE_T legal[LEGAL_LIST_SIZE];
            const int n = LegalMoves(b, legal);
            bool rival = false, same_file = false, same_rank = false;
            for (int i = 0; i < n; i++) {
                const MOVE_T& m = legal[i];
                if (m.piece_moving != move.piece_moving || m.to != move.to || m.from == move.from) continue;
                rival = true;
                same_file |= XPOS(m.from) == XPOS(move.from);
                same_rank |= YPOS(m.from) == YPOS(move.from);
            }
            if (rival && (!same_file || same_rank)) s += File(move.from);
            if (rival && same_file) s += Rank(move.from);
        }
        if (capture) s += 'x';
        s += File(move.to);
        s += Rank(move.to);
        if (pawn && (YPOS(move.to) == 7 || YPOS(move.to) == 0)) {
            const char p = move.move_symbol;
            s += '=';
            s += (p == 'N' || p == 'B' || p == 'R') ? p : 'Q';
        }
    }
    POS_T child;
    MOVE_T made = move;
    if (DoMove(&child, b, &made) && (child.flags & FLAG_IN_CHECK)) s += IsCheckmate(&child) ? '#' : '+';
    return s;
}

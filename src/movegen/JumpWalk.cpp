#include "JumpWalk.h"
#include "tamzor.h"
#include "board/board.h"

namespace {
// Chain place of each pin number 1..6: 1 -> 0, 3 -> 1, 2 and 5 -> 2, 4 -> 3, 6 -> 4.
const int chain_place[7] = {-1, 0, 2, 1, 3, 2, 4};
// Pin number at a chain place (the pair place 2 is handled apart).
const int place_pin[5] = {1, 3, 0, 4, 6};

SQ_T BoardOn(POS_T* b, int line, int num) { return IsAttackBoardThere(b, all_pins[line * 6 + num - 1]); }

// Examines cell, and cell + step when the walk may go on past the first.
bool JumpCheck(JUMP_WALK_T* w, SQ_T cell, int step) {
    if (!w->examine(w, cell)) return false;
    return w->examine(w, (SQ_T)((int)cell + step));
}

// The two cells of one file of a board, in walking order.
bool CheckBoard(JUMP_WALK_T* w, SQ_T board, bool north, bool right) {
    SQ_T lower = WhereIsAB_C((int)board) + (right ? 8 : 0);
    return north ? JumpCheck(w, lower, 1) : JumpCheck(w, lower + 1, -1);
}

void ColumnWalk(JUMP_WALK_T* w, int board, bool upper, bool right, bool north) {
    POS_T* b = w->b;
    int pi = PinIndex(b->whereis_board[board]);
    if (pi < 0 || pi / 6 != (right ? 1 : 0)) return;  // this file has no chain
    int line = pi / 6, num = pi % 6 + 1;
    // Leaving through the own board's other cell of this file: it must be
    // empty, and so must the same cell of the other board of a pair.
    if (upper != north) {
        int other_row = north ? 1 : 0;
        SQ_T own = WhereIsAB_C(board) + (right ? 8 : 0) + other_row;
        if (b->board[own]) return;
        if (num == 2 || num == 5) {
            SQ_T partner = BoardOn(b, line, num == 2 ? 5 : 2);
            if (partner != NO_SQUARE &&
                b->board[WhereIsAB_C((int)partner) + (right ? 8 : 0) + other_row])
                return;
        }
    }
    w->missing = false;
    int step = north ? 1 : -1;
    for (int place = chain_place[num] + step; place >= 0 && place <= 4; place += step) {
        if (place == 2) {
            SQ_T two = BoardOn(b, line, 2), five = BoardOn(b, line, 5);
            if (two == NO_SQUARE && five == NO_SQUARE) {
                w->missing = true;
                continue;
            }
            bool go = true;
            if (two != NO_SQUARE) go = CheckBoard(w, two, north, right);
            if (five != NO_SQUARE) go = CheckBoard(w, five, north, right) && go;
            if (!go) return;
            continue;
        }
        SQ_T there = BoardOn(b, line, place_pin[place]);
        if (there == NO_SQUARE) {
            w->missing = true;
            continue;
        }
        if (!CheckBoard(w, there, north, right)) return;
    }
}

// Along row 9 (upper cells) or row 0 (lower cells) to the board at the same
// end of the other line.
void RowWalk(JUMP_WALK_T* w, int board, bool upper, bool right, bool east) {
    POS_T* b = w->b;
    int from_pin = east ? (upper ? ABW_QL6 : ABW_QL1) : (upper ? ABW_KL6 : ABW_KL1);
    if (b->whereis_board[board] != from_pin) return;
    int to_pin = east ? (upper ? ABW_KL6 : ABW_KL1) : (upper ? ABW_QL6 : ABW_QL1);
    SQ_T there = IsAttackBoardThere(b, to_pin);
    if (there == NO_SQUARE) return;
    SQ_T row = WhereIsAB_C(board) + (upper ? 1 : 0);
    // leaving past the own board's other cell of the row
    if (east != right && b->board[row + (right ? 0 : 8)]) return;
    w->missing = true;
    SQ_T first = WhereIsAB_C((int)there) + (upper ? 1 : 0) + (east ? 0 : 8);
    JumpCheck(w, first, east ? 8 : -8);
}
}  // namespace

void JumpWalks(JUMP_WALK_T* w, int board, SQ_T cell) {
    SQ_T rel = cell - WhereIsAB_C(board);
    bool upper = (rel & 1) != 0, right = rel >= 8;
    w->missing = false;
    ColumnWalk(w, board, upper, right, true);
    w->missing = false;
    ColumnWalk(w, board, upper, right, false);
    w->missing = false;
    RowWalk(w, board, upper, right, true);
    w->missing = false;
    RowWalk(w, board, upper, right, false);
}

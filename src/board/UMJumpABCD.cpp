// Lines along the outer files and the far ranks continue from one attack
// board to the next across pins that hold no board. Each routine writes at
// most one destination into glo_t.
#include <initializer_list>

#include "tamzor.h"
#include "board/board.h"

namespace {
enum { PAIR = 25 };  // probe the pin pair 2/5 of the line

// Board standing on pin number `num` (1..6) of `line` (0 queen's, 1 king's),
// or 65. For the pair, pin 5's board wins when both stand.
SQ_T BoardOnPin(POS_T* b, int line, int num) {
    if (num == PAIR) {
        SQ_T five = IsAttackBoardThere(b, all_pins[line * 6 + 4]);
        if (five != NO_SQUARE) return five;
        return IsAttackBoardThere(b, all_pins[line * 6 + 1]);
    }
    return IsAttackBoardThere(b, all_pins[line * 6 + num - 1]);
}

void Put(BTO_T* glo_t, SQ_T sq) {
    glo_t->tos[0] = sq;
    glo_t->n = 1;
}

// The column jump from the upper (a/b) or lower (c/d) cell of board jump_ab.
void ColumnJump(POS_T* b, int jump_ab, BTO_T* glo_t, int dir, bool upper, bool right) {
    static const int north_upper[7][5] = {{0}, {3, PAIR, 4, 6, 0}, {4, 6, 0}, {PAIR, 4, 6, 0},
                                          {6, 0},   {4, 6, 0},        {0}};
    static const int north_lower[7][5] = {{0}, {PAIR, 4, 6, 0}, {4, 6, 0}, {PAIR, 4, 6, 0},
                                          {0},      {4, 6, 0},       {0}};
    static const int south[7][5] = {{0}, {0}, {3, 1, 0}, {1, 0}, {PAIR, 3, 1, 0}, {3, 1, 0},
                                    {4, PAIR, 3, 1, 0}};
    int pi = PinIndex(b->whereis_board[jump_ab]);
    if (pi < 0 || pi / 6 != (right ? 1 : 0)) return;
    int line = pi / 6, num = pi % 6 + 1;
    SQ_T col = WhereIsAB_C(jump_ab) + (right ? 8 : 0);  // this file's lower cell
    const int* probes;
    if (dir == NORTH) {
        probes = upper ? north_upper[num] : north_lower[num];
        if (!upper) {
            // leaving through the own upper cell, which must be empty
            if (b->board[col + 1]) return;
            if (num == 2 || num == 5) {
                for (int p : {2, 5}) {
                    SQ_T other = IsAttackBoardThere(b, all_pins[line * 6 + p - 1]);
                    if (other != NO_SQUARE &&
                        b->board[WhereIsAB_C((int)other) + (right ? 8 : 0) + 1])
                        return;
                }
            }
        }
    } else {
        probes = south[num];
        if (upper) {
            if (b->board[col]) return;
            if (num == 2 || num == 5) {
                for (int p : {2, 5}) {
                    SQ_T other = IsAttackBoardThere(b, all_pins[line * 6 + p - 1]);
                    if (other != NO_SQUARE && b->board[WhereIsAB_C((int)other) + (right ? 8 : 0)])
                        return;
                }
            }
        }
    }
    for (int i = 0; i < 5 && probes[i]; i++) {
        SQ_T found = BoardOnPin(b, line, probes[i]);
        if (found == NO_SQUARE) continue;
        SQ_T cell = WhereIsAB_C((int)found) + (right ? 8 : 0) + (dir == NORTH ? 0 : 1);
        Put(glo_t, cell);
        return;
    }
}

// The jump across the gap of files b and c on rank 0 (lower cells) or 9.
void RowJump(POS_T* b, int jump_ab, BTO_T* glo_t, int dir, bool upper) {
    int pin = b->whereis_board[jump_ab];
    SQ_T other;
    if (dir == EAST && pin == (upper ? ABW_QL6 : ABW_QL1)) {
        other = IsAttackBoardThere(b, upper ? ABW_KL6 : ABW_KL1);
        if (other != NO_SQUARE) Put(glo_t, WhereIsAB_C((int)other) + (upper ? 1 : 0));
    } else if (dir == WEST && pin == (upper ? ABW_KL6 : ABW_KL1)) {
        other = IsAttackBoardThere(b, upper ? ABW_QL6 : ABW_QL1);
        if (other != NO_SQUARE) Put(glo_t, WhereIsAB_C((int)other) + 8 + (upper ? 1 : 0));
    }
}

void Jump(POS_T* b, int jump_ab, BTO_T* glo_t, int dir, bool upper, bool right) {
    if (jump_ab < 0 || jump_ab > 3) return;
    if (dir == NORTH || dir == SOUTH)
        ColumnJump(b, jump_ab, glo_t, dir, upper, right);
    else if (dir == EAST || dir == WEST)
        RowJump(b, jump_ab, glo_t, dir, upper);
}
}  // namespace

void UMJumpA(POS_T* b, int jump_ab, BTO_T* glo_t, int dir) { Jump(b, jump_ab, glo_t, dir, true, false); }
void UMJumpB(POS_T* b, int jump_ab, BTO_T* glo_t, int dir) { Jump(b, jump_ab, glo_t, dir, true, true); }
void UMJumpC(POS_T* b, int jump_ab, BTO_T* glo_t, int dir) { Jump(b, jump_ab, glo_t, dir, false, false); }
void UMJumpD(POS_T* b, int jump_ab, BTO_T* glo_t, int dir) { Jump(b, jump_ab, glo_t, dir, false, true); }

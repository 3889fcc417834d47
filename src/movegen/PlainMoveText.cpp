// The text of any move, listed or not: a refused move is named too, and
// naming it must not go through the lookup that reports a move missing from
// the list as a fault.
#include <cstdio>
#include <cstdlib>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

void PlainMoveText(POS_T* b, const MOVE_T* m, char* out, size_t size) {
    if (!size) return;
    char to[24];
    if (IsAB(m->piece_moving)) {
        if (PinIndex((int)m->to) >= 0) snprintf(to, sizeof to, "%s", GetABString(b, (int)m->to));
        else CellName(b, m->to, to, sizeof to);
        snprintf(out, size, "%s to %s", AttackBoardName(m->piece_moving) ? AttackBoardName(m->piece_moving) : "board", to);
        return;
    }
    // A move of the list has the list's text. The list is built on a copy:
    // building it may drop castling rights the position no longer holds.
    static thread_local POS_T copy;
    static thread_local MOVE_T list[MOVE_LIST_SIZE];
    copy = *b;
    const int n = m->from < 64 && b->board[m->from] ? GetMoveCount(&copy, list) : 0;
    int found = -1;
    for (int i = 0; i < n; i++) {
        if (list[i].piece_moving != m->piece_moving || list[i].from != m->from || list[i].to != m->to) continue;
        if (found < 0 || list[i].move_symbol == m->move_symbol) found = i;
        if (list[i].move_symbol == m->move_symbol) break;
    }
    if (found >= 0 && disambstrs[found][0]) {
        snprintf(out, size, "%s", disambstrs[found]);
        return;
    }
    char from[24];
    CellName(b, m->from, from, sizeof from);
    CellName(b, m->to, to, sizeof to);
    const int kind = abs(m->piece_moving);
    // A pawn has no letter in the 2D game's texts.
    const char p = kind >= 2 && kind <= 6 ? piecechar(kind) : kind == 1 && state.dmode != 2 ? 'P' : ' ';
    if (p != ' ') snprintf(out, size, "%c%s-%s", p, from, to);
    else snprintf(out, size, "%s-%s", from, to);
}

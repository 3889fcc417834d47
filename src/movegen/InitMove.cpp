#include <cstdlib>

#include "tamzor.h"
#include "movegen/movegen.h"

void InitMove(MOVE_T* m, int piece, SQ_T from, SQ_T to, int v, char symbol, bool check) {
    m->from = from;
    m->to = to;
    m->v = v;
    m->piece_moving = piece;
    m->move_symbol = symbol;
    m->check = check ? 1 : 0;
}

bool IsValidMove(POS_T* b, MOVE_T m) {
    if (m.from > 64) return false;
    if (IsAB(m.piece_moving)) return true;
    if (m.from == 64 || b->board[m.from] == 0) return false;
    return true;
}

void* Realloc(void* p, int size) {
    void* r = p ? realloc(p, size) : malloc(size);
    if (!r) Panic(true, "Realloc failed");
    return r;
}

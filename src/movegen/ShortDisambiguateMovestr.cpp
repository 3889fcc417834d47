// The stored text of a move of the last list GetMoveCount built.
#include <cstdio>

#include "tamzor.h"
#include "movegen/movegen.h"

char* ShortDisambiguateMovestr(MOVE_T* move) {
    for (int i = 0; i < da_n; i++) {
        const MOVE_T* m = &da_moves[i];
        if (m->piece_moving == move->piece_moving && m->to == move->to && m->from == move->from)
            return disambstrs[i];
    }
    if (eval_show) {
        printf("\n%d %d%c%d", move->piece_moving, (int)move->from, move->move_symbol, (int)move->to);
        for (int i = 0; i < da_n; i++) {
            const MOVE_T* m = &da_moves[i];
            printf("\n%d %d %d %c %d", i, m->piece_moving, (int)m->from, m->move_symbol, (int)m->to);
        }
        printf("\n%d %d%c%d", move->piece_moving, (int)move->from, move->move_symbol, (int)move->to);
    }
    Panic(false, "ShortMovestr move fail");
    return nullptr;
}

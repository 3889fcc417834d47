#include <cstdio>

#include "tamzor.h"

int LegalMove(POS_T* b, MOVE_T* move, const char* text) {
    if (eval_show) printf("\nLegalMove %s", text ? text : "");
    if (!move) {
        Panic(false, "NULL move @ LegalMove");
        return 0;
    }
    static thread_local MOVE_T list[MOVE_LIST_SIZE];
    static thread_local POS_T scratch;
    int n = GetMoveCount(b, list);
    int result = 0;
    for (int i = 0; i < n; i++) {
        const MOVE_T& m = list[i];
        if (m.piece_moving != move->piece_moving || m.to != move->to || m.from != move->from) continue;
        if (m.move_symbol != move->move_symbol && eval_show)
            printf("\nHASH GUESS %c %c ", move->move_symbol, m.move_symbol);
        MOVE_T trial = *move;  // made as given: its own symbol picks a promotion
        result = DoMove(&scratch, b, &trial);
        break;
    }
    if (!result) {
        char* s = ShortDisambiguateMovestr(move);
        if (!s)
            Panic(false, "LegalMove disambiguate");
        else if (eval_show)
            printf("\n!LegalMove %s %s", text ? text : "", s);
    }
    return result;
}

#include <cstdio>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"

namespace {
// The list entry a move stands for: the entry with its own symbol, else the
// first entry of the same piece, from and to. A move built from squares
// alone (a click, a table move) thus takes the list's symbol, so castling
// moves its rook; the first entry of a promotion is the plain one, whose
// piece is still to be chosen.
const MOVE_T* ListEntry(const MOVE_T* list, int n, const MOVE_T* move) {
    const MOVE_T* first = nullptr;
    for (int i = 0; i < n; i++) {
        const MOVE_T& m = list[i];
        if (m.piece_moving != move->piece_moving || m.to != move->to || m.from != move->from) continue;
        if (m.move_symbol == move->move_symbol) return &m;
        if (!first) first = &m;
    }
    return first;
}
}  // namespace

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
    const MOVE_T* entry = ListEntry(list, n, move);
    if (entry) {
        if (entry->move_symbol != move->move_symbol && eval_show)
            printf("\nHASH GUESS %c %c ", move->move_symbol, entry->move_symbol);
        move->move_symbol = entry->move_symbol;
        MOVE_T trial = *move;
        result = DoMove(&scratch, b, &trial);
    }
    if (!result && eval_show) {
        // the texts are those of the list just built: a move not in it has none
        const char* s = entry ? ShortDisambiguateMovestr(move) : nullptr;
        printf("\n!LegalMove %s %s", text ? text : "", s ? s : "(not in the list)");
    }
    return result;
}

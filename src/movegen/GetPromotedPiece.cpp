#include "tamzor.h"
#include "movegen/movegen.h"

thread_local constinit int msm;

int GetPromotedPiece(MOVE_T* move) {
    switch (move->move_symbol) {
        case 'N': return 2;
        case 'B': return 3;
        case 'R': return 4;
        case 'Q': return 5;
        default: break;
    }
    char s = move->move_symbol;
    bool plain = s == '-' || s == 'x' || s == 'T' || s == 0;
    if (msm) {
        if (!plain) {
            Panic(false, "GetPromotedPiece: cannot interpret move");
            return 5;
        }
        // Ask the person who made the move; without a way to ask, a queen.
        int kind = core_hooks.ask_promotion ? core_hooks.ask_promotion() : 5;
        if (kind < 2 || kind > 5) kind = 5;
        static const char symbol[6] = {0, 0, 'N', 'B', 'R', 'Q'};
        move->move_symbol = symbol[kind];
        return kind;
    }
    if (plain || s == 'P') move->move_symbol = 'Q';
    return 5;
}

#include "cli.h"
#include "tamzor.h"
#include "position/position.h"

void UseNotation(int notation) {
    if (state.notation == notation) return;
    state.notation = notation;
    UndoMoves(0);  // the record's texts written anew; the computer is switched off
}

#include <cstdio>

#include "tamzor.h"

void UndoMoves(int n) {
    Clutch(0);
    const int before = state.position.move_num;
    int target = before - n;
    if (target < 0) target = 0;
    bool rebuilt = RebuildGame(target, true, "UndoMoves", "Illegal move in game undo");
    state.tamzor = TAMZOR_OFF;
    state.demo_mode = 0;
    state.stop_search = 1;
    if (rebuilt && n && state.position.move_num < before) printf("\nmove undone");
    fflush(stdout);
    CallRedraw();
    Clutch(1);
}

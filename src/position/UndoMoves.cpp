#include <cstdio>

#include "shell/clock.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

void UndoMoves(int n) {
    const bool engaged = EngineEngaged();  // engaged again afterwards only if it was
    Clutch(0);
    const int before = state.position.move_num;
    int target = before - n;
    if (target < 0) target = 0;
    bool rebuilt = RebuildGame(target, true, "UndoMoves", "Illegal move in game undo");
    // The rebuilt position has no result: a game rebuilt to its end (after a
    // replay) keeps the one it had, quietly; one taken back goes on.
    const char* text = nullptr;
    state.position.winner = rebuilt && n == 0 ? JudgeReached(&state.position, "", &text) : 0;
    // the clocks go back with the moves; a game lost on time stays lost
    if (rebuilt) game_clock.TakeBack(state.position.move_num, TickCount());
    if (rebuilt && n == 0 && !state.position.winner && game_clock.Flagged())
        state.position.winner = TimeLossResult(&state.position, game_clock.Flagged());
    if (state.position.winner) timers.GameOver();
    else timers.GoOn();
    StoreShared(state.tamzor, TAMZOR_OFF);
    state.demo_mode = 0;
    StoreShared(state.stop_search, 1);
    if (rebuilt && n && state.position.move_num < before) printf("\nmove undone");
    fflush(stdout);
    CallRedraw();
    if (engaged) Clutch(1);
}

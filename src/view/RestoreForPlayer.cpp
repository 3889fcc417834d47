#include <cstdio>

#include "view.h"

// A restored game is a new game on the clock; it may already be decided.
void RestoreForPlayer(int arg) {
    char why[160];  // its reason fits the info line whole
    if (!RestoreGame(arg, why, sizeof why)) {
        printf("\nRestore refused: %s", why);
        snprintf(info_string, sizeof info_string, "no game restored: %s", why);
        return;
    }
    computer_side = TAMZOR_OFF;  // the restored game has the computer off
    // A game saved by the terminal tool has no view of its own: zoom 0 would
    // show nothing.
    if (!(state.scale > 0.05f && state.scale < 100.0f)) ResetView();
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    timers.NewGame();
    const char* text = nullptr;
    state.position.winner = JudgeReached(&state.position, "", &text);
    if (state.position.winner) timers.GameOver();
}

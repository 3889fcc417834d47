#include <cstdio>

#include "search/levels.h"
#include "view.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

// A restored game is a new game on the clock; it may already be decided. The
// computer plays on the side it had, and moves when that side is to move.
void RestoreForPlayer(int arg) {
    LeaveReplay();
    const int side = ComputerPlays();
    char why[160];  // its reason fits the info line whole
    if (!RestoreGame(arg, why, sizeof why)) {
        printf("\nRestore refused: %s", why);
        snprintf(info_string, sizeof info_string, "no game restored: %s", why);
        return;
    }
    // A game saved by the terminal tool has no view of its own: zoom 0 would
    // show nothing.
    if (!(state.scale > 0.05f && state.scale < 100.0f)) ResetView();
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    timers.NewGame();
    const char* text = nullptr;
    state.position.winner = JudgeReached(&state.position, "", &text);
    if (state.position.winner) timers.GameOver();
    // an older file's difficulty (easy, medium, hard) plays as a level
    StoreShared(state.maxdepth, LevelOnLadder(LoadShared(state.maxdepth)));
    ComputerTakesSide(side);
    // a decided game shows its result; one that goes on says who plays what
    if (state.position.winner) {
        snprintf(info_string, sizeof info_string, "Restored %.150s", gamefilename);
    } else {
        SidesText("Restored: ", info_string, sizeof info_string);
        printf("\n%s", info_string);
    }
    fflush(stdout);
}

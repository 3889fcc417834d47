#include <cstdio>

#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
bool engaged_before_replay;
}

void ReplayMoves(int delta) {
    const int length = state.position.move_num;
    if (replay == -1) {
        replay = length;
        engaged_before_replay = EngineEngaged();
        Clutch(0);
    } else {
        replay += delta;
        if (replay < 0) replay = 0;
        if (replay > length) replay = length;
    }
    // Rebuilt from the game's own start, like undo, so a game begun from an
    // edited position can be replayed and rebuilt again afterwards.
    RebuildGame(replay, false, "ReplayMoves", "What? Illegal move in game replay?\n");
    state.position.move_num = length;  // the display shows "replay of length"
    StoreShared(state.tamzor, TAMZOR_OFF);
    state.demo_mode = 0;
    StoreShared(state.stop_search, 1);
    CallRedraw();
}

void ReplayExit() {
    if (replay != -1) {
        // Back to the end of the game, whose length the replayed position kept.
        UndoMoves(0);
        replay = -1;
        if (engaged_before_replay) Clutch(1);
    }
    replay = -1;
}

#include <cstring>

#include "tamzor.h"

int NewGameState(int dmode, bool keep_search_memory) {
    int maxdepth = state.maxdepth;
    memset(&state, 0, sizeof state);
    state.maxdepth = maxdepth;
    state.dmode = dmode == 2 ? 2 : 3;
    state.notation = NOTATION_DEFAULT;
    BoardConfigCacheClear();
    timers.NewGame();
    return ResetBoard(true, keep_search_memory);
}

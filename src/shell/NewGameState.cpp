#include <cstring>

#include "shell/clock.h"
#include "tamzor.h"
#include "board/board.h"
#include "shell/shell.h"

int NewGameState(int dmode, bool keep_search_memory) {
    // The difficulty and the attack-board rules chosen stay for the next
    // game; a game's rules are always one of the two the menus offer, so that
    // its record says the rules it was played by.
    const int maxdepth = state.maxdepth;
    const int rules = state.rules == RULES_TOURNAMENT ? RULES_TOURNAMENT : RULES_TDCL;
    memset(&state, 0, sizeof state);
    pgn_source.Forget();  // what a PGN file said is not said of a new game
    state.maxdepth = maxdepth;
    state.rules = rules;
    state.dmode = dmode == 2 ? 2 : 3;
    state.notation = NOTATION_DEFAULT;
    BoardConfigCacheClear();
    timers.NewGame();
    game_clock.NewGame();  // under the time control chosen for new games
    return ResetBoard(true, keep_search_memory);
}

#include "search/levels.h"
#include "viewlogic.h"
#include "tamzor.h"
#include "shell/shell.h"

void NormaliseMenuSettings() {
    int t = LoadShared(state.tamzor);
    if (t != TAMZOR_WHITE && t != TAMZOR_BLACK && t != TAMZOR_BOTH && t != TAMZOR_OFF) {
        Panic(false, "DoComputerMenu error");
        StoreShared(state.tamzor, TAMZOR_OFF);
    }
    // a saved game's old difficulty (easy, medium, hard) becomes a level
    const int d = LoadShared(state.maxdepth);
    if (LevelOnLadder(d) != d) StoreShared(state.maxdepth, LevelOnLadder(d));
    uint64_t l = timers.timer_limit;
    if (l != 5 && l != 10 && l != 30 && l != 60 && l != 300) timers.timer_limit = 5;
    if (menu_mesh_pieces != 0 && menu_mesh_pieces != 1) menu_mesh_pieces = 0;
    int r = LoadShared(state.rules);
    if (r != RULES_TOURNAMENT && r != RULES_TDCL) StoreShared(state.rules, RULES_TDCL);
    int n = LoadShared(state.notation);
    if (n < 0 || n > 2) StoreShared(state.notation, NOTATION_DEFAULT);
    if (state.spread < 0 || state.spread > 2) state.spread = SPREAD_OFF;
}

#include <cstdio>

#include "viewlogic.h"
#include "search/search.h"
#include "shell/shell.h"

// The game saved to tamzor.sav, and the info line says so or why not.
bool SaveForPlayer() {
    LeaveReplay();  // the whole game is saved, not the browsed part
    char why[120] = "";
    bool saved;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        saved = SaveGame(0, why, sizeof why);
    }
    if (saved) TextWithPath("Saved to", PathHere(gamefilename), info_string, sizeof info_string);
    else snprintf(info_string, sizeof info_string, "Not saved: %s", why);
    fflush(stdout);
    return saved;
}

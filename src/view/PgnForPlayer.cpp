// The game as PGN in the working directory, and a PGN game played on.
#include <dirent.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "view.h"

void SavePgnForPlayer() {
    char name[64];
    const time_t now = time(nullptr);
    struct tm t;
    localtime_r(&now, &t);
    strftime(name, sizeof name, "tamzor-%Y%m%d-%H%M%S.pgn", &t);
    PGN_TAGS_T tags;
    std::string pgn;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        const int side = state.demo_mode ? TAMZOR_BOTH : computer_side;
        if (side == TAMZOR_WHITE || side == TAMZOR_BOTH) tags.white = "Tamzor";
        if (side == TAMZOR_BLACK || side == TAMZOR_BOTH) tags.black = "Tamzor";
        pgn = PgnText(tags);
    }
    FILE* f = fopen(name, "w");
    const bool ok = f && fputs(pgn.c_str(), f) >= 0;
    if (f && fclose(f) != 0) remove(name);
    if (ok) {
        printf("\nSaved the game as %s", name);
        snprintf(info_string, sizeof info_string, "saved %s", name);
    } else {
        perror(name);
        snprintf(info_string, sizeof info_string, "could not write %s", name);
    }
    fflush(stdout);
}

namespace {
// The newest tamzor-<date>-<time>.pgn here: their names sort by time.
std::string NewestPgn() {
    std::string newest;
    DIR* d = opendir(".");
    if (!d) return newest;
    while (dirent* e = readdir(d)) {
        const std::string n = e->d_name;
        if (n.size() > 10 && n.rfind("tamzor-", 0) == 0 && n.compare(n.size() - 4, 4, ".pgn") == 0 && n > newest)
            newest = n;
    }
    closedir(d);
    return newest;
}
}  // namespace

void LoadPgnForPlayer(const char* file) {
    const std::string path = file && *file ? file : NewestPgn();
    if (path.empty()) {
        snprintf(info_string, sizeof info_string, "no tamzor-*.pgn here to load");
        return;
    }
    std::string text, error;
    bool loaded = false;
    if (ReadPgnFile(path, &text, &error)) {
        Clutch(0);
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            // the window's own settings stay as they are, but for the view of
            // another kind of game: a 2D board is not drawn see-through
            const int spread = state.spread, stipple = state.stipple, ortho = state.projection_ortho;
            const int dmode = state.dmode;
            loaded = PgnLoadGame(text, 1, &error);
            if (loaded) {
                state.spread = spread;
                if (state.dmode == dmode) {
                    state.stipple = stipple;
                    state.projection_ortho = ortho;
                } else {
                    ResetView();
                }
                computer_side = TAMZOR_OFF;  // a loaded game is played on by hand
                timers.NewGame();
                const char* why = nullptr;
                state.position.winner = JudgeReached(&state.position, "", &why);
                if (state.position.winner) timers.GameOver();
            }
        }
        Clutch(1);
    }
    if (loaded) {
        printf("\nLoaded %s", path.c_str());
        ListGame(false);
        snprintf(info_string, sizeof info_string, "loaded %s", path.c_str());
    } else {
        printf("\nNo game loaded from %s: %s", path.c_str(), error.c_str());
        snprintf(info_string, sizeof info_string, "not loaded: %s", error.c_str());
    }
    fflush(stdout);
    CreateMenus();
}

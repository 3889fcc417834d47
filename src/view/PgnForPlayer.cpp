// The game as PGN in the working directory, and a PGN game played on.
#include <dirent.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "view.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

void SavePgnForPlayer() {
    LeaveReplay();  // the whole game is written
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
    bool ok = f && fputs(pgn.c_str(), f) >= 0;
    if (f && fclose(f) != 0) {
        remove(name);
        ok = false;
    }
    const int error = errno;
    if (ok) {
        printf("\nSaved the game as %s", name);
        TextWithPath("Saved to", PathHere(name), info_string, sizeof info_string);
    } else {
        perror(name);
        snprintf(info_string, sizeof info_string, "Not saved: %s: %s", name, strerror(error));
    }
    fflush(stdout);
}

// Their names sort by time.
std::string NewestPgnHere() {
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

void LoadPgnForPlayer(const char* file) {
    LeaveReplay();
    const std::string path = file && *file ? file : NewestPgnHere();
    if (path.empty()) {
        snprintf(info_string, sizeof info_string, "no tamzor-*.pgn here to load");
        return;
    }
    std::string text, error;
    bool loaded = false;
    const int side = ComputerPlays();  // the computer plays on the side it had
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
                timers.NewGame();
                const char* why = nullptr;
                state.position.winner = JudgeReached(&state.position, "", &why);
                if (state.position.winner) timers.GameOver();
            }
        }
        Clutch(1);
    }
    if (loaded) {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        printf("\nLoaded %s", path.c_str());
        ListGame(false);
        ComputerTakesSide(side);
        // a decided game shows its result; one that goes on says who plays what
        if (state.position.winner) {
            const size_t slash = path.rfind('/');
            snprintf(info_string, sizeof info_string, "Loaded %s",
                     path.c_str() + (slash == std::string::npos ? 0 : slash + 1));
        } else {
            SidesText("Loaded: ", info_string, sizeof info_string);
            printf("\n%s", info_string);
        }
    } else {
        printf("\nNo game loaded from %s: %s", path.c_str(), error.c_str());
        snprintf(info_string, sizeof info_string, "not loaded: %s", error.c_str());
    }
    fflush(stdout);
    CreateMenus();
}

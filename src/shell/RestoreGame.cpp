#include <cerrno>
#include <cstdio>
#include <cstring>

#include "shell/clock.h"
#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
// Says why the file was refused, once: to the caller, or on the console.
bool Refuse(char* why, size_t why_size, const char* reason) {
    if (why && why_size) {
        snprintf(why, why_size, "%s: %s", gamefilename, reason);
    } else {
        printf("\nRestore refused: %s: %s", gamefilename, reason);
        fflush(stdout);
    }
    return false;
}
}  // namespace

bool RestoreGame(int unused, char* why, size_t why_size) {
    (void)unused;
    snprintf(gamefilename, sizeof gamefilename, "%s", "tamzor.sav");
    FILE* f = fopen(gamefilename, "rb");
    if (!f) return Refuse(why, why_size, strerror(errno));
    // One byte more than a saved game tells a longer file; its length then
    // comes from its end.
    static unsigned char image[SAVE_FILE_SIZE + 1];
    size_t count = fread(image, 1, sizeof image, f);
    if (count > SAVE_FILE_SIZE && fseek(f, 0, SEEK_END) == 0) {
        long end = ftell(f);
        if (end > 0) count = (size_t)end;
    }
    fclose(f);

    // Everything is checked before the game on screen is touched.
    char reason[160];
    if (!CheckSaveImage(image, count, reason, sizeof reason)) return Refuse(why, why_size, reason);

    const bool engaged = EngineEngaged();  // engaged again afterwards only if it was
    Clutch(0);
    static STATE_T backup;
    static CAP_T cap_backup;
    backup = state;
    cap_backup = cap_t;
    hash_c.HashReset();
    hash_c.OrderReset();
    if (core_hooks.reset_view) core_hooks.reset_view();
    memcpy(&state, image, SAVE_FILE_SIZE);
    // The game comes back in the notation it was saved with; a file from
    // elsewhere with no style of ours gets the default.
    if (state.notation < NOTATION_ZARVIC || state.notation > NOTATION_ALGEBRAIC) state.notation = NOTATION_DEFAULT;
    state.position.bc_active = state.oeb.pos_0.bc_active = nullptr;
    state.position.moves = state.oeb.pos_0.moves = nullptr;
    state.position.oldb = state.oeb.pos_0.oldb = nullptr;
    state.selected = NO_SQUARE;
    replay = -1;

    const char* message = "a move of the saved game does not replay";
    if (!RebuildGame(state.position.move_num, true, "RestoreGame", message)) {
        state = backup;
        cap_t = cap_backup;
        UpdateMaps(&state.position);
        if (engaged) Clutch(1);
        return Refuse(why, why_size, message);
    }
    game_clock.FromState(state);  // its time control and both clocks as saved
    printf("\nRestore game ...");
    StoreShared(state.tamzor, TAMZOR_OFF);
    state.demo_mode = 0;
    StoreShared(state.stop_search, 1);
    if (core_hooks.options_changed) core_hooks.options_changed();  // difficulty and rules menus
    PrintBanner();
    CallSetTitle(gamefilename);
    printf("complete!");
    fflush(stdout);
    if (engaged) Clutch(1);
    return true;
}

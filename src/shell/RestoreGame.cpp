#include <cstdio>
#include <cstring>

#include "tamzor.h"

namespace {
constexpr int READ_LIMIT = 55168;  // a longer file is surely no saved game
}

bool RestoreGame(int unused) {
    (void)unused;
    snprintf(gamefilename, sizeof gamefilename, "%s", "tamzor.sav");
    FILE* f = fopen(gamefilename, "rb");
    if (!f) {
        Panic(false, "can't open restore file");
        perror(gamefilename);
        return false;
    }
    printf("\nRestore game ...");
    printf("\n%d %d %d %d", SAVE_FILE_SIZE, SAVE_FILE_SIZE, READ_LIMIT, READ_LIMIT);
    static unsigned char image[READ_LIMIT + 1];
    size_t count = fread(image, 1, sizeof image, f);
    fclose(f);

    // Everything is checked before the game on screen is touched.
    char why[160];
    if (count != SAVE_FILE_SIZE) {
        printf(" failed! unrecognized file type: %d sos: %d", (int)count, SAVE_FILE_SIZE);
        Panic(false, "Cannot autoconvert file - the game goes on");
        fflush(stdout);
        return false;
    }
    if (!CheckSaveImage(image, count, why, sizeof why)) {
        printf("\nRestore refused: %s", why);
        fflush(stdout);
        return false;
    }

    const bool engaged = EngineEngaged();  // engaged again afterwards only if it was
    Clutch(0);
    static STATE_T backup;
    static CAP_T cap_backup;
    backup = state;
    cap_backup = cap_t;
    const int notation = state.notation;
    hash_c.HashReset();
    hash_c.OrderReset();
    if (core_hooks.reset_view) core_hooks.reset_view();
    memcpy(&state, image, SAVE_FILE_SIZE);
    state.notation = notation;  // the running program's notation style stays
    state.position.bc_active = state.oeb.pos_0.bc_active = nullptr;
    state.position.moves = state.oeb.pos_0.moves = nullptr;
    state.position.oldb = state.oeb.pos_0.oldb = nullptr;
    state.selected = NO_SQUARE;
    replay = -1;

    char message[96];
    snprintf(message, sizeof message, "a move of the saved game does not replay");
    if (!RebuildGame(state.position.move_num, true, "RestoreGame", message)) {
        state = backup;
        cap_t = cap_backup;
        UpdateMaps(&state.position);
        printf("\nRestore refused: the saved game's moves do not replay; the game goes on");
        fflush(stdout);
        if (engaged) Clutch(1);
        return false;
    }
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

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "shell/clock.h"
#include "tamzor.h"
#include "shell/shell.h"

namespace {
// Notes why the save failed (the file and the system's reason) for the caller.
void Why(char* why, size_t why_size, const char* file, int error) {
    if (why && why_size) snprintf(why, why_size, "%s: %s", file, strerror(error));
}
}  // namespace

bool SaveGame(int unused, char* why, size_t why_size) {
    (void)unused;
    snprintf(gamefilename, sizeof gamefilename, "%s", "tamzor.sav");
    // Written beside the old save and renamed over it only when complete, so
    // a failed write never costs the game saved before.
    char temp[sizeof gamefilename + 8];
    snprintf(temp, sizeof temp, "%s.tmp", gamefilename);
    FILE* f = fopen(temp, "wb");
    if (!f) {
        Why(why, why_size, temp, errno);
        perror(gamefilename);
        printf("\ncan't open save file %s\n", gamefilename);
        return false;
    }
    printf("\nSaving %s ...", gamefilename);
    fflush(stdout);
    static unsigned char image[SAVE_FILE_SIZE];
    game_clock.ToState(&state, TickCount());
    SaveImage(&state, image);
    bool ok = fwrite(image, 1, SAVE_FILE_SIZE, f) == SAVE_FILE_SIZE;
    ok = fflush(f) == 0 && ok;
    ok = fclose(f) == 0 && ok;
    if (!ok) Why(why, why_size, temp, errno);
    // The game saved before is kept as the .bak file, not overwritten unseen.
    char backup[sizeof gamefilename + 8];
    snprintf(backup, sizeof backup, "%s.bak", gamefilename);
    const bool had_save = ok && access(gamefilename, F_OK) == 0;
    if (had_save && rename(gamefilename, backup) != 0) {
        Why(why, why_size, backup, errno);
        perror(backup);
        ok = false;
    }
    if (ok && rename(temp, gamefilename) != 0) {
        Why(why, why_size, gamefilename, errno);
        perror(gamefilename);
        if (had_save) rename(backup, gamefilename);  // the old save back in its place
        ok = false;
    }
    if (!ok) remove(temp);
    puts(ok ? "complete" : "failed");
    fflush(stdout);
    if (ok) CallSetTitle(gamefilename);
    return ok;
}

#include <cstdio>
#include <cstring>

#include "tamzor.h"

bool SaveGame(int unused) {
    (void)unused;
    snprintf(gamefilename, sizeof gamefilename, "%s", "tamzor.sav");
    // Written beside the old save and renamed over it only when complete, so
    // a failed write never costs the game saved before.
    char temp[sizeof gamefilename + 8];
    snprintf(temp, sizeof temp, "%s.tmp", gamefilename);
    FILE* f = fopen(temp, "wb");
    if (!f) {
        perror(gamefilename);
        printf("\ncan't open save file %s\n", gamefilename);
        return false;
    }
    printf("\nSaving %s ...", gamefilename);
    fflush(stdout);
    static unsigned char image[SAVE_FILE_SIZE];
    SaveImage(&state, image);
    bool ok = fwrite(image, 1, SAVE_FILE_SIZE, f) == SAVE_FILE_SIZE;
    ok = fflush(f) == 0 && ok;
    ok = fclose(f) == 0 && ok;
    if (ok && rename(temp, gamefilename) != 0) {
        perror(gamefilename);
        ok = false;
    }
    if (!ok) remove(temp);
    puts(ok ? "complete" : "failed");
    fflush(stdout);
    if (ok) CallSetTitle(gamefilename);
    return ok;
}

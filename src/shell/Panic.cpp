#include <cstdio>
#include <cstdlib>

#include "tamzor.h"

// Reports go to standard error: standard output carries the game record and
// the terminal tool's answers. The window program keeps the non-fatal ones
// for its verbose mode.
void Panic(bool fatal, const char* message) {
    if (!fatal && core_hooks.quiet_reports && core_hooks.quiet_reports()) return;
    fflush(stdout);
    fprintf(stderr, "\nPanic: %s", message);
    if (fatal) {
        fprintf(stderr, "\nUNSTABLE");
        fflush(stderr);
        exit(420);
    }
    fflush(stderr);
}

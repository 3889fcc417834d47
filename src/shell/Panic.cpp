#include <cstdio>
#include <cstdlib>

#include "tamzor.h"

// Reports go to standard error: standard output carries the game record and
// the terminal tool's answers. The window program keeps the non-fatal ones
// for its verbose mode. A report is one whole line of its own: under a chess
// interface standard error may be joined to the protocol's stream, where a
// broken line would glue itself to the next protocol line.
void Panic(bool fatal, const char* message) {
    if (!fatal && core_hooks.quiet_reports && core_hooks.quiet_reports()) return;
    fflush(stdout);
    fprintf(stderr, "Panic: %s\n", message);
    if (fatal) {
        fprintf(stderr, "UNSTABLE\n");
        fflush(stderr);
        exit(420);
    }
    fflush(stderr);
}

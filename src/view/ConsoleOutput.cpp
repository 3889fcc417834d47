#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "viewlogic.h"
#include "tamzor.h"

// A desktop program says nothing on its terminal: standard output (the game
// record, the core's messages) goes to /dev/null unless the player asked for
// it (--log, or the verbose mode of E). The real stream is kept to turn back to.
void SetConsoleOutput(bool on) {
    static int console = -2;  // the real standard output, once saved
    static bool is_on = true;
    if (console == -2) console = dup(STDOUT_FILENO);
    if (on == is_on || console < 0) return;
    fflush(stdout);
    if (on) {
        dup2(console, STDOUT_FILENO);
    } else {
        const int null = open("/dev/null", O_WRONLY);
        if (null < 0) return;
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    is_on = on;
}

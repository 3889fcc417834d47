#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "cli.h"
#include "tamzor.h"

bool WithoutConsole(const std::function<bool()>& f) {
    fflush(stdout);
    const int saved = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0) dup2(null, 1);
    if (null >= 0) close(null);
    const bool ok = f();
    fflush(stdout);
    if (saved >= 0) {
        dup2(saved, 1);
        close(saved);
    }
    return ok;
}

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli.h"
#include "search/search.h"

bool ParseSearchLimit(int argc, char** argv, int* i, SEARCH_LIMITS_T* limits, CLI_OPTIONS_T* opt) {
    const char* a = argv[*i];
    const bool depth = !strcmp(a, "--depth");
    if (*i + 1 >= argc) {
        fprintf(stderr, "tamzor-cli: %s needs a value\n", a);
        return false;
    }
    const char* v = argv[++*i];
    char* end;
    if (depth) {
        long plies = strtol(v, &end, 10);
        if (!*v || *end || plies < 2 || plies > MAX_SEARCH_PLIES) {
            fprintf(stderr, "tamzor-cli: bad depth '%s' (2 to %d)\n", v, MAX_SEARCH_PLIES);
            return false;
        }
        // the engine's iterations stop below its ply limit
        limits->maxdepth = (int)plies + 1;
        return NoteOption(opt, a, std::to_string(plies));
    } else {
        double seconds = strtod(v, &end);
        if (!*v || *end || !(seconds >= 0.01 && seconds <= 3600)) {
            fprintf(stderr, "tamzor-cli: bad time '%s' (0.01 to 3600)\n", v);
            return false;
        }
        limits->seconds = seconds;
        char value[32];
        snprintf(value, sizeof value, "%g", seconds);
        return NoteOption(opt, a, value);
    }
}

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <strings.h>

#include "cli.h"
#include "search/levels.h"
#include "tamzor.h"

bool ParseLevel(int argc, char** argv, int* i, int* level, CLI_OPTIONS_T* opt) {
    if (*i + 1 >= argc) {
        fprintf(stderr, "tamzor-cli: --level needs a value (%d to %d, or full)\n", LEVEL_LOWEST, LEVEL_HIGHEST);
        return false;
    }
    const char* v = argv[++*i];
    char* end;
    const long r = strtol(v, &end, 10);
    if (!strcasecmp(v, "full")) {
        *level = LEVEL_FULL;
    } else if (*v && !*end && r >= LEVEL_LOWEST && r <= LEVEL_HIGHEST) {
        *level = (int)r;
    } else {
        fprintf(stderr, "tamzor-cli: bad level '%s' (%d to %d, or full)\n", v, LEVEL_LOWEST, LEVEL_HIGHEST);
        return false;
    }
    return NoteOption(opt, "--level", *level == LEVEL_FULL ? "full" : std::to_string(*level));
}

bool CheckLevelAndDepth(const CLI_OPTIONS_T& opt) {
    bool level = false, depth = false;
    for (const auto& given : opt.given) {
        level = level || given.first == "--level";
        depth = depth || given.first == "--depth";
    }
    if (level && depth) fprintf(stderr, "tamzor-cli: --level and --depth both say how deep to look: give one\n");
    return !(level && depth);
}

#include <cstdio>
#include <cstring>

#include "cli.h"

bool ParseCommonOption(int argc, char** argv, int* i, CLI_OPTIONS_T* opt) {
    const char* a = argv[*i];
    if (!strcmp(a, "--2d")) {
        opt->dmode = 2;
        return true;
    }
    if (!strcmp(a, "--3d")) {
        opt->dmode = 3;
        return true;
    }
    if (!strcmp(a, "--notation")) {
        if (*i + 1 >= argc) {
            fprintf(stderr, "tamzor-cli: --notation needs a value 0, 1 or 2\n");
            return false;
        }
        const char* v = argv[++*i];
        if (strlen(v) != 1 || v[0] < '0' || v[0] > '2') {
            fprintf(stderr, "tamzor-cli: bad notation '%s' (0, 1 or 2)\n", v);
            return false;
        }
        opt->notation = v[0] - '0';
        return true;
    }
    fprintf(stderr, "tamzor-cli: unknown option '%s'\n", a);
    return false;
}

bool SetUpGame(const CLI_OPTIONS_T& opt) {
    state.maxdepth = DIFF_HARD;
    if (!NewGameState(opt.dmode)) {
        fprintf(stderr, "tamzor-cli: could not set up the start position\n");
        return false;
    }
    state.notation = opt.notation;
    state.rules = RULES_TDCL;
    return true;
}

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "cli.h"

bool ParseCommonOption(int argc, char** argv, int* i, CLI_OPTIONS_T* opt) {
    const char* a = argv[*i];
    if (!strcmp(a, "--2d") || !strcmp(a, "--3d")) {
        opt->dmode = opt->dmode_named = a[2] - '0';
        return true;
    }
    bool takes_value = !strcmp(a, "--notation") || !strcmp(a, "--fen") || !strcmp(a, "--moves") ||
                       !strcmp(a, "--rules") || !strcmp(a, "--pgn") || !strcmp(a, "--game");
    if (!takes_value) {
        fprintf(stderr, "tamzor-cli: unknown option '%s'\n", a);
        return false;
    }
    if (*i + 1 >= argc) {
        if (!strcmp(a, "--notation"))
            fprintf(stderr, "tamzor-cli: --notation needs a value 0, 1 or 2\n");
        else if (!strcmp(a, "--rules"))
            fprintf(stderr, "tamzor-cli: --rules needs a value tdcl or tournament\n");
        else
            fprintf(stderr, "tamzor-cli: %s needs a value\n", a);
        return false;
    }
    const char* v = argv[++*i];
    if (!strcmp(a, "--notation")) {
        if (strlen(v) != 1 || v[0] < '0' || v[0] > '2') {
            fprintf(stderr, "tamzor-cli: bad notation '%s' (0, 1 or 2)\n", v);
            return false;
        }
        opt->notation = v[0] - '0';
    } else if (!strcmp(a, "--rules")) {
        if (!strcasecmp(v, "tdcl")) {
            opt->rules = RULES_TDCL;
        } else if (!strcasecmp(v, "tournament")) {
            opt->rules = RULES_TOURNAMENT;
        } else {
            fprintf(stderr, "tamzor-cli: bad rules '%s' (tdcl or tournament)\n", v);
            return false;
        }
    } else if (!strcmp(a, "--fen")) {
        opt->has_fen = true;
        opt->fen = v;
    } else if (!strcmp(a, "--pgn")) {
        opt->pgn = v;
    } else if (!strcmp(a, "--game")) {
        char* end;
        long n = strtol(v, &end, 10);
        if (!*v || *end || n < 1 || n > 1000000) {
            fprintf(stderr, "tamzor-cli: bad game number '%s' (1 for the first game of the file)\n", v);
            return false;
        }
        opt->pgn_game = (int)n;
    } else {
        // Several --moves options play one after the other.
        if (!opt->moves.empty()) opt->moves += ' ';
        opt->moves += v;
    }
    return true;
}

bool SetUpGame(const CLI_OPTIONS_T& opt) {
    state.maxdepth = DIFF_HARD;
    if (!NewGameState(opt.dmode, opt.keep_search_memory)) {
        fprintf(stderr, "tamzor-cli: could not set up the start position\n");
        return false;
    }
    state.notation = opt.notation;
    state.rules = opt.rules;
    return true;
}

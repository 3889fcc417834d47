#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <strings.h>

#include "cli.h"
#include "tamzor.h"
#include "shell/shell.h"

namespace {
const char* RulesName(int rules) { return rules == RULES_TOURNAMENT ? "tournament" : "tdcl"; }
}  // namespace

bool NoteOption(CLI_OPTIONS_T* opt, const std::string& option, const std::string& value) {
    for (const auto& [name, before] : opt->given) {
        if (name != option) continue;
        if (before == value) return true;
        fprintf(stderr, "tamzor-cli: %s given twice, '%s' and '%s': give one\n", option.c_str(), before.c_str(),
                value.c_str());
        return false;
    }
    opt->given.emplace_back(option, value);
    return true;
}

bool ParseCommonOption(int argc, char** argv, int* i, CLI_OPTIONS_T* opt) {
    const char* a = argv[*i];
    if (!strcmp(a, "--2d") || !strcmp(a, "--3d")) {
        const int kind = a[2] - '0';
        if (opt->dmode_named && opt->dmode_named != kind) {
            fprintf(stderr, "tamzor-cli: --2d and --3d name different games: give one\n");
            return false;
        }
        opt->dmode = opt->dmode_named = kind;
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
        return NoteOption(opt, a, v);
    } else if (!strcmp(a, "--rules")) {
        if (!strcasecmp(v, "tdcl")) {
            opt->rules = RULES_TDCL;
        } else if (!strcasecmp(v, "tournament")) {
            opt->rules = RULES_TOURNAMENT;
        } else {
            fprintf(stderr, "tamzor-cli: bad rules '%s' (tdcl or tournament)\n", v);
            return false;
        }
        opt->rules_named = true;
        return NoteOption(opt, a, RulesName(opt->rules));
    } else if (!strcmp(a, "--fen")) {
        opt->has_fen = true;
        opt->fen = v;
        return NoteOption(opt, a, v);
    } else if (!strcmp(a, "--pgn")) {
        opt->pgn = v;
        return NoteOption(opt, a, v);
    } else if (!strcmp(a, "--game")) {
        char* end;
        long n = strtol(v, &end, 10);
        if (!*v || *end || n < 1 || n > 1000000) {
            fprintf(stderr, "tamzor-cli: bad game number '%s' (1 for the first game of the file)\n", v);
            return false;
        }
        opt->pgn_game = (int)n;
        opt->game_named = true;
        return NoteOption(opt, a, std::to_string(n));
    } else {
        // Several --moves options play one after the other.
        if (!opt->moves.empty()) opt->moves += ' ';
        opt->moves += v;
    }
    return true;
}

bool CheckOptionPairs(const CLI_OPTIONS_T& opt) {
    const char* why = nullptr;
    if (opt.has_fen && opt.dmode_named == 3)
        why = "--fen is for the 2D game and cannot be used with --3d";
    else if (opt.has_fen && !opt.pgn.empty())
        why = "--pgn and --fen both name a start: give one";
    else if (opt.game_named && opt.pgn.empty())
        why = "--game needs --pgn: it picks a game of the PGN file";
    else if (opt.rules_named && opt.dmode_named == 2)
        why = "--rules is for the 3D game's attack boards and cannot be used with --2d";
    else if (opt.rules_named && opt.has_fen)
        why = "--rules is for the 3D game's attack boards and cannot be used with --fen";
    if (why) fprintf(stderr, "tamzor-cli: %s\n", why);
    return !why;
}

bool CheckGameOfFile(const CLI_OPTIONS_T& opt, const char* file) {
    if (opt.dmode_named && opt.dmode_named != state.dmode) {
        fprintf(stderr, "tamzor-cli: %s holds a %dD game, not a %dD one\n", file, state.dmode, opt.dmode_named);
        return false;
    }
    if (opt.rules_named && state.dmode == 2) {
        fprintf(stderr, "tamzor-cli: --rules is for the 3D game's attack boards; %s holds a 2D game\n", file);
        return false;
    }
    if (opt.rules_named && state.rules != opt.rules) {
        fprintf(stderr, "tamzor-cli: the game of %s is played with %s rules, not %s\n", file,
                RulesName(state.rules), RulesName(opt.rules));
        return false;
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

#include <cstdio>

#include "cli.h"

int SetUpPosition(const CLI_OPTIONS_T& opt) {
    CLI_OPTIONS_T o = opt;
    if (o.has_fen) {
        if (o.dmode_named == 3) {
            fprintf(stderr, "tamzor-cli: --fen is for the 2D game and cannot be used with --3d\n");
            return 2;
        }
        o.dmode = 2;
    }
    if (!o.pgn.empty() && o.has_fen) {
        fprintf(stderr, "tamzor-cli: --pgn and --fen both name a start: give one\n");
        return 2;
    }
    if (!SetUpGame(o)) return 1;
    std::string error;
    if (o.has_fen && !SetUpFen(o.fen, &error)) {
        fprintf(stderr, "tamzor-cli: %s\n", error.c_str());
        return 2;
    }
    if (!o.pgn.empty()) {
        std::string text;
        if (!ReadPgnFile(o.pgn, &text, &error) || !PgnLoadGame(text, o.pgn_game, &error)) {
            fprintf(stderr, "tamzor-cli: %s: %s\n", o.pgn.c_str(), error.c_str());
            return 2;
        }
        if (o.dmode_named && o.dmode_named != state.dmode) {
            fprintf(stderr, "tamzor-cli: %s holds a %dD game, not a %dD one\n", o.pgn.c_str(), state.dmode,
                    o.dmode_named);
            return 2;
        }
    }
    if (!PlayMoves(o.moves, &error)) {
        fprintf(stderr, "tamzor-cli: %s\n", error.c_str());
        return 2;
    }
    return 0;
}

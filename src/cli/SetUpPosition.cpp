#include <cstdio>

#include "cli.h"
#include "shell/shell.h"

int SetUpPosition(const CLI_OPTIONS_T& opt) {
    if (!CheckOptionPairs(opt)) return 2;
    CLI_OPTIONS_T o = opt;
    if (o.has_fen) o.dmode = 2;
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
        if (!CheckGameOfFile(o, o.pgn.c_str())) return 2;
    }
    if (!PlayMoves(o.moves, &error)) {
        fprintf(stderr, "tamzor-cli: %s\n", error.c_str());
        return 2;
    }
    return 0;
}

// Restores the saved game of the working directory and shows it: its moves,
// its result when it has one, and the position.
#include <cstdio>

#include "cli.h"

int CmdRestore(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    for (int i = 0; i < argc; i++)
        if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
    if (opt.has_fen || !opt.moves.empty()) {
        fprintf(stderr, "tamzor-cli: restore takes no --fen or --moves (the saved game has its own)\n");
        return 2;
    }
    // The notation style in use survives a restore.
    if (!SetUpGame(opt)) return 1;
    char why[200];
    if (!RestoreGame(0, why, sizeof why)) {
        fflush(stdout);
        fprintf(stderr, "tamzor-cli: no game restored: %s\n", why);
        return 1;
    }
    ListGame(false);
    // A restore rebuilds the position without its result.
    bool over = JudgeGame(&state.position) == 1;
    printf("\n\n%s", BoardText(&state.position).c_str());
    if (over) printf("%s\n", GameOverText(&state.position).c_str());
    return 0;
}

// Restores the saved game of the working directory and shows it: its moves,
// its result when it has one, and the position.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "cli.h"

int CmdRestore(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    bool write_pgn = false;
    for (int i = 0; i < argc; i++) {
        if (!strcmp(argv[i], "--write-pgn"))
            write_pgn = true;
        else if (!ParseCommonOption(argc, argv, &i, &opt))
            return 2;
    }
    if (opt.has_fen || !opt.moves.empty() || !opt.pgn.empty()) {
        fprintf(stderr, "tamzor-cli: restore takes no --fen, --moves or --pgn (the saved game has its own)\n");
        return 2;
    }
    if (!SetUpGame(opt)) return 1;
    char why[200];
    // With --write-pgn the PGN alone goes to standard output, for a file.
    fflush(stdout);
    const int saved_stdout = write_pgn ? dup(1) : -1;
    if (saved_stdout >= 0) dup2(2, 1);
    const bool restored = RestoreGame(0, why, sizeof why);
    if (restored) UseNotation(opt.notation);
    fflush(stdout);
    if (saved_stdout >= 0) {
        dup2(saved_stdout, 1);
        close(saved_stdout);
    }
    if (!restored) {
        fprintf(stderr, "tamzor-cli: no game restored: %s\n", why);
        return 1;
    }
    if (write_pgn) {
        fputs(GamePgn(LoadShared(state.tamzor)).c_str(), stdout);
        return 0;
    }
    ListGame(false);
    // A restore rebuilds the position without its result.
    bool over = JudgeGame(&state.position) == 1;
    printf("\n\n%s", BoardText(&state.position).c_str());
    if (over) printf("%s\n", GameOverText(&state.position).c_str());
    return 0;
}

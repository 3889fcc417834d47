// Restores the saved game of the working directory and shows it: its moves,
// its result when it has one, and the position.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "tamzor.h"
#include "position/position.h"
#include "shell/shell.h"

int CmdRestore(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    bool write_pgn = false;
    for (int i = 0; i < argc; i++) {
        if (!strcmp(argv[i], "--write-pgn"))
            write_pgn = true;
        else if (!ParseCommonOption(argc, argv, &i, &opt))
            return 2;
    }
    if (opt.has_fen || !opt.moves.empty() || !opt.pgn.empty() || opt.game_named) {
        fprintf(stderr, "tamzor-cli: restore takes no --fen, --moves, --pgn or --game (the saved game has its own)\n");
        return 2;
    }
    if (!SetUpGame(opt)) return 1;
    char why[200];
    const bool restored = WithoutConsole([&] { return RestoreGame(0, why, sizeof why); });
    if (!restored) {
        fprintf(stderr, "tamzor-cli: no game restored: %s\n", why);
        return 1;
    }
    UseNotation(opt.notation);
    if (!CheckGameOfFile(opt, gamefilename)) return 2;
    fprintf(stderr, "Restore game %s ...complete!\n", gamefilename);
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

// Plays a game as a user would and saves it, e.g. to make saved games for
// tests and to hand a game to the window program.
#include <cstdio>

#include "cli.h"
#include "tamzor.h"
#include "shell/shell.h"

int CmdSave(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    for (int i = 0; i < argc; i++)
        if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
    // The moves go through the game record, not straight onto the board.
    CLI_OPTIONS_T start = opt;
    start.moves.clear();
    if (int rc = SetUpPosition(start)) return rc;
    const int first = state.position.move_num;
    std::string error;
    if (!PlayUserMoves(opt.moves, &error)) {
        // The record lines printed so far end without a line break.
        if (state.position.move_num != first) printf("\n");
        fflush(stdout);
        fprintf(stderr, "tamzor-cli: %s\n", error.c_str());
        return 2;
    }
    // The record's lines are the data; the line they leave open ends here.
    if (state.position.move_num != first) printf("\n");
    char why[300] = "";
    if (!WithoutConsole([&] { return SaveGame(0, why, sizeof why); })) {
        fprintf(stderr, "tamzor-cli: could not save the game to %s: %s\n", gamefilename, why);
        return 1;
    }
    fprintf(stderr, "Saving %s ...complete\n", gamefilename);
    return 0;
}

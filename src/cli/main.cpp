// tamzor-cli: the engine from a terminal, for people, scripts and tests.
#include <cstdio>
#include <cstring>

#include "cli.h"

static void Usage(FILE* f) {
    fprintf(f,
            "usage: tamzor-cli <command> [options]\n"
            "commands:\n"
            "  board                 print the position\n"
            "  moves                 list the legal moves: token and text, one a line\n"
            "  perft DEPTH [--divide]  count the leaves of the move tree\n"
            "  fen                   print the FEN of the 2D position\n"
            "  save                  play the --moves as a user would and save the game\n"
            "                        to tamzor.sav in the working directory\n"
            "  restore               restore tamzor.sav: the moves and the position\n"
            "  play [--computer none]  a game at the terminal, moves from standard input\n"
            "  eval                  the evaluation of the position (White's view) and its terms\n"
            "options:\n"
            "  --2d | --3d           the game (3D by default)\n"
            "  --fen FEN             a 2D position in FEN\n"
            "  --moves LIST          moves played first, separated by commas or blanks:\n"
            "                        e2e4, e7e8q (squares by index a1..h8), qlw@ql3;\n"
            "                        save and play also take the move texts (Nf3, O-O)\n"
            "  --rules tdcl|tournament   attack-board rules (tdcl by default)\n"
            "  --notation 0|1|2      move and square names (1 by default)\n");
}

int main(int argc, char** argv) {
    timers.timer_limit = 5;  // the program's default time limit, as at start-up
    // Bad input gets one line on standard error, for scripts that read it.
    if (argc < 2) {
        fprintf(stderr, "tamzor-cli: no command (board, moves, perft, fen, save, restore, play, eval or help)\n");
        return 2;
    }
    const char* cmd = argv[1];
    if (!strcmp(cmd, "board")) return CmdBoard(argc - 2, argv + 2);
    if (!strcmp(cmd, "moves")) return CmdMoves(argc - 2, argv + 2);
    if (!strcmp(cmd, "perft")) return CmdPerft(argc - 2, argv + 2);
    if (!strcmp(cmd, "fen")) return CmdFen(argc - 2, argv + 2);
    if (!strcmp(cmd, "save")) return CmdSave(argc - 2, argv + 2);
    if (!strcmp(cmd, "restore")) return CmdRestore(argc - 2, argv + 2);
    if (!strcmp(cmd, "play")) return CmdPlay(argc - 2, argv + 2);
    if (!strcmp(cmd, "eval")) return CmdEval(argc - 2, argv + 2);
    if (!strcmp(cmd, "search")) return CmdSearch(argc - 2, argv + 2);
    if (!strcmp(cmd, "bench")) return CmdBench(argc - 2, argv + 2);
    if (!strcmp(cmd, "uci")) return CmdUci(argc - 2, argv + 2);
    if (!strcmp(cmd, "help") || !strcmp(cmd, "--help") || !strcmp(cmd, "-h")) {
        Usage(stdout);
        return 0;
    }
    fprintf(stderr, "tamzor-cli: unknown command '%s' (board, moves, perft, fen, save, restore, play, eval or help)\n", cmd);
    return 2;
}

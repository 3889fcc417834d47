// The FEN of the 2D position reached, e.g. to check a move list.
#include <cstdio>

#include "cli.h"
#include "tamzor.h"
#include "board/board.h"

int CmdFen(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    for (int i = 0; i < argc; i++)
        if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
    // a PGN file says which game it holds
    if (!opt.has_fen && opt.pgn.empty() && opt.dmode != 2) {
        fprintf(stderr, "tamzor-cli: fen is for the 2D game (give --2d or --fen)\n");
        return 2;
    }
    if (int rc = SetUpPosition(opt)) return rc;
    if (state.dmode != 2) {
        fprintf(stderr, "tamzor-cli: fen is for the 2D game; %s holds a 3D game\n", opt.pgn.c_str());
        return 2;
    }
    printf("%s\n", FenText(&state.position).c_str());
    return 0;
}

// The FEN of the 2D position reached, e.g. to check a move list.
#include <cstdio>

#include "cli.h"

int CmdFen(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    for (int i = 0; i < argc; i++)
        if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
    if (!opt.has_fen && opt.dmode != 2) {
        fprintf(stderr, "tamzor-cli: fen is for the 2D game (give --2d or --fen)\n");
        return 2;
    }
    if (int rc = SetUpPosition(opt)) return rc;
    printf("%s\n", FenText(&state.position).c_str());
    return 0;
}

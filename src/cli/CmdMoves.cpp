// Every legal move of a position: its token and the program's own text.
#include <cstdio>

#include "cli.h"
#include "tamzor.h"

int CmdMoves(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    for (int i = 0; i < argc; i++)
        if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
    if (int rc = SetUpPosition(opt)) return rc;
    POS_T* b = &state.position;
    fputs(MovesText(b).c_str(), stdout);
    // Scripts read the move lines: a check is said beside them, not among them.
    if ((b->flags & FLAG_IN_CHECK) && MateText(b).empty())
        fprintf(stderr, "%s\n", IsWhitesMove(b) ? "White is in check" : "Black is in check");
    return 0;
}

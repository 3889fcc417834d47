#include <cstdio>

#include "cli.h"
#include "tamzor.h"

int CmdBoard(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    for (int i = 0; i < argc; i++)
        if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
    if (int rc = SetUpPosition(opt)) return rc;
    fputs(BoardText(&state.position).c_str(), stdout);
    return 0;
}

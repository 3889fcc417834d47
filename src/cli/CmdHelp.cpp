#include <cstdio>

#include "cli.h"
#include "tamzor.h"

int CmdHelp(int argc, char** argv) {
    (void)argc;
    (void)argv;
    fputs(UsageText().c_str(), stdout);
    return 0;
}

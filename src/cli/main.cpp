// tamzor-cli: the engine from a terminal, for people, scripts and tests.
#include <cstdio>
#include <cstring>

#include "cli.h"

static void Usage(FILE* f) {
    fprintf(f,
            "usage: tamzor-cli <command> [options]\n"
            "commands:\n"
            "  board [--2d|--3d] [--notation 0|1|2]   print the start position\n");
}

int main(int argc, char** argv) {
    if (argc < 2) {
        Usage(stderr);
        return 2;
    }
    const char* cmd = argv[1];
    if (!strcmp(cmd, "board")) return CmdBoard(argc - 2, argv + 2);
    if (!strcmp(cmd, "help") || !strcmp(cmd, "--help") || !strcmp(cmd, "-h")) {
        Usage(stdout);
        return 0;
    }
    fprintf(stderr, "tamzor-cli: unknown command '%s'\n", cmd);
    Usage(stderr);
    return 2;
}

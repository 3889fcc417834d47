// tamzor-cli: the engine from a terminal, for people, scripts and tests.
#include <cstdio>
#include <cstring>
#include <string>

#include "build_info.h"
#include "cli.h"
#include "shell/shell.h"

namespace {
// "board, moves, ... or help", for the messages that name them all.
std::string CommandNames() {
    const auto& commands = CliCommands();
    std::string s;
    for (size_t i = 0; i < commands.size(); i++) {
        if (i) s += i + 1 == commands.size() ? " or " : ", ";
        s += commands[i].name;
    }
    return s;
}

bool IsHelp(const char* a) { return !strcmp(a, "--help") || !strcmp(a, "-h"); }
}  // namespace

int main(int argc, char** argv) {
    timers.timer_limit = 5;  // the program's default time limit, as at start-up
    // Bad input gets one line on standard error, for scripts that read it.
    if (argc < 2) {
        fprintf(stderr, "tamzor-cli: no command (%s)\n", CommandNames().c_str());
        return 2;
    }
    const char* cmd = argv[1];
    if (IsHelp(cmd)) return CmdHelp(0, nullptr);
    if (!strcmp(cmd, "--version") || !strcmp(cmd, "-V")) {
        printf("tamzor-cli %s\n", TAMZOR_VERSION);
        return 0;
    }
    for (const CLI_COMMAND_T& c : CliCommands()) {
        if (strcmp(cmd, c.name) != 0) continue;
        // --help anywhere after the command asks for the usage, not the command
        for (int i = 2; i < argc; i++)
            if (IsHelp(argv[i])) return CmdHelp(0, nullptr);
        return c.run(argc - 2, argv + 2);
    }
    fprintf(stderr, "tamzor-cli: unknown command '%s' (%s)\n", cmd, CommandNames().c_str());
    return 2;
}

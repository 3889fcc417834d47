// Every legal move of a position: its token and the program's own text.
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli.h"

int CmdMoves(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    for (int i = 0; i < argc; i++)
        if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
    if (int rc = SetUpPosition(opt)) return rc;

    std::vector<std::pair<std::string, std::string>> lines;
    for (const MOVE_TEXT_T& m : LegalMoveTexts(&state.position)) lines.emplace_back(m.token, m.text);
    std::sort(lines.begin(), lines.end());
    for (const auto& [token, text] : lines) printf("%s %s\n", token.c_str(), text.c_str());
    return 0;
}

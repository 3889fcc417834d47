// Every legal move of a position: its token and the program's own text.
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli.h"

namespace {
// The text GetMoveCount stored for the move, or null when it listed none.
const char* StoredText(MOVE_T* m) {
    for (int i = 0; i < da_n; i++)
        if (da_moves[i].piece_moving == m->piece_moving && da_moves[i].from == m->from &&
            da_moves[i].to == m->to)
            return ShortDisambiguateMovestr(m);
    return nullptr;
}
}  // namespace

int CmdMoves(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    for (int i = 0; i < argc; i++)
        if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
    if (int rc = SetUpPosition(opt)) return rc;
    POS_T* b = &state.position;

    std::vector<MOVE_T> legal(LEGAL_LIST_SIZE);
    int n = LegalMoves(b, legal.data());
    std::vector<MOVE_T> list(MOVE_LIST_SIZE);
    GetMoveCount(b, list.data());

    std::vector<std::pair<std::string, std::string>> lines;
    for (int i = 0; i < n; i++) {
        MOVE_T* m = &legal[i];
        const char* stored = StoredText(m);
        std::string text = stored && stored[0] ? stored : "?";
        // The list holds one text for all four promotions of a move.
        char sym = m->move_symbol;
        if ((sym == 'Q' || sym == 'R' || sym == 'B' || sym == 'N') && text.back() != sym) text += sym;
        lines.emplace_back(MoveToken(*m), text);
    }
    std::sort(lines.begin(), lines.end());
    for (const auto& [token, text] : lines) printf("%s %s\n", token.c_str(), text.c_str());
    return 0;
}

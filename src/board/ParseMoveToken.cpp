#include <cctype>
#include <cstring>

#include "tamzor.h"
#include "board/board.h"

namespace {
bool Square(const std::string& s, size_t at, SQ_T* sq) {
    if (at + 2 > s.size()) return false;
    char f = s[at], r = s[at + 1];
    if (f < 'a' || f > 'h' || r < '1' || r > '8') return false;
    *sq = (SQ_T)((f - 'a') * 8 + (r - '1'));
    return true;
}

// The piece a promotion letter names; 0 for a letter that names none.
char Promotion(char c) {
    switch (c) {
        case 'q': return 'Q';
        case 'r': return 'R';
        case 'b': return 'B';
        case 'n': return 'N';
        default: return 0;
    }
}
}  // namespace

bool ParseMoveToken(const std::string& text, MOVE_TOKEN_T* token, std::string* error) {
    std::string s;
    for (char c : text) s += (char)tolower((unsigned char)c);
    *token = MOVE_TOKEN_T{};
    *error = "bad move '" + text + "' (a move is written like e2e4, e7e8q or qlw@ql3)";
    size_t at = s.find('@');
    if (at != std::string::npos) {
        static const char* const boards[4] = {"qlw", "qlb", "klw", "klb"};
        static const char* const pins[12] = {"ql1", "ql2", "ql3", "ql4", "ql5", "ql6",
                                             "kl1", "kl2", "kl3", "kl4", "kl5", "kl6"};
        std::string board = s.substr(0, at), pin = s.substr(at + 1);
        for (int k = 0; k < 4; k++)
            if (board == boards[k]) token->board = k;
        if (token->board < 0) return false;
        if (pin.size() == 4) {
            token->promotion = Promotion(pin[3]);
            if (!token->promotion) return false;
            pin.resize(3);
        }
        for (int k = 0; k < 12; k++)
            if (pin == pins[k]) token->to = (SQ_T)all_pins[k];
        if (token->to == NO_SQUARE) return false;
        token->board_move = true;
    } else {
        if (s.size() != 4 && s.size() != 5) return false;
        if (!Square(s, 0, &token->from) || !Square(s, 2, &token->to)) return false;
        if (s.size() == 5 && !(token->promotion = Promotion(s[4]))) return false;
    }
    error->clear();
    return true;
}

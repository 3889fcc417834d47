#include <cctype>

#include "board/board.h"

std::vector<std::string> SplitMoveList(const std::string& list) {
    std::vector<std::string> tokens;
    std::string token;
    for (size_t i = 0; i <= list.size(); i++) {
        char c = i < list.size() ? list[i] : ' ';
        if (c != ',' && !isspace((unsigned char)c)) {
            token += c;
        } else if (!token.empty()) {
            tokens.push_back(token);
            token.clear();
        }
    }
    return tokens;
}

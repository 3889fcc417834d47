#include <cctype>

#include "cli.h"

bool PlayUserMoves(const std::string& list, std::string* error) {
    std::string token;
    int number = 0;
    for (size_t i = 0; i <= list.size(); i++) {
        char c = i < list.size() ? list[i] : ' ';
        if (c != ',' && !isspace((unsigned char)c)) {
            token += c;
            continue;
        }
        if (token.empty()) continue;
        number++;
        const std::string where = " (move " + std::to_string(number) + " of --moves)";
        POS_T* b = &state.position;
        if (b->winner) {
            *error = "move '" + token + "' after the end of the game" + where;
            return false;
        }
        MOVE_T m;
        if (!ReadMove(b, token, &m, error)) {
            *error += where;
            return false;
        }
        bool over;
        if (!PlayUserMove(&m, &over)) {
            *error = "illegal move '" + token + "'" + where;
            return false;
        }
        token.clear();
    }
    return true;
}

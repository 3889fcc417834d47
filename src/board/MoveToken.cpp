#include <cctype>

#include "tamzor.h"
#include "board/board.h"

std::string MoveToken(const MOVE_T& move) {
    std::string s;
    if (IsAB(move.piece_moving)) {
        static const char* const boards[4] = {"qlw", "qlb", "klw", "klb"};
        static const char* const pins[12] = {"ql1", "ql2", "ql3", "ql4", "ql5", "ql6",
                                             "kl1", "kl2", "kl3", "kl4", "kl5", "kl6"};
        int pin = PinIndex((int)move.to);
        s = std::string(boards[ABIndex(move.piece_moving)]) + "@" + (pin >= 0 ? pins[pin] : "??");
    } else {
        for (SQ_T sq : {move.from, move.to}) {
            if (sq >= 64) return "????";
            s += (char)('a' + XPOS(sq));
            s += (char)('1' + YPOS(sq));
        }
    }
    char c = move.move_symbol;
    if (c == 'Q' || c == 'R' || c == 'B' || c == 'N') s += (char)tolower((unsigned char)c);
    return s;
}

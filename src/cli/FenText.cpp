#include "cli.h"

std::string FenText(POS_T* b) {
    std::string s;
    for (int rank = 7; rank >= 0; rank--) {
        int empty = 0;
        for (int file = 0; file < 8; file++) {
            int p = b->board[file * 8 + rank];
            if (!p) {
                empty++;
                continue;
            }
            if (empty) s += (char)('0' + empty);
            empty = 0;
            s += piecechar(p);
        }
        if (empty) s += (char)('0' + empty);
        if (rank) s += '/';
    }
    s += IsWhitesMove(b) ? " w " : " b ";
    std::string castling;
    const char* letters = "KQkq";
    for (int i = 0; i < 4; i++)
        if (b->flags & (1ull << i)) castling += letters[i];
    s += castling.empty() ? "-" : castling;
    s += ' ';
    if (b->enpassant && b->enpassant < 64) {
        s += (char)('a' + XPOS(b->enpassant));
        s += (char)('1' + YPOS(b->enpassant));
    } else {
        s += '-';
    }
    s += ' ' + std::to_string(b->fifty_count) + ' ' + std::to_string(b->move_num / 2 + 1);
    return s;
}

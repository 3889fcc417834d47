// Moves as book entries write them (see book.h), and back to move tokens.
#include "search/book.h"
#include "tamzor.h"
#include "board/board.h"

namespace {
const char promotion_letters[] = "\0nbrq";  // code 1..4

int PromotionCode(char symbol) {
    switch (symbol) {
        case 'N': return 1;
        case 'B': return 2;
        case 'R': return 3;
        case 'Q': return 4;
        default: return 0;
    }
}

std::string Square(int sq) { return std::string(1, (char)('a' + sq / 8)) + (char)('1' + sq % 8); }
}  // namespace

uint16_t BookMoveCode(const POS_T* b, const MOVE_T& m) {
    (void)b;
    const unsigned promo = (unsigned)PromotionCode(m.move_symbol) << 12;
    if (state.dmode == 2) {
        int to_file = (int)XPOS(m.to);
        const int from_file = (int)XPOS(m.from);
        // castling is written as the king taking its own rook
        if ((m.piece_moving == W_KING || m.piece_moving == B_KING) && (to_file - from_file == 2 || from_file - to_file == 2))
            to_file = to_file > from_file ? 7 : 0;
        return (uint16_t)(to_file | YPOS(m.to) << 3 | from_file << 6 | YPOS(m.from) << 9 | promo);
    }
    if (IsAB(m.piece_moving)) {
        const int pin = PinIndex((int)m.to);
        return (uint16_t)(0x8000 | (pin < 0 ? 15 : pin) | ABIndex(m.piece_moving) << 4 | promo);
    }
    return (uint16_t)((m.to & 63) | (m.from & 63) << 6 | promo);
}

std::string BookCodeToken(const POS_T* b, uint16_t code) {
    const int promo = (code >> 12) & 7;
    if (promo > 4) return "";
    const std::string letter = promo ? std::string(1, promotion_letters[promo]) : "";
    if (state.dmode == 2) {
        if (code & 0x8000) return "";
        const int to_file = code & 7, to_row = (code >> 3) & 7, from_file = (code >> 6) & 7, from_row = (code >> 9) & 7;
        const int from = from_file * 8 + from_row;
        int to = to_file * 8 + to_row;
        const int p = b->board[from];
        // the king taking its own rook: castling, the king's two steps
        if ((p == W_KING || p == B_KING) && from_file == 4 && from_row == to_row && (to_file == 7 || to_file == 0) &&
            b->board[to] == (p > 0 ? W_ROOK : B_ROOK))
            to = (to_file == 7 ? 6 : 2) * 8 + to_row;
        return Square(from) + Square(to) + letter;
    }
    if (code & 0x8000) {
        const int pin = code & 15, board = (code >> 4) & 3;
        if ((code & 0x0FC0) || pin >= 12) return "";
        MOVE_T m{};
        m.piece_moving = ab_of_index[board];
        m.to = (SQ_T)all_pins[pin];
        return MoveToken(m) + letter;
    }
    return Square((code >> 6) & 63) + Square(code & 63) + letter;
}

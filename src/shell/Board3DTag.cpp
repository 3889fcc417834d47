// A 3D position in one line of text, for the record of a game that started
// from an edited board: the 64 cells by index ('.' for an empty one), the
// four boards' pins (q1q6k1k6 at the start) and owners (wbwb), the side to
// move, the castling rights and the en passant cell, separated by blanks.
#include <cstring>
#include <sstream>

#include "tamzor.h"
#include "board/board.h"
#include "shell/shell.h"

namespace {
const char* const PIECES = "kqrbnp.PNBRQK";  // by piece code + 6
}

std::string Board3DText(const POS_T* b) {
    std::string s;
    for (int sq = 0; sq < 64; sq++) {
        const int p = b->board[sq];
        s += (p >= -6 && p <= 6) ? PIECES[p + 6] : '.';
    }
    s += ' ';
    for (int k = 0; k < 4; k++) s += GetShortABStr(b->whereis_board[k]);
    s += ' ';
    for (int k = 0; k < 4; k++) s += b->whites_board[k] ? 'w' : 'b';
    s += IsWhitesMove(b) ? " w " : " b ";
    std::string castling;
    for (int i = 0; i < 4; i++)
        if (b->flags & (1ull << i)) castling += "KQkq"[i];
    s += castling.empty() ? "-" : castling;
    s += ' ';
    s += b->enpassant && b->enpassant < 64 ? std::to_string(b->enpassant) : "-";
    return s;
}

bool ParseBoard3D(const std::string& text, POS_T* b, std::string* error) {
    std::istringstream in(text);
    std::string cells, pins, owners, side, castling, ep, extra;
    if (!(in >> cells >> pins >> owners >> side >> castling >> ep) || (in >> extra)) {
        *error = "a 3D board needs six fields: cells, pins, owners, side, castling, en passant";
        return false;
    }
    if (cells.size() != 64) {
        *error = "a 3D board has 64 cells, not " + std::to_string(cells.size());
        return false;
    }
    memset(b->board, 0, sizeof b->board);
    for (int sq = 0; sq < 64; sq++) {
        const char* at = strchr(PIECES, cells[sq]);
        if (!at || !cells[sq]) {
            *error = std::string("unknown piece '") + cells[sq] + "' in the 3D board";
            return false;
        }
        b->board[sq] = (int)(at - PIECES) - 6;
    }
    if (pins.size() != 8 || owners.size() != 4) {
        *error = "a 3D board names four pins (q1q6k1k6) and four owners (wbwb)";
        return false;
    }
    for (int k = 0; k < 4; k++) {
        const std::string pin = pins.substr(2 * k, 2);
        int found = -1;
        for (int i = 0; i < 12; i++)
            if (pin == GetShortABStr(all_pins[i])) found = all_pins[i];
        for (int j = 0; j < k; j++)
            if (b->whereis_board[j] == found) found = -1;  // two boards on one pin
        if (found < 0 || (owners[k] != 'w' && owners[k] != 'b')) {
            *error = "bad pin or owner of board " + std::to_string(k + 1) + " in the 3D board";
            return false;
        }
        b->whereis_board[k] = found;
        b->whites_board[k] = owners[k] == 'w' ? 1 : 0;
    }
    if (side != "w" && side != "b") {
        *error = "the side to move is w or b, not '" + side + "'";
        return false;
    }
    b->move_num = side == "w" ? 0 : 1;
    b->flags = 0;
    if (castling != "-") {
        for (char c : castling) {
            const char* at = strchr("KQkq", c);
            if (!at || !c) {
                *error = "bad castling rights '" + castling + "'";
                return false;
            }
            b->flags |= 1ull << (at - "KQkq");
        }
    }
    b->enpassant = 0;
    if (ep != "-") {
        char* end;
        long e = strtol(ep.c_str(), &end, 10);
        if (*end || e < 1 || e > 63) {
            *error = "bad en passant cell '" + ep + "'";
            return false;
        }
        b->enpassant = (SQ_T)e;
    }
    return true;
}

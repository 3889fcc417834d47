// A 2D move in standard algebraic notation, as other programs and people
// write it: Nf3, exd5, Kxb2, e8=Q or e8Q, O-O or 0-0, with or without the
// marks that follow (+, #, !, ?, e.p.), the origin also written in full
// (Ng1f3, Ng1-f3). Long algebraic, as some programs write every move, names
// the origin in full and may leave out the piece (g1f3, e7e8=Q, e7e8q,
// d8h4#, e5xd6, castling as the king's move e1g1 or e1-c1).
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "tamzor.h"
#include "movegen/movegen.h"

namespace {
bool IsFile(char c) { return c >= 'a' && c <= 'h'; }
bool IsRank(char c) { return c >= '1' && c <= '8'; }

// The text without the marks that may follow a move.
std::string Bare(std::string s) {
    for (;;) {
        while (!s.empty() && (s.back() == '+' || s.back() == '#' || s.back() == '!' || s.back() == '?')) s.pop_back();
        if (s.size() > 4 && s.compare(s.size() - 4, 4, "e.p.") == 0) s.resize(s.size() - 4);
        else if (s.size() > 2 && s.compare(s.size() - 2, 2, "ep") == 0 && IsRank(s[s.size() - 3])) s.resize(s.size() - 2);
        else return s;
    }
}
}  // namespace

bool SanMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* error) {
    const std::string s = Bare(text);
    static thread_local MOVE_T legal[LEGAL_LIST_SIZE];
    const int n = LegalMoves(b, legal);

    // castling, with letter O or digit zero
    const std::string upper = [&] {
        std::string u;
        for (char c : s) u += (char)(c == '0' ? 'O' : toupper((unsigned char)c));
        return u;
    }();
    if (upper == "O-O" || upper == "O-O-O") {
        const char symbol = upper == "O-O" ? 'S' : 'L';
        for (int i = 0; i < n; i++)
            if (legal[i].move_symbol == symbol) {
                *move = legal[i];
                return true;
            }
        *error = "castling '" + text + "' is not legal here";
        return false;
    }

    // [piece][from file][from rank][x|-][to file][to rank][[=]promotion]
    size_t i = 0;
    int kind = 1;  // 0: any piece
    static const std::string letters = "PNBRQK";
    const bool piece_named = i < s.size() && letters.find(s[i]) != std::string::npos;
    if (piece_named) kind = (int)letters.find(s[i++]) + 1;
    char promotion = 0;
    size_t end = s.size();
    if (end >= 2 && strchr("QRBNqrbn", s[end - 1]) && (IsRank(s[end - 2]) || s[end - 2] == '=')) {
        promotion = (char)toupper((unsigned char)s[end - 1]);
        end -= s[end - 2] == '=' ? 2 : 1;
    }
    if (end < i + 2 || !IsFile(s[end - 2]) || !IsRank(s[end - 1])) {
        *error = "bad move '" + text + "'";
        return false;
    }
    const SQ_T to = (SQ_T)((s[end - 2] - 'a') * 8 + (s[end - 1] - '1'));
    size_t mid = end - 2;
    if (mid > i && (s[mid - 1] == 'x' || s[mid - 1] == ':' || s[mid - 1] == '-')) mid--;
    int from_file = -1, from_rank = -1;
    if (i < mid && IsFile(s[i])) from_file = s[i++] - 'a';
    if (i < mid && IsRank(s[i])) from_rank = s[i++] - '1';
    if (i != mid) {
        *error = "bad move '" + text + "'";
        return false;
    }
    // Long algebraic may leave out the piece: the origin says which it is.
    const bool full_origin = from_file >= 0 && from_rank >= 0;
    if (full_origin && !piece_named) kind = 0;
    // a pawn named without its file moves along it
    if (kind == 1 && from_file < 0) from_file = (int)XPOS(to);

    const MOVE_T* found = nullptr;
    int matches = 0;
    bool needs_piece = false;
    for (int k = 0; k < n; k++) {
        const MOVE_T& m = legal[k];
        if (IsAB(m.piece_moving) || (kind && abs(m.piece_moving) != kind) || m.to != to) continue;
        // castling is named as the king's move only with its origin in full
        if ((m.move_symbol == 'S' || m.move_symbol == 'L') && !full_origin) continue;
        if (from_file >= 0 && (int)XPOS(m.from) != from_file) continue;
        if (from_rank >= 0 && (int)YPOS(m.from) != from_rank) continue;
        const bool promotes = m.move_symbol == 'Q' || m.move_symbol == 'R' || m.move_symbol == 'B' || m.move_symbol == 'N';
        if (promotes && !promotion) {
            needs_piece = true;
            continue;
        }
        if (promotion && (!promotes || m.move_symbol != promotion)) continue;
        if (!found || found->from != m.from) matches++;
        if (!found) found = &m;
    }
    if (matches == 1) {
        *move = *found;
        return true;
    }
    if (matches > 1)
        *error = "ambiguous move '" + text + "'";
    else if (needs_piece)
        *error = "promotion '" + text + "' needs the piece (=Q, =R, =B or =N)";
    else
        *error = "illegal move '" + text + "'";
    return false;
}

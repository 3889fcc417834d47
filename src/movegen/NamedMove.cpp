// The move a refused text means, so that the refusal can say why, as a
// click on the same cells does. A text names its piece by letter (none for a
// pawn), may give where it starts (a file, a rank or a whole cell), and ends
// with the cell it goes to as the game writes cells: Ke3, Nge2, exd5, Qc3N.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {
bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (tolower((unsigned char)a[i]) != tolower((unsigned char)b[i])) return false;
    return true;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return tail.size() <= s.size() && SameText(s.substr(s.size() - tail.size()), tail);
}

std::string Name(POS_T* b, SQ_T sq) {
    char name[24];
    CellName(b, sq, name, sizeof name);
    return name;
}

// The marks a text may carry after the move.
std::string WithoutMarks(std::string s) {
    for (;;) {
        while (!s.empty() && (s.back() == '+' || s.back() == '#' || s.back() == '!' || s.back() == '?')) s.pop_back();
        if (state.dmode != 2) return s;
        if (EndsWith(s, "e.p.")) s.resize(s.size() - 4);
        else if (s.size() > 2 && EndsWith(s, "ep") && isdigit((unsigned char)s[s.size() - 3])) s.resize(s.size() - 2);
        else return s;
    }
}

// The cells a text ends with: the longest whole cell name, or in the 3D game
// the bare file and rank, which several levels may share. `rest` is what
// comes before.
std::vector<SQ_T> TargetCells(POS_T* b, const std::string& s, std::string* rest) {
    std::vector<SQ_T> cells;
    size_t best = 0;
    for (SQ_T sq = 0; sq < 64; sq++) {
        const std::string name = Name(b, sq);
        if (name.size() < best || !EndsWith(s, name)) continue;
        if (name.size() > best) cells.clear();
        best = name.size();
        cells.push_back(sq);
    }
    if (cells.empty() && state.dmode != 2)
        for (SQ_T sq = 0; sq < 64; sq++)
            if (const std::string bare = PosStr(b, sq); EndsWith(s, bare)) {
                best = bare.size();
                cells.push_back(sq);
            }
    *rest = s.substr(0, s.size() - best);
    return cells;
}

// Castling as the record writes it: the king's move from home, two files
// over in 2D; in 3D onto its own rook (short) or to b1 (long).
bool Castle(POS_T* b, const std::string& s, MOVE_T* move, std::string* general) {
    std::string upper;
    for (char c : s) upper += (char)(c == '0' ? 'O' : toupper((unsigned char)c));
    if (upper != "O-O" && upper != "O-O-O") return false;
    const bool white = IsWhitesMove(b), short_side = upper == "O-O";
    const int r = white ? 0 : 7;
    const int king = white ? W_KING : B_KING, rook = white ? W_ROOK : B_ROOK;
    const SQ_T home = (SQ_T)((state.dmode == 2 ? E1 : C1) + r);
    if (b->board[home] != king) {
        *general = "no castling: the king has moved";
        return false;
    }
    SQ_T to;
    if (state.dmode == 2) {
        to = (SQ_T)((short_side ? G1 : C1) + r);
    } else {
        to = (SQ_T)((short_side ? D1 : B1) + r);
        if (short_side && b->board[to] != rook) {
            *general = "no castling: there is no rook on " + Name(b, to);
            return false;
        }
    }
    InitMove(move, king, home, to, INF_VALUE, short_side ? 'S' : 'L', false);
    return true;
}
}  // namespace

bool NamedMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* general, bool* origin_named) {
    general->clear();
    if (origin_named) *origin_named = false;
    const size_t a = text.find_first_not_of(' '), z = text.find_last_not_of(' ');
    if (a == std::string::npos) return false;
    const std::string s = WithoutMarks(text.substr(a, z - a + 1));
    if (TokenMove(b, s, move)) return true;
    if (s.empty()) return false;
    if (Castle(b, s, move, general)) return true;
    if (!general->empty()) return false;

    std::string head;
    const std::vector<SQ_T> targets = TargetCells(b, s, &head);
    const bool to_cell = !targets.empty();
    // A file and rank no cell has (an attack board's cells move with it).
    if (!to_cell) {
        const size_t n = s.size();
        if (n < 2 || !islower((unsigned char)s[n - 2]) || !isdigit((unsigned char)s[n - 1])) return false;
        head = s.substr(0, n - 2);
    }

    // The piece: its letter, or none for a pawn. Lower case b is a file.
    int kind = 1;
    bool lettered = false;
    static const std::string letters = "PNBRQK";
    if (!head.empty()) {
        const char c = head[0];
        const size_t upper = letters.find(c), lower = letters.find((char)toupper((unsigned char)c));
        if (upper != std::string::npos || (c != 'b' && c != 'p' && lower != std::string::npos)) {
            kind = (int)(upper != std::string::npos ? upper : lower) + 1;
            lettered = true;
            head.erase(0, 1);
        }
    }
    if (!head.empty() && (head.back() == 'x' || head.back() == '-' || head.back() == ':')) head.pop_back();
    if (!to_cell) {
        if (!head.empty() && !(head.size() == 1 && isalnum((unsigned char)head[0]))) return false;
        *general = "there is no cell " + s.substr(s.size() - 2) + (state.dmode == 2 ? "" : " now");
        return false;
    }

    // Where it starts: a whole cell, a file or a rank; a pawn named without
    // one moves along its file.
    SQ_T origin = NO_SQUARE;
    char file = 0, rank = 0;
    if (!head.empty()) {
        std::string rest;
        const std::vector<SQ_T> from = TargetCells(b, head, &rest);
        if (from.size() == 1 && rest.empty()) {
            origin = from[0];
            if (origin_named) *origin_named = true;
            // two cells without a letter: the piece is the one standing there
            if (!lettered && b->board[origin]) kind = abs(b->board[origin]);
        } else if (head.size() == 1 && isalpha((unsigned char)head[0])) file = (char)tolower((unsigned char)head[0]);
        else if (head.size() == 1 && isdigit((unsigned char)head[0])) rank = head[0];
        else return false;
    } else if (kind == 1) {
        file = (char)tolower((unsigned char)PosStr(b, targets[0])[0]);
    }

    const int piece = IsWhitesMove(b) ? kind : -kind;
    std::vector<SQ_T> froms;
    bool any_of_kind = false;
    for (SQ_T sq = 0; sq < 64; sq++) {
        const bool own = b->board[sq] == piece;
        any_of_kind |= own;
        const char* at = PosStr(b, sq);
        if (origin != NO_SQUARE ? sq == origin
                                : own && (!file || tolower((unsigned char)at[0]) == file) && (!rank || at[1] == rank))
            froms.push_back(sq);
    }
    if (froms.size() == 1 && targets.size() == 1) {
        // the other side's piece on a cell named is its own, so that the
        // reason is whose move it is
        const int there = b->board[froms[0]];
        InitMove(move, abs(there) == kind ? there : piece, froms[0], targets[0], INF_VALUE,
                 b->board[targets[0]] ? 'x' : '-', false);
        return true;
    }
    if (!any_of_kind) {
        *general = std::string("you have no ") + KindName(kind);
        return false;
    }
    // Each piece to each cell, as the rules judge it: the cells some piece
    // may go to, the reasons the others are refused, and those refused only
    // for their king's sake (a check not answered, a pin).
    std::vector<SQ_T> open;
    std::vector<std::string> reasons;
    std::vector<MOVE_T> refused, unsafe;
    for (SQ_T to : targets) {
        bool reached = false;
        for (SQ_T from : froms) {
            MOVE_T m;
            InitMove(&m, piece, from, to, INF_VALUE, b->board[to] ? 'x' : '-', false);
            char reason[96];
            if (!RefusalReason(b, &m, reason, sizeof reason)) {
                reached = true;
                continue;
            }
            reasons.push_back(reason);
            refused.push_back(m);
            if (strstr(reason, "check")) unsafe.push_back(m);
        }
        if (reached) open.push_back(to);
    }
    auto names = [&](const std::vector<SQ_T>& cells) {
        std::string where = Name(b, cells[0]);
        for (size_t i = 1; i < cells.size(); i++) where += " or " + Name(b, cells[i]);
        return where;
    };
    // A bare file and rank: the level tells the cells apart. Two pieces that
    // may go to one cell: the reader's own answer says which.
    if (!open.empty()) {
        if (targets.size() > 1) *general = names(open) + "?";
        return false;
    }
    // One piece that could go there but for its king is the one meant.
    if (unsafe.size() == 1) {
        *move = unsafe[0];
        return true;
    }
    // Several pieces refused for one reason (your own piece is there, say):
    // any of them says it.
    if (!reasons.empty() && std::all_of(reasons.begin(), reasons.end(), [&](auto& r) { return r == reasons[0]; })) {
        *move = refused[0];
        return true;
    }
    *general = std::string("no ") + KindName(kind) + " of yours can go to " + names(targets);
    return false;
}

std::string TypedRefusal(POS_T* b, const std::string& text) {
    MOVE_T m;
    std::string general;
    if (!NamedMove(b, text, &m, &general)) return general.empty() ? general : ": " + general;
    return MoveRefusal(b, m);
}

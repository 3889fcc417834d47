#include <cctype>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "viewlogic.h"

namespace {
std::string WithoutMarks(std::string s) {
    while (!s.empty() && (s.back() == '+' || s.back() == '#' || s.back() == '!' || s.back() == '?')) s.pop_back();
    return s;
}

std::string Lower(std::string s) {
    for (char& c : s) c = (char)tolower((unsigned char)c);
    return s;
}

// The promotion a text names without its piece (a8 for a8Q, e7e8 for e7e8q,
// e8 or e8= for e8=Q in 2D): true when every such move is the same pawn's.
bool PromotionWithoutPiece(POS_T* b, const std::string& typed, MOVE_T* move) {
    const std::string want = WithoutMarks(typed);
    if (want.empty()) return false;
    bool found = false;
    for (const MOVE_TEXT_T& m : LegalMoveTexts(b)) {
        if (m.text == m.bare) continue;  // not a promotion
        bool named = WithoutMarks(m.bare) == want ||
                     (m.token.size() > 1 && Lower(want) == m.token.substr(0, m.token.size() - 1));
        if (!named && state.dmode == 2) {
            // standard notation without the piece: e8, exd8, e8=
            std::string san = WithoutMarks(SanText(b, m.move));
            const size_t eq = san.find('=');
            if (eq != std::string::npos) named = want == san.substr(0, eq) || want == san.substr(0, eq + 1);
        }
        if (!named) continue;
        if (found && (move->from != m.move.from || move->to != m.move.to || move->piece_moving != m.move.piece_moving))
            return false;  // two moves: the reader's own answer names them
        *move = m.move;
        found = true;
    }
    return found;
}
}  // namespace

namespace {
TYPED_ENTRY_T Read(POS_T* b, const std::string& text, SQ_T selected) {
    TYPED_ENTRY_T r;
    const size_t a = text.find_first_not_of(' '), z = text.find_last_not_of(' ');
    const std::string s = a == std::string::npos ? "" : text.substr(a, z - a + 1);
    if (s.empty()) {
        r.reason = selected == NO_SQUARE ? "type a move or a cell's name" : "type a cell's name";
        return r;
    }
    const bool board_chosen = selected >= 64 && selected != NO_SQUARE;
    SQ_T cell = NO_SQUARE;
    std::string cell_reason;
    const bool is_cell = CellFromName(b, s, board_chosen, &cell, &cell_reason);
    if (is_cell && (selected != NO_SQUARE || cell >= 64 || b->board[cell])) {
        r.kind = TYPED_ENTRY_T::CELL;
        r.target = cell;
        return r;
    }
    std::string error;
    if (ReadMove(b, s, &r.move, &error)) {
        r.kind = TYPED_ENTRY_T::MOVE;
        return r;
    }
    // The program's own text typed in another case (nc3n for Nc3N), when
    // only one move has it.
    int same = 0;
    for (const MOVE_TEXT_T& m : LegalMoveTexts(b))
        if (m.text != "?" && Lower(WithoutMarks(m.text)) == Lower(WithoutMarks(s)) && same++ == 0) r.move = m.move;
    if (same == 1) {
        r.kind = TYPED_ENTRY_T::MOVE;
        return r;
    }
    if (PromotionWithoutPiece(b, s, &r.move)) {
        r.kind = TYPED_ENTRY_T::PROMOTION;
        return r;
    }
    // An empty cell the side's pawn on its file may not step to is that
    // pawn's refused move (d4W with a piece in its way), not an empty click.
    MOVE_T named;
    std::string general;
    const bool one = NamedMove(b, s, &named, &general);
    if (is_cell && selected == NO_SQUARE && one && b->board[named.from] == NextToPlay(b) * W_PAWN) {
        char why[192];
        IllegalMoveText(b, &named, why, sizeof why);
        r.reason = why;
        return r;
    }
    if (is_cell) {  // an empty cell: the click's answer says so
        r.kind = TYPED_ENTRY_T::CELL;
        r.target = cell;
        return r;
    }
    // A name that fits several cells says which; a move the rules refuse
    // says why, as a click does, whether typed as a token or as a piece and
    // where it goes.
    if (cell_reason.find(" or ") != std::string::npos) {
        r.reason = cell_reason;
        return r;
    }
    r.reason = error;
    if (error.rfind("ambiguous", 0) == 0 || error.rfind("promotion", 0) == 0) return r;
    if (one && (IsAB(named.piece_moving) || b->board[named.from] != 0)) {
        char why[192];
        IllegalMoveText(b, &named, why, sizeof why);
        r.reason = why;
    } else if (!general.empty()) {
        r.reason = s + ": " + general;
    }
    return r;
}
}  // namespace

TYPED_ENTRY_T ReadTypedEntry(POS_T* b, const std::string& text, SQ_T selected) {
    TYPED_ENTRY_T r = Read(b, text, selected);
    // A move is the player's only on their turn; a cell is chosen as a click
    // chooses it (which says the same).
    if (r.kind == TYPED_ENTRY_T::MOVE || r.kind == TYPED_ENTRY_T::PROMOTION) {
        if (b->winner) r = TYPED_ENTRY_T{TYPED_ENTRY_T::REFUSED, NO_SQUARE, {}, "the game is over"};
        else if (NextToPlay(b) == LoadShared(state.tamzor)) r = TYPED_ENTRY_T{TYPED_ENTRY_T::REFUSED, NO_SQUARE, {}, WAIT_TEXT};
    }
    return r;
}

// A move as a person types it: a token (e2e4), the text the program itself
// writes for the move (Nf3, O-O, exd6ep?, a4N), so that a move copied from
// the game record or the move list is understood, or in the 2D game the
// standard notation other programs write (Kxb2, exd6, e8=Q, 0-0). A 3D text
// of another of the program's notations (Pb2-b4(4), Q3) is understood too
// when it names one move, so that records written before still read, and so
// is a move named by both its cells (c3N-c4W, Nb1W-c3N).
#include <cctype>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {
// Check and mate marks are optional: the record adds '+', the list does not.
std::string WithoutCheck(std::string s) {
    while (!s.empty() && (s.back() == '+' || s.back() == '#')) s.pop_back();
    return s;
}

std::string Trimmed(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && isspace((unsigned char)s[a])) a++;
    while (b > a && isspace((unsigned char)s[b - 1])) b--;
    return s.substr(a, b - a);
}

// The moves of `legal` whose text is `want`: the first, the tokens of any
// others that share it, and the promotions whose text lacks only the piece.
struct MATCH_T {
    const MOVE_TEXT_T* found = nullptr;
    std::string same_text, promotions;
};

MATCH_T Match(const std::vector<MOVE_TEXT_T>& legal, const std::string& want) {
    MATCH_T r;
    if (want.empty()) return r;
    for (const MOVE_TEXT_T& m : legal) {
        if (WithoutCheck(m.text) == want) {
            if (r.found && r.found->token != m.token) {
                if (r.same_text.empty()) r.same_text = r.found->token;
                r.same_text += " or " + m.token;
            }
            if (!r.found) r.found = &m;
        } else if (m.text != m.bare && WithoutCheck(m.bare) == want) {
            r.promotions += (r.promotions.empty() ? "" : ", ") + m.text;
        }
    }
    return r;
}

// The one move whose text in another 3D notation is `want`.
bool MatchOtherNotation(POS_T* b, const std::string& want, MOVE_T* move) {
    const int own = LoadShared(state.notation);
    bool read = false;
    for (int style : {NOTATION_ZARVIC, NOTATION_STANDARD, NOTATION_ALGEBRAIC}) {
        if (style == own || read) continue;
        StoreShared(state.notation, style);
        const std::vector<MOVE_TEXT_T> legal = LegalMoveTexts(b);
        const MATCH_T r = Match(legal, want);
        if (r.found && r.same_text.empty()) {
            *move = r.found->move;
            read = true;
        }
    }
    StoreShared(state.notation, own);
    // the move list's texts are those of the notation shown again
    std::vector<MOVE_T> list(MOVE_LIST_SIZE);
    GetMoveCount(b, list.data());
    return read;
}
}  // namespace

bool ReadMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* error) {
    const std::string s = Trimmed(text);
    MOVE_TOKEN_T token;
    std::string token_error;
    const bool is_token = ParseMoveToken(s, &token, &token_error);
    if (is_token && MoveFromToken(b, s, move, &token_error)) return true;

    const std::string want = WithoutCheck(s);
    const std::vector<MOVE_TEXT_T> legal = LegalMoveTexts(b);
    const MATCH_T match = Match(legal, want);
    const MOVE_TEXT_T* found = match.found;
    const std::string& same_text = match.same_text;
    const std::string& promotions = match.promotions;
    if (found && same_text.empty()) {
        *move = found->move;
        return true;
    }
    std::string san_error;
    if (!found && state.dmode == 2 && !is_token) {
        if (SanMove(b, s, move, &san_error)) return true;
    }
    if (!found && promotions.empty() && state.dmode != 2 && !is_token && !want.empty() &&
        MatchOtherNotation(b, want, move))
        return true;
    // Both cells in full (c3N-c4W, Pa2W-a4N), as a refusal names a move:
    // the one legal move of the piece between them.
    if (!found && promotions.empty() && !is_token && !want.empty()) {
        MOVE_T named;
        std::string general;
        bool origin = false;
        if (NamedMove(b, want, &named, &general, &origin) && origin) {
            const MOVE_T* hit = nullptr;
            int count = 0;
            for (const MOVE_TEXT_T& m : legal)
                if (m.move.piece_moving == named.piece_moving && m.move.from == named.from && m.move.to == named.to &&
                    count++ == 0)
                    hit = &m.move;
            if (count == 1) {
                *move = *hit;
                return true;
            }
        }
    }
    if (found) {
        // Nothing in the text tells these moves apart; their tokens do.
        *error = "ambiguous move '" + s + "': give its token, " + same_text;
    } else if (!promotions.empty()) {
        *error = "promotion '" + s + "' needs the piece: " + promotions;
    } else if (is_token) {
        *error = token_error;
    } else if (!san_error.empty()) {
        *error = san_error;
    } else {
        *error = "illegal move '" + s + "'";
    }
    return false;
}

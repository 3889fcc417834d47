// A move as a person types it: a token (e2e4), the text the program itself
// writes for the move (Nf3, O-O, exd6ep?, Pb2-b4(2)), so that a move copied
// from the game record or the move list is understood, or in the 2D game
// the standard notation other programs write (Kxb2, exd6, e8=Q, 0-0).
#include <cctype>

#include "tamzor.h"

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
}  // namespace

bool ReadMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* error) {
    const std::string s = Trimmed(text);
    MOVE_TOKEN_T token;
    std::string token_error;
    const bool is_token = ParseMoveToken(s, &token, &token_error);
    if (is_token && MoveFromToken(b, s, move, &token_error)) return true;

    const std::string want = WithoutCheck(s);
    const MOVE_TEXT_T* found = nullptr;
    std::string same_text, promotions;
    const std::vector<MOVE_TEXT_T> legal = LegalMoveTexts(b);
    for (const MOVE_TEXT_T& m : legal) {
        if (!want.empty() && WithoutCheck(m.text) == want) {
            if (found && found->token != m.token) {
                if (same_text.empty()) same_text = found->token;
                same_text += " or " + m.token;
            }
            if (!found) found = &m;
        } else if (!want.empty() && m.text != m.bare && WithoutCheck(m.bare) == want) {
            promotions += (promotions.empty() ? "" : ", ") + m.text;
        }
    }
    if (found && same_text.empty()) {
        *move = found->move;
        return true;
    }
    std::string san_error;
    if (!found && state.dmode == 2 && !is_token) {
        if (SanMove(b, s, move, &san_error)) return true;
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

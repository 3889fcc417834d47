#include <vector>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {
bool IsPromotion(char symbol) { return symbol == 'Q' || symbol == 'R' || symbol == 'B' || symbol == 'N'; }
}  // namespace

bool MoveFromToken(POS_T* b, const std::string& text, MOVE_T* move, std::string* error) {
    MOVE_TOKEN_T t;
    if (!ParseMoveToken(text, &t, error)) return false;
    if (t.board_move && state.dmode == 2) {
        *error = "attack-board move '" + text + "' in the 2D game";
        return false;
    }
    std::vector<MOVE_T> legal(LEGAL_LIST_SIZE);
    int n = LegalMoves(b, legal.data());
    const MOVE_T* plain = nullptr;
    const MOVE_T* promoting = nullptr;
    bool any_promotion = false;
    for (int i = 0; i < n; i++) {
        const MOVE_T& m = legal[i];
        bool same = t.board_move ? m.piece_moving == ab_of_index[t.board] && m.to == t.to
                                 : !IsAB(m.piece_moving) && m.from == t.from && m.to == t.to;
        if (!same) continue;
        if (IsPromotion(m.move_symbol)) {
            any_promotion = true;
            if (m.move_symbol == t.promotion && !promoting) promoting = &m;
        } else if (!plain) {
            plain = &m;
        }
    }
    const MOVE_T* found = t.promotion ? promoting : plain;
    if (!found) {
        if (t.promotion && plain && !any_promotion)
            *error = "move '" + text + "' is no promotion";
        else if (!t.promotion && any_promotion)
            *error = "promotion '" + text + "' needs the piece letter q, r, b or n";
        else
            *error = "illegal move '" + text + "'";
        return false;
    }
    *move = *found;
    return true;
}

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {
bool IsPromotion(char symbol) { return symbol == 'Q' || symbol == 'R' || symbol == 'B' || symbol == 'N'; }

// The text GetMoveCount stored for the move, or null when it listed none.
const char* StoredText(MOVE_T* m) {
    for (int i = 0; i < da_n; i++)
        if (da_moves[i].piece_moving == m->piece_moving && da_moves[i].from == m->from &&
            da_moves[i].to == m->to)
            return ShortDisambiguateMovestr(m);
    return nullptr;
}
}  // namespace

std::vector<MOVE_TEXT_T> LegalMoveTexts(POS_T* b) {
    std::vector<MOVE_T> legal(LEGAL_LIST_SIZE);
    int n = LegalMoves(b, legal.data());
    // The texts come from the move list; it is built after LegalMoves, which
    // may build lists of its own.
    std::vector<MOVE_T> list(MOVE_LIST_SIZE);
    GetMoveCount(b, list.data());

    std::vector<MOVE_TEXT_T> out;
    out.reserve(n);
    for (int i = 0; i < n; i++) {
        MOVE_T* m = &legal[i];
        const char* stored = StoredText(m);
        std::string bare = stored && stored[0] ? stored : "?";
        std::string text = bare;
        // The list holds one text for all four promotions of a move.
        char sym = m->move_symbol;
        if (IsPromotion(sym) && text.back() != sym) text += sym;
        out.push_back({*m, MoveToken(*m), text, bare});
    }
    return out;
}

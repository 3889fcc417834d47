// The promotion a player's move waits on: which piece the pawn becomes.
#include <algorithm>
#include <cctype>
#include <iterator>

#include "viewlogic.h"
#include "tamzor.h"
#include "movegen/movegen.h"

const char promotion_letters[5] = "QRBN";

bool IsPromotionMove(POS_T* b, const MOVE_T* move) {
    // The generator lists a promoting move once more for each piece; with a
    // piece named, making it asks nobody.
    static thread_local MOVE_T list[MOVE_LIST_SIZE];
    const int n = GetMoveList(b, list);
    bool listed = false;
    for (int i = 0; i < n && !listed; i++)
        listed = list[i].move_symbol == 'Q' && list[i].from == move->from && list[i].to == move->to &&
                 list[i].piece_moving == move->piece_moving;
    if (!listed) return false;
    MOVE_T queen = *move;
    queen.move_symbol = 'Q';
    return LegalMove(b, &queen, "promotion") == 1;
}

void OpenPromotionChoice(const POS_T* b, const MOVE_T* move) {
    promotion_choice.open = true;
    promotion_choice.move = *move;
    promotion_choice.side = NextToPlay(b);
    promotion_choice.dmode = state.dmode;
    promotion_choice.move_num = b->move_num;
    std::copy(std::begin(b->board), std::end(b->board), promotion_choice.board);
    std::copy(std::begin(b->whereis_board), std::end(b->whereis_board), promotion_choice.whereis_board);
    promotion_choice.castling = b->flags & 0xF;
    promotion_choice.enpassant = b->enpassant;
}

bool PromotionChoiceValid(const POS_T* b) {
    PROMOTION_CHOICE_T& c = promotion_choice;
    if (!c.open) return false;
    const bool same = c.dmode == state.dmode && c.move_num == b->move_num && b->winner == 0 &&
                      std::equal(std::begin(c.board), std::end(c.board), b->board) &&
                      std::equal(std::begin(c.whereis_board), std::end(c.whereis_board), b->whereis_board) &&
                      c.castling == (b->flags & 0xF) && c.enpassant == b->enpassant;
    if (!same) c.open = false;
    return c.open;
}

bool TakePromotionChoice(const POS_T* b, char letter, MOVE_T* out) {
    const char l = (char)toupper((unsigned char)letter);
    if (!PromotionChoiceValid(b)) return false;
    if (l != 'Q' && l != 'R' && l != 'B' && l != 'N') return false;
    *out = promotion_choice.move;
    out->move_symbol = l;
    promotion_choice.open = false;
    return true;
}

void CancelPromotionChoice() { promotion_choice.open = false; }

#include <cstdio>
#include <cstdlib>

#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"

namespace {
// "d1W white knight", "d3N", "board QL white", "pin QL3".
void Describe(POS_T* b, const PICK_HIT_T& h, char* out, size_t size) {
    static const char* const kinds[7] = {"", "pawn", "knight", "bishop", "rook", "queen", "king"};
    if (h.kind == PICK_HIT_T::POST) {
        snprintf(out, size, "board %s", AttackBoardName((int)h.target) ? AttackBoardName((int)h.target) : "?");
        return;
    }
    if (h.kind == PICK_HIT_T::PIN) {
        const char* pin = PinIndex((int)h.target) >= 0 ? GetABString(b, (int)h.target) : nullptr;
        snprintf(out, size, "pin %s", pin ? pin : "?");
        return;
    }
    char name[24];
    CellName(b, h.target, name, sizeof name);
    const int piece = h.target < 64 ? b->board[h.target] : 0;
    if (piece >= -6 && piece <= 6 && piece != 0)
        snprintf(out, size, "%s %s %s", name, piece > 0 ? "white" : "black", kinds[abs(piece)]);
    else
        snprintf(out, size, "%s", name);
}
}  // namespace

bool StepUnder(POS_T* b, const std::vector<PICK_HIT_T>& stack, int x, int y, STEPPED_T* step, char* text,
               size_t size) {
    if (stack.empty()) {
        *step = STEPPED_T{};
        snprintf(text, size, "Tab: nothing under the pointer");
        return false;
    }
    size_t next = 0;
    if (step->target != NO_SQUARE && step->x == x && step->y == y)
        for (size_t i = 0; i < stack.size(); i++)
            if (stack[i].kind == step->kind && stack[i].target == step->target) next = (i + 1) % stack.size();
    step->target = stack[next].target;
    step->kind = stack[next].kind;
    step->x = x;
    step->y = y;
    char what[48];
    Describe(b, stack[next], what, sizeof what);
    snprintf(text, size, "%s (%zu of %zu): Enter takes it", what, next + 1, stack.size());
    return true;
}

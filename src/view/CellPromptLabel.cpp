#include "viewlogic.h"
#include "tamzor.h"

const char* CellPromptLabel() {
    const SQ_T sel = state.selected;
    if (sel == NO_SQUARE) return state.dmode == 2 ? "Move or cell (e.g. Nf3, e2): " : "Move or cell (e.g. a4N, d1W): ";
    if (sel < 64) return "Move it to: ";
    return "Move the board to pin: ";
}

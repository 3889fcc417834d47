#include "viewlogic.h"

const char* CellPromptLabel() {
    const SQ_T sel = state.selected;
    if (sel == NO_SQUARE) return state.dmode == 2 ? "Cell to choose (e.g. e2): " : "Cell to choose (e.g. d1W): ";
    if (sel < 64) return "Move it to: ";
    return "Move the board to pin: ";
}

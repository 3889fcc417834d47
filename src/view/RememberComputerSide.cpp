#include "viewlogic.h"
#include "tamzor.h"

// The core switches the computer off at a game's end and on undo; the side
// it played is kept here so that undo can give it back.
void RememberComputerSide() {
    const int t = LoadShared(state.tamzor);
    if (!state.demo_mode && (t == TAMZOR_WHITE || t == TAMZOR_BLACK)) computer_side = t;
}

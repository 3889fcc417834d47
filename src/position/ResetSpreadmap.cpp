#include "tamzor.h"
#include "position/position.h"

void ResetSpreadmap() {
    for (int i = 0; i < 64; i++) state.spreadmap[i] = (char)NO_SQUARE;
}

#include "tamzor.h"
#include "board/board.h"

void GetCoords(POS_T* b, int x, int y, P3D_T* out) {
    if (state.dmode == 2) {
        *out = {(float)(x - 4), (float)(y - 4), 0.0f};
        return;
    }
    if (x >= 4 && y <= 3) {
        *out = {(float)(x - 6), (float)(y - 4), -2.0f};
    } else if (x >= 4) {
        *out = {(float)(x - 6), (float)(y - 4), 2.0f};
    } else if (y >= 2 && y <= 5) {
        *out = {(float)(x - 2), (float)(y - 4), 0.0f};
    } else {
        int slot = (x >= 2 ? 2 : 0) + (y >= 6 ? 1 : 0);
        GetAttackBoardCoords(b, x, y, slot, out);
    }
}

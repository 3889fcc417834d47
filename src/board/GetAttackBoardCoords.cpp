#include "tamzor.h"
#include "board/board.h"

void GetAttackBoardCoords(POS_T* b, int x, int y, int which_ab, P3D_T* out) {
    // Per pin: X offset, Y offset and height of the board's lower-left cell.
    static const int place[12][3] = {
        {-3, -5, -1}, {-3, -1, -1}, {-3, -3, 1}, {-3, 1, 1}, {-3, -1, 3}, {-3, 3, 3},
        {1, -5, -1},  {1, -1, -1},  {1, -3, 1},  {1, 1, 1},  {1, -1, 3},  {1, 3, 3}};
    static const int origin[4][2] = {{0, 0}, {0, 6}, {2, 0}, {2, 6}};
    int pin = (which_ab >= 0 && which_ab < 4) ? PinIndex(b->whereis_board[which_ab]) : -1;
    if (pin < 0) Panic(true, "Bad which_ab @ GetAttackBoardCoords");
    int rx = x - origin[which_ab][0], ry = y - origin[which_ab][1];
    *out = {(float)(rx + place[pin][0]), (float)(ry + place[pin][1]), (float)place[pin][2]};
}

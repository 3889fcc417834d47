#include "tamzor.h"
#include "board/board.h"

bool IsSameCell(POS_T* b, SQ_T a, SQ_T c) {
    P3D_T pa, pc;
    GetCoords(b, (int)XPOS(a), (int)YPOS(a), &pa);
    GetCoords(b, (int)XPOS(c), (int)YPOS(c), &pc);
    return pa.x == pc.x && pa.y == pc.y;
}

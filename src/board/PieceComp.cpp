#include <cstdlib>

#include "tamzor.h"
#include "board/board.h"

int PieceComp(const void* pp1, const void* pp2) {
    const PS_T* a = static_cast<const PS_T*>(pp1);
    const PS_T* b = static_cast<const PS_T*>(pp2);
    int r = abs(b->p) - abs(a->p);
    if (r == 0) r = (int)b->pos - (int)a->pos;
    return r;
}

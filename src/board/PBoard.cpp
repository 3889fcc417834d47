#include "tamzor.h"
#include "board/board.h"

void SetPBoard(POS_T* b, SQ_T sq, PS_T* slot) {
    b->pboard[sq] = slot ? (signed char)SlotOf(b, slot) : (signed char)-1;
}

PS_T* GetPBoard(POS_T* b, SQ_T sq) {
    if (sq >= 64) return nullptr;
    int k = b->pboard[sq];
    return (k < 0 || k > 31) ? nullptr : &b->pieces[k];
}

#include "tamzor.h"
#include "board/board.h"

void ShiftUp(PS_T* slots, int k, int* count) {
    for (int i = *count; i > k; i--) slots[i] = slots[i - 1];
    slots[k].p = 0;
    slots[k].pos = 0;
    (*count)++;
}

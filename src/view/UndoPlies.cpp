#include "viewlogic.h"
#include "tamzor.h"

int UndoPlies(int move_num, int first, int n, int computer) {
    if (n <= 0 || (computer != TAMZOR_WHITE && computer != TAMZOR_BLACK)) return n;
    int target = move_num - n;
    if (target < first) target = first;
    // Ply t has White to move when t is even.
    const int to_move = target % 2 == 0 ? TAMZOR_WHITE : TAMZOR_BLACK;
    return to_move == computer && target > first ? n + 1 : n;
}

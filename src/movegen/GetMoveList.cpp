#include "tamzor.h"
#include "movegen/movegen.h"

int GetMoveList(POS_T* b, MOVE_T* list) {
    int n = (b->flags & FLAG_IN_CHECK) ? GenerateCheckAvoidance(b, list) : GenerateMoves(b, list);
    // Remove exact duplicates (a double step reached through two first cells).
    for (int i = 0; i < n; i++) {
        for (int j = i + 1; j < n;) {
            if (IdenticalMove(list[i], list[j])) {
                list[j] = list[--n];
            } else {
                j++;
            }
        }
    }
    return n;
}

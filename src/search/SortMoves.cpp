// A stable merge sort by value, best first: equal scores keep the order in
// which the moves were generated.
#include <cstring>

#include "tamzor.h"
#include "search/search.h"

void SimpleMerge(MOVE_T* m1, MOVE_T* m2, MOVE_T* d, int n1, int n2) {
    int i = 0, j = 0;
    while (i < n1 && j < n2) *d++ = (m2[j].v > m1[i].v) ? m2[j++] : m1[i++];
    while (i < n1) *d++ = m1[i++];
    while (j < n2) *d++ = m2[j++];
}

void SortMoves(MOVE_T* m, int n) {
    static thread_local MOVE_T buffer[MOVE_LIST_SIZE];
    if (n > MOVE_LIST_SIZE) n = MOVE_LIST_SIZE;
    MOVE_T *src = m, *dst = buffer;
    for (int w = 1; w < n; w *= 2) {
        int i = 0;
        for (; i <= n - 2 * w; i += 2 * w) SimpleMerge(src + i, src + i + w, dst + i, w, w);
        if (i < n) {
            int first = imin(w, n - i);
            int second = i + w < n ? n - i - w : 0;
            SimpleMerge(src + i, src + i + first, dst + i, first, second);
        }
        MOVE_T* t = src;
        src = dst;
        dst = t;
    }
    if (src != m) memcpy(m, src, sizeof(MOVE_T) * n);
}

#include "tamzor.h"
#include "board/board.h"

bool SameLine(SQ_T a, SQ_T b, SQ_T c) {
    if (a >= 64 || b >= 64 || c >= 64) return false;
    return sliding_map[a][b] != 0 && sliding_map[a][b] == sliding_map[b][c];
}

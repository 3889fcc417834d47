#include <cstdlib>
#include <cstring>

#include <initializer_list>

#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"

void UpdateMaps2D() {
    auto set = [](int piece, int from, int to) { capture_map[piece + 6][from][to] = 1; };
    for (int s = 0; s < 64; s++) {
        int x = s >> 3, y = s & 7;
        if (y == 0 || y == 7) continue;
        if (x > 0) set(W_PAWN, s, s - 7);
        if (x < 7) set(W_PAWN, s, s + 9);
        if (x > 0) set(B_PAWN, s, s - 9);
        if (x < 7) set(B_PAWN, s, s + 7);
    }
    memset(sliding_map, 0, sizeof(LINE_MAP_T));
    for (int i = 0; i < 64; i++) {
        for (int j = 0; j < 64; j++) {
            if (i == j) continue;
            int xi = i >> 3, yi = i & 7, xj = j >> 3, yj = j & 7;
            int dx = abs(xi - xj), dy = abs(yi - yj);
            if ((dx == 1 && dy == 2) || (dx == 2 && dy == 1)) {
                set(W_KNIGHT, i, j);
                set(B_KNIGHT, i, j);
            }
            if (dx == dy) {
                for (int p : {W_BISHOP, B_BISHOP, W_QUEEN, B_QUEEN}) set(p, i, j);
            }
            if (dx == 0 || dy == 0) {
                for (int p : {W_ROOK, B_ROOK, W_QUEEN, B_QUEEN}) set(p, i, j);
            }
            if (dx < 2 && dy < 2) {
                set(W_KING, i, j);
                set(B_KING, i, j);
            }
            int dir = 0;
            if (dx == 0)
                dir = NORTH;
            else if (dy == 0)
                dir = EAST;
            else if (dx == dy)
                dir = ((xj - xi) * (yj - yi) > 0) ? NORTH_EAST : SOUTH_EAST;
            if (dir) {
                // direction from i to j: positive when j lies ahead (higher index)
                sliding_map[i][j] = (signed char)(j > i ? dir : -dir);
            }
        }
    }
    InitEvalTables();
}

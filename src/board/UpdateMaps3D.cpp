#include <cstring>

#include <initializer_list>

#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"

namespace {
// Every cell reachable from `from` by repeated steps in `dir`, as UMJump
// searches them: jumps allowed in the first two steps, plain steps after,
// at most ten steps. One expansion per (cell, direction) instead of one
// search per cell pair.
uint64_t Reach(POS_T* b, SQ_T from, int dir) {
    uint64_t reach = 0, frontier = 1ull << from;
    for (int level = 1; level <= 10 && frontier; level++) {
        uint64_t next = 0;
        for (uint64_t f = frontier; f; f &= f - 1) {
            SQ_T sq = (SQ_T)__builtin_ctzll(f);
            SQ_T t[7];
            BTO_T rec{0, t};
            int n = level <= 2 ? UMDirTo(b, sq, dir, &rec) : DirTo(b, sq, dir, &rec);
            for (int i = 0; i < n; i++) next |= 1ull << t[i];
        }
        reach |= next;
        frontier = next;
    }
    return reach;
}
}  // namespace

void UpdateMaps3D(POS_T* b) {
    SQ_T t[4];
    BTO_T rec{0, t};
    auto mark = [&](SQ_T from, int dir, std::initializer_list<int> pieces) {
        int n = DirTo(b, from, dir, &rec);
        for (int i = 0; i < n; i++)
            for (int p : pieces) capture_map[p + 6][from][t[i]] = 1;
    };
    for (SQ_T from = 0; from < 64; from++) {
        for (int d : {NORTH_WEST, NORTH_EAST}) mark(from, d, {W_PAWN, W_KING, B_KING});
        for (int d : {SOUTH_WEST, SOUTH_EAST}) mark(from, d, {B_PAWN, W_KING, B_KING});
        for (int d : {NORTH, EAST, SOUTH, WEST}) mark(from, d, {W_KING, B_KING});
        for (int d : {N_N_E, E_N_E, E_S_E, S_S_E, S_S_W, W_S_W, W_N_W, N_N_W})
            mark(from, d, {W_KNIGHT, B_KNIGHT});
    }

    static const int line_dirs[4] = {EAST, NORTH, NORTH_EAST, SOUTH_EAST};
    uint64_t reach[64][4];
    for (SQ_T i = 0; i < 64; i++)
        for (int k = 0; k < 4; k++) reach[i][k] = Reach(b, i, line_dirs[k]);

    memset(sliding_map, 0, sizeof(LINE_MAP_T));
    for (int i = 0; i < 64; i++) {
        for (int j = 0; j < 64; j++) {
            if (i == j) continue;
            for (int k = 0; k < 4; k++) {
                if (!(reach[i][k] >> j & 1)) continue;
                int d = line_dirs[k];
                sliding_map[i][j] = (signed char)d;
                sliding_map[j][i] = (signed char)-d;
                const int rook_like[4] = {W_ROOK, B_ROOK, W_QUEEN, B_QUEEN};
                const int bishop_like[4] = {W_BISHOP, B_BISHOP, W_QUEEN, B_QUEEN};
                for (int p : (k < 2 ? rook_like : bishop_like)) capture_map[p + 6][i][j] = 1;
            }
        }
    }
    InitEvalTables();
}

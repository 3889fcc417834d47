// Speed of the board-model primitives the move generator leans on.
#include <benchmark/benchmark.h>

#include "tamzor.h"
#include "board/board.h"
#include "shell/shell.h"

namespace {

POS_T Placed(int a, int b, int c, int d) {
    POS_T p{};
    p.whereis_board[0] = a;
    p.whereis_board[1] = b;
    p.whereis_board[2] = c;
    p.whereis_board[3] = d;
    return p;
}

void BM_DirTo3D(benchmark::State& st) {
    state.dmode = 3;
    POS_T p = Placed(ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6);
    SQ_T t[4];
    BTO_T rec{0, t};
    SQ_T sq = 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(DirTo(&p, sq, NORTH_EAST, &rec));
        sq = (sq + 7) & 63;
    }
}
BENCHMARK(BM_DirTo3D);

// Two placements in turn, as a search does around an attack-board move.
void BM_DirTo3DAlternating(benchmark::State& st) {
    state.dmode = 3;
    POS_T p = Placed(ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6);
    POS_T q = Placed(ABW_QL3, ABW_QL6, ABW_KL1, ABW_KL6);
    SQ_T t[4];
    BTO_T rec{0, t};
    bool flip = false;
    for (auto _ : st) {
        benchmark::DoNotOptimize(DirTo(flip ? &p : &q, E2, NORTH, &rec));
        flip = !flip;
    }
}
BENCHMARK(BM_DirTo3DAlternating);

void BM_BuildConfig(benchmark::State& st) {
    state.dmode = 3;
    POS_T p = Placed(ABW_QL2, ABW_QL5, ABW_KL3, ABW_KL4);
    for (auto _ : st) {
        BoardConfigCacheClear();
        FindBoardConfig(&p);
    }
}
BENCHMARK(BM_BuildConfig);

void BM_UpdateMaps3D(benchmark::State& st) {
    state.dmode = 3;
    POS_T p = Placed(ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6);
    FindBoardConfig(&p);
    for (auto _ : st) UpdateMaps3D(&p);
}
BENCHMARK(BM_UpdateMaps3D)->Unit(benchmark::kMicrosecond);

void BM_ResetBoard3D(benchmark::State& st) {
    for (auto _ : st) NewGameState(3);
}
BENCHMARK(BM_ResetBoard3D)->Unit(benchmark::kMicrosecond);

}  // namespace


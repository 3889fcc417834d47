// Move generation and making, measured as perft from the start positions.
#include <benchmark/benchmark.h>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "shell/shell.h"

namespace {

void PerftFromStart(benchmark::State& st, int dmode, int depth) {
    state.maxdepth = DIFF_HARD;
    NewGameState(dmode);
    state.rules = RULES_TDCL;
    uint64_t leaves = 0;
    for (auto _ : st) leaves = Perft(&state.position, depth);
    st.counters["leaves"] = (double)leaves;
    st.counters["leaves/s"] = benchmark::Counter((double)leaves, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Perft2D(benchmark::State& st) { PerftFromStart(st, 2, (int)st.range(0)); }
BENCHMARK(BM_Perft2D)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_Perft3D(benchmark::State& st) { PerftFromStart(st, 3, (int)st.range(0)); }
BENCHMARK(BM_Perft3D)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_GenerateMoves3DStart(benchmark::State& st) {
    NewGameState(3);
    MOVE_T list[MOVE_LIST_SIZE];
    for (auto _ : st) benchmark::DoNotOptimize(GetMoveList(&state.position, list));
}
BENCHMARK(BM_GenerateMoves3DStart);

void BM_RegenToPieces3DStart(benchmark::State& st) {
    NewGameState(3);
    POS_T p = state.position;
    for (auto _ : st) benchmark::DoNotOptimize(RegenToPieces(&p));
}
BENCHMARK(BM_RegenToPieces3DStart);

}  // namespace

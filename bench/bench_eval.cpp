// Evaluation speed: a full evaluation from scratch, an incremental one
// against the evaluated parent, and the lazy cut-off, over positions of
// seeded random games in both games.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "shell/shell.h"

namespace {

struct PAIR_T {
    POS_T parent;   // evaluated
    POS_T child;    // made from it, not yet evaluated
};

// Positions along seeded random games; each child keeps its parent in the
// same record, so the pairs can be copied around together.
std::vector<PAIR_T>& Pairs(int dmode) {
    static std::vector<PAIR_T> pairs[4];
    std::vector<PAIR_T>& out = pairs[dmode];
    if (!out.empty()) return out;
    state.maxdepth = DIFF_HARD;
    std::mt19937 rng(1234);
    std::vector<MOVE_T> list(4 * MOVE_LIST_SIZE);
    for (int game = 0; game < 8; game++) {
        NewGameState(dmode);
        state.rules = RULES_TDCL;
        POS_T cur = state.position;
        for (int ply = 0; ply < 60; ply++) {
            int n = LegalMoves(&cur, list.data());
            if (n == 0) break;
            MOVE_T m = list[rng() % n];
            PAIR_T p;
            p.parent = cur;
            p.parent.oldb = nullptr;
            RegenToPieces(&p.parent);
            if (!DoMove(&p.child, &p.parent, &m)) break;
            if (ply >= 6) out.push_back(p);
            cur = p.child;
            cur.oldb = nullptr;
        }
    }
    return out;
}

void Full(benchmark::State& st, int dmode) {
    NewGameState(dmode);
    std::vector<PAIR_T> pairs = Pairs(dmode);
    size_t i = 0;
    for (auto _ : st) {
        POS_T* b = &pairs[i++ % pairs.size()].parent;
        b->flags &= ~(uint64_t)(FLAG_EVALUATED | FLAG_TACTICS_DONE);
        benchmark::DoNotOptimize(Evaluate(b, INF_VALUE, 2));
    }
    st.counters["evals/s"] = benchmark::Counter((double)st.iterations(), benchmark::Counter::kIsRate);
}

// The child copied afresh each time (a 3 KB copy, part of the figure).
void Incremental(benchmark::State& st, int dmode, int alpha, int mode) {
    NewGameState(dmode);
    std::vector<PAIR_T> pairs = Pairs(dmode);
    POS_T child;
    size_t i = 0;
    for (auto _ : st) {
        PAIR_T& p = pairs[i++ % pairs.size()];
        child = p.child;
        child.oldb = &p.parent;
        benchmark::DoNotOptimize(Evaluate(&child, alpha, mode));
    }
    st.counters["evals/s"] = benchmark::Counter((double)st.iterations(), benchmark::Counter::kIsRate);
}

void BM_EvalFull2D(benchmark::State& st) { Full(st, 2); }
BENCHMARK(BM_EvalFull2D);
void BM_EvalFull3D(benchmark::State& st) { Full(st, 3); }
BENCHMARK(BM_EvalFull3D);

void BM_EvalIncremental2D(benchmark::State& st) { Incremental(st, 2, 0, 1); }
BENCHMARK(BM_EvalIncremental2D);
// far above alpha: the lazy cut-off skips the control layer
void BM_EvalLazy2D(benchmark::State& st) { Incremental(st, 2, -300000, 0); }
BENCHMARK(BM_EvalLazy2D);

// Copying the child alone, the part of the incremental figure that is no
// evaluation.
void BM_CopyPosition(benchmark::State& st) {
    std::vector<PAIR_T> pairs = Pairs(2);
    POS_T child;
    size_t i = 0;
    for (auto _ : st) {
        child = pairs[i++ % pairs.size()].child;
        benchmark::DoNotOptimize(child);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyPosition);

// A 3D move: making it regenerates the reach map and evaluates in full.
void BM_MakeMove3D(benchmark::State& st) {
    NewGameState(3);
    std::vector<PAIR_T> pairs = Pairs(3);
    POS_T child;
    size_t i = 0;
    for (auto _ : st) {
        PAIR_T& p = pairs[i++ % pairs.size()];
        MOVE_T m = p.child.last_move;
        benchmark::DoNotOptimize(DoMove(&child, &p.parent, &m));
    }
    st.counters["moves/s"] = benchmark::Counter((double)st.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MakeMove3D);

}  // namespace

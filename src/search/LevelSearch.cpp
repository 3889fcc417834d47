// A move at a limited level: every legal root move is scored by a short
// search of its own, noise is added, and the best-looking move is played.
// Now and then a move is chosen carelessly: the root moves are then judged
// by the position they leave, no reply looked at, so that a piece left
// hanging, a defended piece taken or a threat already there goes unseen.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <vector>

#include "levels.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
std::atomic<uint64_t> rng_state{0};
std::atomic<bool> seeded{false};  // play seeds from the clock unless a seed was given

// splitmix64: the same numbers from the same seed on every machine.
uint64_t NextRandom() {
    uint64_t z = rng_state.fetch_add(0x9E3779B97F4A7C15ull, std::memory_order_relaxed) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Uniform() { return (double)(NextRandom() >> 11) * (1.0 / 9007199254740992.0); }

double Gaussian() {
    const double u = 1.0 - Uniform();  // in (0, 1]
    return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * Uniform());
}

// The move's value with no reply looked at: the static evaluation of the
// position it leaves, for the side that moved.
bool OverlookedValue(POS_T* b, const MOVE_T& m, ETYPE_T* v) {
    static thread_local POS_T child;
    MOVE_T made = m;
    if (!DoMove(&child, b, &made)) return false;
    child.oldb = nullptr;
    *v = -Evaluate(&child, INF_VALUE, 2);
    return true;
}

// The time is up or a stop came: the moves not yet searched are judged
// without one rather than by a search cut short.
bool OutOfTime() {
    return LoadShared(state.stop_search) || (timers.deadline_ms.load(std::memory_order_relaxed) && timers.DeadlinePassed()) ||
           timers.TimerExpired();
}

// The value of the deepest iteration completed: one cut short by the node
// budget reports a bound, not a value.
thread_local ETYPE_T completed_value;
thread_local int completed_depth;
void Completed(POS_T*, MOVE_T*, ETYPE_T v, int depth) {
    if (depth <= completed_depth) return;
    completed_depth = depth;
    completed_value = v;
}

// The move's value from a search of it alone.
ETYPE_T SearchedValue(POS_T* b, const MOVE_T& m, const LEVEL_KNOBS_T& k) {
    static thread_local POS_T root;
    root = *b;
    root.moves = nullptr;
    root.num_moves = 0;
    const std::vector<std::string> only{MoveToken(m)};
    search_only_moves = &only;
    search_last_iteration = k.depth;
    search_node_limit = k.nodes;
    search_no_soft_limit = true;
    MOVE_T found;
    ZeroMove(&found);
    completed_depth = 0;
    search_progress = Completed;
    const ETYPE_T v = Search(&root, &found);
    search_progress = nullptr;
    search_only_moves = nullptr;
    return completed_depth ? completed_value : v;
}
}  // namespace

void LevelSeed(uint64_t seed) {
    rng_state.store(seed, std::memory_order_relaxed);
    seeded = true;
}

void LevelSeedFromClock() {
    LevelSeed((uint64_t)std::chrono::steady_clock::now().time_since_epoch().count() ^
              (uint64_t)std::chrono::system_clock::now().time_since_epoch().count());
}

ETYPE_T LevelSearch(POS_T* b, MOVE_T* move, int rating) {
    static thread_local MOVE_T legal[LEGAL_LIST_SIZE];
    // the levels were measured on one thread
    struct ALONE_T {
        bool was = search_single_thread;
        ALONE_T() { search_single_thread = true; }
        ~ALONE_T() { search_single_thread = was; }
    } alone;
    const LEVEL_KNOBS_T k = LevelKnobs(rating);
    const std::vector<std::string>* asked = search_only_moves;
    const int saved_last = search_last_iteration;
    const uint64_t saved_nodes = search_node_limit;
    const bool saved_soft = search_no_soft_limit;
    const SEARCH_PROGRESS_FN progress = search_progress;
    search_progress = nullptr;  // the root moves' own searches are not the move's
    if (!seeded.exchange(true)) LevelSeedFromClock();
    // A fresh table each move: the same seed then plays the same moves.
    hash_c.HashReset();
    if (k.whole) {
        search_last_iteration = k.depth;
        search_node_limit = k.nodes;
        search_no_soft_limit = true;
        search_progress = progress;
        const ETYPE_T v = Search(b, move);
        search_last_iteration = saved_last;
        search_node_limit = saved_nodes;
        search_no_soft_limit = saved_soft;
        return v;
    }

    const int n = LegalMoves(b, legal);
    const bool careless = Uniform() < k.lapse;
    ZeroMove(move);
    ETYPE_T best_value = 0;
    double best_seen = -1e300;
    uint64_t total = 0;
    for (int i = 0; i < n; i++) {
        const MOVE_T& m = legal[i];
        if (asked) {
            const std::string token = MoveToken(m);
            bool listed = false;
            for (const std::string& t : *asked) listed = listed || t == token;
            if (!listed) continue;
        }
        const bool overlooked = careless || OutOfTime();
        const double noise = Gaussian() * k.noise * 10000.0;
        ETYPE_T v;
        if (!overlooked || !OverlookedValue(b, m, &v)) {
            v = SearchedValue(b, m, k);
            total += (uint64_t)nodes + (uint64_t)quiesce_nodes;
        }
        const double seen = (double)v + noise;
        if (IsZeroMove(move) || seen > best_seen) {
            best_seen = seen;
            best_value = v;
            *move = m;
        }
    }
    search_only_moves = asked;
    search_last_iteration = saved_last;
    search_node_limit = saved_nodes;
    search_no_soft_limit = saved_soft;
    search_progress = progress;
    if (IsZeroMove(move)) return Search(b, move);  // no legal move: as the full search answers
    // what the move's search reports (UCI info, the terminal tool)
    nodes = (int)std::min<uint64_t>(total, 0x7fffffff);
    quiesce_nodes = 0;
    search_edepth = search_done_depth = k.depth;
    if (progress) progress(b, move, best_value, k.depth);
    return best_value;
}

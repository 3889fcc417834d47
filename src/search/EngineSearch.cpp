#include <cmath>
#include <cstring>

#include "levels.h"
#include "tamzor.h"

ETYPE_T EngineSearch(POS_T* b, MOVE_T* move, const SEARCH_LIMITS_T& limits, SEARCH_RESULT_T* result) {
    static thread_local POS_T copy;
    static thread_local uint64_t hashes[GAME_RECORD_SIZE];
    const int saved_maxdepth = LoadShared(state.maxdepth);
    const uint64_t saved_limit = timers.timer_limit.load();
    if (limits.maxdepth > 0) StoreShared(state.maxdepth, imin(limits.maxdepth, DIFF_HARD));
    const bool stretch = limits.seconds > 0 && limits.stretch_seconds > limits.seconds;
    if (limits.seconds > 0) {
        timers.timer_limit = (uint64_t)std::ceil(stretch ? limits.stretch_seconds : limits.seconds);
        timers.SetDeadlineIn((uint64_t)(limits.seconds * 1000.0));
    }
    soft_deadline_ms = limits.soft_seconds > 0 ? TickCount() + (uint64_t)(limits.soft_seconds * 1000.0) : 0;
    stretch_deadline_ms = stretch ? TickCount() + (uint64_t)(limits.stretch_seconds * 1000.0) : 0;

    // as the engine thread does: the computer plays the side to move
    if (IsWhitesMove(b))
        b->flags |= FLAG_TAMZOR_WHITE;
    else
        b->flags &= ~(uint64_t)FLAG_TAMZOR_WHITE;
    StoreShared(state.tamzor, NextToPlay(b));
    StoreShared(state.stop_search, 0);
    RegenToPieces(b);
    Evaluate(b, INF_VALUE, SearchPlyLimit());
    EstimateGameStage(b, 1);
    copy = *b;
    copy.oldb = nullptr;
    copy.moves = nullptr;
    copy.num_moves = 0;
    memcpy(hashes, state.hash_list, sizeof hashes);
    uint64_t* saved_list = active_hash_list;
    active_hash_list = hashes;

    search_last_iteration = limits.last_iteration;
    search_no_soft_limit = limits.no_soft_limit;
    search_node_limit = limits.max_nodes;
    search_mate_moves = limits.mate_moves;
    search_only_moves = limits.only_moves.empty() ? nullptr : &limits.only_moves;
    const uint64_t start = TickCount();
    search_side = NextToPlay(&copy);
    timers.TimerStart();
    ZeroMove(move);
    // a limited level in the field (no ply limit given) plays as that level
    const int rating = LevelRating(LoadShared(state.maxdepth));
    ETYPE_T v = rating ? LevelSearch(&copy, move, rating) : Search(&copy, move);
    timers.timer_state = TIMER_IDLE;
    search_side = 0;
    active_hash_list = saved_list;
    if (result) {
        result->value = v;
        result->depth = search_edepth;
        result->nodes = (uint64_t)nodes + (uint64_t)quiesce_nodes;
        result->elapsed_ms = TickCount() - start;
    }
    search_last_iteration = 0;
    search_no_soft_limit = false;
    search_node_limit = 0;
    search_mate_moves = 0;
    search_only_moves = nullptr;
    timers.deadline_ms = 0;
    soft_deadline_ms = 0;
    stretch_deadline_ms = 0;
    timers.timer_limit = saved_limit;
    StoreShared(state.maxdepth, saved_maxdepth);
    return v;
}

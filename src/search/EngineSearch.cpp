#include <cmath>
#include <cstring>

#include "book.h"
#include "levels.h"
#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

ETYPE_T EngineSearch(POS_T* b, MOVE_T* move, const SEARCH_LIMITS_T& limits, SEARCH_RESULT_T* result) {
    static thread_local POS_T copy;
    static thread_local uint64_t hashes[GAME_RECORD_SIZE];
    if (limits.book && limits.only_moves.empty() && !limits.mate_moves && !limits.cancel && BookProbe(b, move)) {
        if (result) {
            *result = SEARCH_RESULT_T();
            result->book = true;
        }
        return 0;
    }
    const uint64_t saved_limit = timers.search_limit.load();
    // an analysis searches at full strength whatever the game's level
    search_ply_limit = limits.maxdepth > 0 ? imin(limits.maxdepth, DIFF_HARD) : limits.cancel ? DIFF_HARD : 0;
    const bool stretch = limits.seconds > 0 && limits.stretch_seconds > limits.seconds;
    if (limits.seconds > 0) {
        timers.search_limit = (uint64_t)std::ceil(stretch ? limits.stretch_seconds : limits.seconds);
        timers.SetDeadlineIn((uint64_t)(limits.seconds * 1000.0));
    }
    soft_deadline_ms = limits.soft_seconds > 0 ? TickCount() + (uint64_t)(limits.soft_seconds * 1000.0) : 0;
    stretch_deadline_ms = stretch ? TickCount() + (uint64_t)(limits.stretch_seconds * 1000.0) : 0;

    // as the engine thread does: the computer plays the side to move
    if (IsWhitesMove(b))
        b->flags |= FLAG_TAMZOR_WHITE;
    else
        b->flags &= ~(uint64_t)FLAG_TAMZOR_WHITE;
    if (!limits.cancel) {
        StoreShared(state.tamzor, NextToPlay(b));
        StoreShared(state.stop_search, 0);
    }
    RegenToPieces(b);
    Evaluate(b, INF_VALUE, SearchPlyLimit());
    EstimateGameStage(b, 1);
    copy = *b;
    copy.oldb = nullptr;
    copy.moves = nullptr;
    copy.num_moves = 0;
    {
        // an analysis runs beside the live game, which may be moving on
        std::unique_lock<std::recursive_mutex> lock(GameMutex(), std::defer_lock);
        if (limits.cancel) lock.lock();
        memcpy(hashes, state.hash_list, sizeof hashes);
    }
    uint64_t* saved_list = active_hash_list;
    active_hash_list = hashes;

    search_last_iteration = limits.last_iteration;
    search_no_soft_limit = limits.no_soft_limit;
    search_node_limit = limits.max_nodes;
    search_mate_moves = limits.mate_moves;
    search_only_moves = limits.only_moves.empty() ? nullptr : &limits.only_moves;
    search_cancel = limits.cancel;
    const uint64_t start = TickCount();
    search_side = NextToPlay(&copy);
    timers.TimerStart();
    ZeroMove(move);
    // a limited level in the field (no ply limit given) plays as that level
    // (an analysis or a given ply limit searches at full strength)
    const int rating = search_ply_limit ? 0 : LevelRating(LoadShared(state.maxdepth));
    ETYPE_T v = rating ? LevelSearch(&copy, move, rating) : Search(&copy, move);
    timers.timer_state = TIMER_IDLE;
    search_side = 0;
    active_hash_list = saved_list;
    if (result) {
        result->value = v;
        result->depth = search_edepth;
        result->nodes = (uint64_t)nodes + (uint64_t)quiesce_nodes + search_helper_nodes;
        result->elapsed_ms = TickCount() - start;
    }
    search_last_iteration = 0;
    search_no_soft_limit = false;
    search_node_limit = 0;
    search_mate_moves = 0;
    search_only_moves = nullptr;
    search_cancel = nullptr;
    timers.deadline_ms = 0;
    soft_deadline_ms = 0;
    stretch_deadline_ms = 0;
    timers.search_limit = saved_limit;
    search_ply_limit = 0;
    return v;
}

#include "tamzor.h"
#include "search/search.h"
#include "shell/shell.h"

// Set while the engine is being disengaged: every search stops at once.
extern std::atomic<bool> engine_quit;

thread_local constinit int search_side;

int SearchExpired() {
    static thread_local uint64_t last_test;
    if (engine_quit.load(std::memory_order_relaxed)) return 1;
    // a helper ends with the search it helps, which watches the clock
    if (search_helper) return search_cancel->load(std::memory_order_relaxed);
    if (const std::atomic<bool>* cancel = search_cancel) {
        // an analysis answers to its own flag only
        if (cancel->load(std::memory_order_relaxed)) return 1;
    } else {
        const int tamzor = LoadShared(state.tamzor);
        if (LoadShared(state.stop_search) || tamzor == TAMZOR_OFF) return 1;
        // the computer no longer plays the side it is thinking for
        if (search_side && tamzor != search_side && tamzor != TAMZOR_BOTH) return 1;
    }
    const uint64_t searched = (uint64_t)nodes + (uint64_t)quiesce_nodes;
    if (search_node_limit && searched >= search_node_limit) return 1;
    if (searched < last_test) last_test = searched;  // a new search began
    if (searched > last_test + 1000) {
        // A deadline in milliseconds (a chess clock) holds at every depth:
        // a move must come in time even when the first iterations cannot
        // finish. The whole-second limit spares depths 1 and 2.
        if (timers.deadline_ms.load(std::memory_order_relaxed) && timers.DeadlinePassed()) {
            timers.TimerExpired();
            return 1;
        }
        if (search_depth > 2 && timers.TimerExpired()) return 1;
        last_test = searched;
    }
    return 0;
}

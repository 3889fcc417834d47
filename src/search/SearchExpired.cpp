#include "tamzor.h"

// Set while the engine is being disengaged: every search stops at once.
extern std::atomic<bool> engine_quit;

thread_local constinit int search_side;

int SearchExpired() {
    static thread_local int last_test;
    const int tamzor = LoadShared(state.tamzor);
    if (LoadShared(state.stop_search) || tamzor == TAMZOR_OFF || engine_quit.load(std::memory_order_relaxed))
        return 1;
    // the computer no longer plays the side it is thinking for
    if (search_side && tamzor != search_side && tamzor != TAMZOR_BOTH) return 1;
    if (search_depth > 2) {
        if (nodes < last_test) last_test = nodes;  // a new search began
        if (nodes > last_test + 1000) {
            if (timers.TimerExpired()) return 1;
            last_test = nodes;
        }
    }
    return 0;
}

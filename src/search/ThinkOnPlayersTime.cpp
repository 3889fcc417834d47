// Thinking on the player's time: while the player is to move, the engine
// thread searches their position until the game moves on. The table it
// fills holds the answers to their likely moves, so the computer's own
// search after the move starts deeper.
#include "levels.h"
#include "tamzor.h"
#include "search/search.h"
#include "shell/shell.h"

extern std::atomic<bool> engine_quit;
extern std::atomic<bool> ponder_cancel;
unsigned EngineNudges();

void ThinkOnPlayersTime() {
    if (!ponder_on_players_time.load() || engine_quit.load() || EngineTasksPending()) return;
    // a position searched to the end (the deepest ply, a mate) is not searched again
    static uint64_t done_hash = 0;
    static int done_move = -1;
    const unsigned seen = EngineNudges();
    ponder_cancel = false;
    static POS_T copy;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        const int tamzor = LoadShared(state.tamzor);
        const POS_T* b = &state.position;
        if (tamzor != TAMZOR_WHITE && tamzor != TAMZOR_BLACK) return;
        if (state.demo_mode || b->winner || replay != -1 || NextToPlay(b) == tamzor) return;
        // the weaker levels play as measured, without the help
        if (LevelRating(LoadShared(state.maxdepth))) return;
        if (b->hash1 == done_hash && b->move_num == done_move) return;
        if (EngineNudges() != seen) return;  // the game moved on as this began
        copy = *b;
    }
    SEARCH_LIMITS_T limits;
    limits.seconds = 3600.0 * 24;
    limits.no_soft_limit = true;
    limits.cancel = &ponder_cancel;
    MOVE_T move;
    ZeroMove(&move);
    EngineSearch(&copy, &move, limits, nullptr);
    if (!ponder_cancel.load()) {
        done_hash = copy.hash1;
        done_move = copy.move_num;
    }
}

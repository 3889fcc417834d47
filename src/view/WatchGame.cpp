// Watches the game from the window's idle call: what was searched for one
// position (a hint, an analysis) goes when the position changes.
#include <cstdio>
#include <cstring>

#include "tamzor.h"
#include "search/search.h"
#include "shell/shell.h"
#include "search/thinking.h"
#include "viewlogic.h"

int thinking_on = 0;

namespace {
bool analysing = false;  // an analysis task was queued for the position on the board
std::atomic<unsigned> analysis_serial{0};

struct SEEN_T {
    uint64_t hash = 0;
    int move_num = -1, dmode = 0, winner = 0, replay = -1;
    bool operator==(const SEEN_T&) const = default;
};

// Searches the position on the board until it changes (the task is then
// cancelled), reporting each iteration to the panel.
void AnalysisTask(unsigned serial) {
    static POS_T copy;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        if (serial != analysis_serial.load()) return;
        copy = state.position;
    }
    SEARCH_LIMITS_T limits;
    limits.seconds = 24 * 3600;  // no limit but the depth's and a cancel
    limits.no_soft_limit = true;
    limits.cancel = &EngineTaskCancel();
    MOVE_T move;
    ThinkingBegin(&copy);
    search_progress = ThinkingProgress;
    EngineSearch(&copy, &move, limits, nullptr);
    search_progress = nullptr;
    ThinkingEnd();
    CallRedraw();
}
}  // namespace

bool ThoughtInGame(uint64_t root_hash) {
    const POS_T* b = &state.position;
    if (root_hash == b->hash1) return true;
    for (int i = 0; i <= b->move_num && i < GAME_RECORD_SIZE; i++)
        if (state.hash_list[i] == root_hash) return true;
    return false;
}

bool AnalysisWanted() {
    POS_T* b = &state.position;
    return thinking_on && LoadShared(state.tamzor) == TAMZOR_OFF && !state.demo_mode && !b->winner &&
           replay == -1 && EngineEngaged();
}

bool StopAnalysis() {
    if (!analysing) return false;
    analysing = false;
    ++analysis_serial;
    EngineCancelTasks();
    return true;
}

void WatchGame() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    static SEEN_T seen;
    const POS_T* b = &state.position;
    const SEEN_T now{b->hash1, b->move_num, state.dmode, b->winner, replay};
    if (!(now == seen)) {
        seen = now;
        StopAnalysis();
        // A hint still searched is cancelled and says nothing; a shown one's
        // marks go. One asked for this very position stays.
        if ((hint.searching || hint.shown) && (hint.root_hash != b->hash1 || hint.move_num != b->move_num)) {
            if (hint.searching) EngineCancelTasks();
            DropHint();
        }
        // A line searched in no position of this game (a new game, a
        // restored one, an edit, moves undone past it) is no longer shown.
        const THINKING_T t = ThinkingNow();
        if (t.any && !t.running && replay == -1 && !ThoughtInGame(t.root_hash)) ThinkingClear();
    }
    // With --log a finished search the panel shows goes on standard output.
    static uint64_t logged_hash = 0;
    static int logged_depth = -1;
    if (thinking_on) {
        const THINKING_T t = ThinkingNow();
        if (t.any && !t.running && (t.root_hash != logged_hash || t.depth != logged_depth)) {
            logged_hash = t.root_hash;
            logged_depth = t.depth;
            if (t.book)
                printf("\nThinking: book %s", NumberedLine(t.number, t.black_first, t.line).c_str());
            else
                printf("\nThinking: depth %d %s %s", t.depth, PanelScoreText(t.white_value).c_str(),
                       NumberedLine(t.number, t.black_first, t.line).c_str());
        }
    }
    const bool want = AnalysisWanted();
    if (!want) {
        StopAnalysis();
    } else if (!analysing && !hint.searching) {
        analysing = true;
        ThinkingClear();
        const unsigned serial = ++analysis_serial;
        EngineRunTask([serial] { AnalysisTask(serial); });
    }
}

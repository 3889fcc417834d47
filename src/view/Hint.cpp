// The hint: the engine thread searches a copy of the position as a task, so
// the window and the game go on meanwhile; the answer counts only for the
// position it was asked in.
#include <cstdio>
#include <cstring>
#include <cstdio>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "search/search.h"
#include "shell/shell.h"
#include "search/thinking.h"
#include "viewlogic.h"

HINT_T hint;
const COLOR_T color_hint = {0.95f, 0.6f, 0.1f, 0};

namespace {
// A hint asked later, or dropped, makes an older search's answer stale.
std::atomic<unsigned> hint_serial{0};

void HintTask(unsigned serial, double seconds) {
    static POS_T copy;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        if (serial != hint_serial.load()) return;
        copy = state.position;
    }
    SEARCH_LIMITS_T limits;
    limits.seconds = seconds;
    limits.cancel = &EngineTaskCancel();
    MOVE_T move;
    ZeroMove(&move);
    EngineSearch(&copy, &move, limits, nullptr);

    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    if (serial != hint_serial.load()) return;
    hint.searching = false;
    POS_T* b = &state.position;
    // The game moved on meanwhile: nothing to say.
    if (EngineTaskCancel().load() || b->hash1 != hint.root_hash || b->move_num != hint.move_num) return;
    if (IsZeroMove(&move) || !ListedMove(b, &move)) {
        snprintf(info_string, sizeof info_string, "No hint: no move found");
    } else {
        const std::vector<std::string> text = LineTexts(b, {move});
        hint.move = move;
        hint.shown = true;
        snprintf(info_string, sizeof info_string, "Hint: %s", text.empty() ? MoveToken(move).c_str() : text[0].c_str());
        printf("\n%s", info_string);  // with --log, for the record
    }
    CallRedraw();
}
}  // namespace

double HintSeconds(uint64_t time_limit) {
    if (time_limit < 1) return 1;
    return time_limit > 3 ? 3 : (double)time_limit;
}

uint64_t HintCells(const MOVE_T* m) {
    // an attack board's four cells are where it stands now, as after its last move
    return LastMoveCells(nullptr, m);
}

void AskHint() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    POS_T* b = &state.position;
    const int tamzor = LoadShared(state.tamzor);
    if (b->winner) {
        snprintf(info_string, sizeof info_string, "No hint: the game is over");
    } else if (replay != -1) {
        snprintf(info_string, sizeof info_string, "No hint during a replay: click to end it first");
    } else if (state.demo_mode || tamzor == TAMZOR_BOTH || (tamzor != TAMZOR_OFF && NextToPlay(b) == tamzor)) {
        snprintf(info_string, sizeof info_string, "No hint: it is Tamzor's move");
    } else if (hint.searching) {
        snprintf(info_string, sizeof info_string, "Looking for a hint...");
    } else if (!EngineEngaged()) {
        snprintf(info_string, sizeof info_string, "No hint: the computer is stopped");
    } else {
        // the analysis of the position waits for the hint
        StopAnalysis();
        hint = HINT_T();
        hint.searching = true;
        hint.root_hash = b->hash1;
        hint.move_num = b->move_num;
        const unsigned serial = ++hint_serial;
        const double seconds = HintSeconds(timers.timer_limit.load());
        snprintf(info_string, sizeof info_string, "Looking for a hint...");
        EngineRunTask([serial, seconds] { HintTask(serial, seconds); });
    }
}

void DropHint() {
    ++hint_serial;
    if (hint.searching && !strcmp(info_string, "Looking for a hint...")) info_string[0] = 0;
    hint = HINT_T();
}

#include <cstdio>

#include "shell/clock.h"
#include "viewlogic.h"
#include "tamzor.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
// The game ends on time: the other side wins, or it is drawn when that side
// cannot mate; the computer stops as it does after any result.
void EndOnTime(int flagged) {
    POS_T* b = &state.position;
    b->winner = TimeLossResult(b, flagged);
    state.demo_mode = 0;
    StoreShared(state.tamzor, TAMZOR_OFF);
    StoreShared(state.stop_search, 1);
    timers.GameOver();
    const char* loser = flagged == 1 ? "White" : "Black";
    const char* winner = flagged == 1 ? "Black" : "White";
    if (b->winner == 2)
        snprintf(info_string, sizeof info_string, "%s's time is up, but %s cannot mate: drawn on time", loser,
                 winner);
    else
        snprintf(info_string, sizeof info_string, "%s loses on time: %s wins on time", loser, winner);
    printf("\n%s", info_string);
    fflush(stdout);
}
}  // namespace

bool KeepGameClock(uint64_t now) {
    static std::string shown;
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    if (!game_clock.Timed()) {
        const bool changed = !shown.empty();
        shown.clear();
        return changed;
    }
    // an edit of the board may change the side to move under the clocks
    if (replay == -1 && game_clock.Ply() != state.position.move_num) game_clock.TakeBack(state.position.move_num, now);
    const bool on = state.position.winner == 0 && replay == -1 && editing_option == 0 && !game_clock.Flagged();
    game_clock.Run(on, now);
    if (on && game_clock.CheckFlag(now)) EndOnTime(game_clock.Flagged());
    const CLOCK_LINE_T line = ClockLine(now);
    const std::string text = line.white + "|" + line.black + "|" + std::to_string(line.running);
    if (text == shown) return false;
    shown = text;
    return true;
}

CLOCK_LINE_T ClockLine(uint64_t now) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    CLOCK_LINE_T line;
    long long white = game_clock.LeftMs(1, now), black = game_clock.LeftMs(-1, now);
    // a browsed position shows the times it was reached with, where known
    if (Browsing() && ShownPly() < game_clock.Ply()) game_clock.TimesAt(ShownPly(), &white, &black);
    line.white = ClockText(white);
    line.black = ClockText(black);
    line.white_low = white < 10000;
    line.black_low = black < 10000;
    if (game_clock.Running()) line.running = NextToPlay(&state.position);
    return line;
}

#include <cstdio>

#include "shell/clock.h"
#include "viewlogic.h"
#include "tamzor.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
void Choose(int index, uint64_t now) {
    const POS_T* b = &state.position;
    const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
    const TIME_CONTROL_T& c = TimeControlAt(index);
    // before the first move the game is still to be played: the clocks start now
    if (b->move_num == first && !b->winner && replay == -1) {
        game_clock.Reset(index, b->move_num);
        game_clock.Run(false, now);
        if (index)
            snprintf(info_string, sizeof info_string, "Clock %s for this game: %s's clock runs", c.label,
                     IsWhitesMove(b) ? "White" : "Black");
        else
            snprintf(info_string, sizeof info_string, "No clock: the game is untimed");
        return;
    }
    game_clock.chosen = index;
    if (index == game_clock.Control())
        snprintf(info_string, sizeof info_string, "This game keeps its clock %s", index ? c.label : "(untimed)");
    else
        snprintf(info_string, sizeof info_string, "Clock %s from the next game on (F2, F3 or New game)",
                 index ? c.label : "off");
}
}  // namespace

void ChooseTimeControl(int index, uint64_t now) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    Choose(index, now);
    printf("\n%s", info_string);
    fflush(stdout);
}

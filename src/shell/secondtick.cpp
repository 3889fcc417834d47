#include "tamzor.h"
#include "shell/shell.h"

// Runs on SDL's timer thread: only the second counts are written here.
uint32_t secondtick(uint32_t tick, void* param) {
    (void)tick;
    (void)param;
    // A decided game's clock stands at the time it was played in.
    if (timers.standing) {
        CallRedraw();
        return 1000;
    }
    timers.elapsed_time++;
    TIMERMODE_E mode = timers.timermode;
    if (mode != TM_OFF && mode != TM_STOPPED) {
        if (NextToPlay(&state.position) == 1)
            timers.white_time++;
        else
            timers.black_time++;
    }
    CallRedraw();
    return 1000;
}

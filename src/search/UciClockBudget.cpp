#include <algorithm>

#include "shell/clock.h"
#include "tamzor.h"

void UciClockBudget(long long left, long long inc, long long movestogo, double* hard_s, double* soft_s,
                    long long overhead, double* stretch_s) {
    // What may be spent at all: the clock less a reserve for the time the
    // answer takes to reach the interface (and for a slow machine), and the
    // interface's delay seen so far.
    overhead = std::max<long long>(overhead, 0);
    const long long reserve = 50 + std::min<long long>(left / 10, 1000) + overhead;
    const long long usable = std::max<long long>(left - reserve, 1);
    // A share of the clock: the time over the moves to come, and most of
    // what the increment leaves after the delay; at most half of what may
    // be spent.
    const long long gain = std::max<long long>(inc - overhead, 0);
    long long share = left / (movestogo > 0 ? movestogo + 1 : 30) + gain * 3 / 4;
    share = std::max<long long>(1, std::min<long long>(share, usable / 3));
    const long long hard = std::min<long long>(share * 5 / 2, usable / 2);
    *hard_s = std::max<long long>(hard, 1) / 1000.0;
    *soft_s = std::max<long long>(std::min(share, hard), 1) / 1000.0;
    // a move found failing may take twice the hard limit, within the same half
    if (stretch_s) *stretch_s = std::max<long long>({std::min(hard * 2, usable / 2), hard, 1}) / 1000.0;
}

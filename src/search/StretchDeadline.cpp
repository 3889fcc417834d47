#include "search/search.h"
#include "shell/shell.h"

void StretchDeadline() {
    // once only, and never sooner than the deadline already set
    const uint64_t to = stretch_deadline_ms.exchange(0);
    if (to > timers.deadline_ms.load()) timers.deadline_ms = to;
}

#include <cstdio>

#include "tamzor.h"
#include "eval/eval.h"

// Scores from the mate band on are shown as moves to mate; a few buffers
// rotate so that one line can hold several texts.
char* EvalStr(int v) {
    thread_local char texts[4][24];
    thread_local int next = 0;
    char* s = texts[next++ & 3];
    if (v >= 404999)
        snprintf(s, sizeof texts[0], "Inf");
    else if (v <= -404999)
        snprintf(s, sizeof texts[0], "-Inf");
    else if (v > 399872)
        snprintf(s, sizeof texts[0], "Mate%02d", imax((399999 - v) / 2 + 1, 1));
    else if (v < -399872)
        snprintf(s, sizeof texts[0], "-Mate%02d", imax((v + 399999) / 2 + 1, 1));
    else
        snprintf(s, sizeof texts[0], "%3.2f", v / 10000.0);
    return s;
}

#include "shell/clock.h"
#include "viewlogic.h"
#include "tamzor.h"
#include "position/position.h"

const char* ResultLine(POS_T* b) {
    if (!b->winner) return nullptr;
    if (const char* line = TimeLossLine(b)) return line;
    // The rules tell how the position ended; a result they do not see there
    // (the computer gave up) is told by who won.
    const char *text = nullptr, *line = nullptr;
    if (JudgeReached(b, "", &text, &line) == b->winner && line) return line;
    return b->winner == 1 ? "1-0 White wins" : b->winner == -1 ? "0-1 Black wins" : "1/2-1/2 drawn";
}

#include "shell/clock.h"
#include "tamzor.h"
#include "position/position.h"

namespace {
// Only the king is left of a side (slots 0..15 White's, 16..31 Black's).
bool LoneKing(const POS_T* b, int side) {
    const int first = side == 1 ? 0 : 16;
    int pieces = 0;
    for (int i = first; i < first + 16; i++)
        if (b->pieces[i].p) pieces++;
    return pieces <= 1;
}
}  // namespace

int TimeLossResult(const POS_T* b, int flagged) {
    const int other = -flagged;
    // the side with time left wins only if some series of moves mates
    if (LoneKing(b, other) || InsufficientMaterial(b)) return 2;
    return other;
}

const char* TimeLossLine(const POS_T* b) {
    const int flagged = game_clock.Flagged();
    if (!flagged || !b->winner) return nullptr;
    if (b->winner == 2) return "1/2-1/2 drawn on time";
    return flagged == 1 ? "0-1 White loses on time" : "1-0 Black loses on time";
}

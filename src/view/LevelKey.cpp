// The computer's playing level in the window: the D key steps it, and the
// banner and the sides line name it.
#include <cstdio>

#include "search/levels.h"
#include "viewlogic.h"
#include "tamzor.h"

std::string ComputerName() {
    const int field = LoadShared(state.maxdepth);
    if (!LevelRating(field)) return "Tamzor";
    return "Tamzor (" + LevelName(field) + ")";
}

const char* StepLevel(int step, char* out, size_t size) {
    const int next = NextLevel(LoadShared(state.maxdepth), step);
    StoreShared(state.maxdepth, next);
    snprintf(out, size, "Level: %s", LevelName(next).c_str());
    return out;
}

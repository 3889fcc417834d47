// Mate distances: a mate value is one step nearer zero for every ply back
// toward the root, so a node adjusts its test value on the way in and its
// result on the way out.
#pragma once

#include "tamzor.h"

inline ETYPE_T EntryMateAdjust(ETYPE_T testv) {
    if (testv >= 399873 && testv <= 399998) return testv + 1;
    if (testv <= -399873 && testv >= -399998) return testv - 1;
    return testv;
}

inline ETYPE_T ExitMateAdjust(ETYPE_T g) {
    if (g > 399872) return g - 1;
    if (g < -399872) return g + 1;
    return g;
}

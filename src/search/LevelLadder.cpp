// The ladder of playing levels: names, stepping, the old difficulties, and
// the knobs each rating plays with.
#include <cmath>
#include <cstdlib>

#include "levels.h"
#include "tamzor.h"
#include "search/search.h"

int LevelOnLadder(int field) {
    if (field >= 1 && field <= DIFF_HARD) {
        if (field <= DIFF_EASY) return 1200;
        if (field <= DIFF_MED) return 1600;
        return LEVEL_FULL;
    }
    if (!LevelRating(field)) return LEVEL_FULL;
    int best = LEVEL_LADDER[0];
    for (int r : LEVEL_LADDER)
        if (std::abs(r - field) < std::abs(best - field)) best = r;
    return best;
}

int NextLevel(int field, int step) {
    // the rungs and full strength in a ring
    const int rung = LevelOnLadder(field);
    int at = LEVEL_COUNT;  // full strength
    for (int i = 0; i < LEVEL_COUNT; i++)
        if (LEVEL_LADDER[i] == rung) at = i;
    at = ((at + (step < 0 ? -1 : 1)) % (LEVEL_COUNT + 1) + LEVEL_COUNT + 1) % (LEVEL_COUNT + 1);
    return at == LEVEL_COUNT ? LEVEL_FULL : LEVEL_LADDER[at];
}

std::string LevelName(int field) {
    const int rung = LevelOnLadder(field);
    return rung == LEVEL_FULL ? "full strength" : std::to_string(rung);
}

namespace {
// The rungs' knobs, set by matches (bench/calibrate_levels.py): the depth
// each move is looked at, the spread of misjudgement and the chance of a
// careless move. The top rung is one search within a node budget: at 10 s +
// 0.1 s it measured about 1930 against Stockfish's 2000 (10 games), where
// root moves searched one by one to depth 5 measured about 1720.
constexpr LEVEL_KNOBS_T KNOBS[LEVEL_COUNT] = {
    {2, 4000, 0.65, 0.30, false},   //  800
    {2, 5000, 0.45, 0.18, false},   // 1000
    {3, 6000, 0.28, 0.10, false},   // 1200
    {3, 8000, 0.18, 0.05, false},   // 1400
    {4, 10000, 0.12, 0.025, false}, // 1600
    {4, 15000, 0.07, 0.012, false}, // 1800
    {12, 150000, 0.0, 0.0, true},   // 2000
};
}  // namespace

LEVEL_KNOBS_T LevelKnobs(int rating) {
    if (rating <= LEVEL_LOWEST) return KNOBS[0];
    if (rating >= LEVEL_HIGHEST) return KNOBS[LEVEL_COUNT - 1];
    int i = 0;
    while (LEVEL_LADDER[i + 1] < rating) i++;
    const double t = (double)(rating - LEVEL_LADDER[i]) / (LEVEL_LADDER[i + 1] - LEVEL_LADDER[i]);
    const LEVEL_KNOBS_T& a = KNOBS[i];
    const LEVEL_KNOBS_T& b = KNOBS[i + 1];
    LEVEL_KNOBS_T k;
    k.depth = t < 0.5 ? a.depth : b.depth;
    k.whole = t < 0.5 ? a.whole : b.whole;
    k.nodes = (uint64_t)std::llround((double)a.nodes + t * ((double)b.nodes - (double)a.nodes));
    k.noise = a.noise + t * (b.noise - a.noise);
    k.lapse = a.lapse + t * (b.lapse - a.lapse);
    return k;
}

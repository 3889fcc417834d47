// Playing levels named by strength: below full strength the computer scores
// each root move by a short search, adds level-dependent noise and now and
// then overlooks what the opponent can do after a move (or has already set
// up), then plays the best-looking one.
//
// The level lives in STATE_T::maxdepth, the saved game's difficulty field.
// Values up to DIFF_HARD are a ply limit at full strength (files written
// before levels existed: 4, 8 or 50; the terminal tool's --depth); values in
// LEVEL_LOWEST..LEVEL_HIGHEST are a limited level's rating. The search's ply
// limit is derived from the field, never the field itself.
#pragma once

#include <cstdint>
#include <string>

#include "tamzor.h"
#include "search/search.h"

// The ladder, weakest first; full strength is above it.
constexpr int LEVEL_LADDER[] = {800, 1000, 1200, 1400, 1600, 1800, 2000};
constexpr int LEVEL_COUNT = (int)(sizeof LEVEL_LADDER / sizeof LEVEL_LADDER[0]);
constexpr int LEVEL_LOWEST = LEVEL_LADDER[0];
constexpr int LEVEL_HIGHEST = LEVEL_LADDER[LEVEL_COUNT - 1];
// The field's value for full strength (today's search, no ply limit).
constexpr int LEVEL_FULL = DIFF_HARD;

// The rating a field value plays at; 0 for full strength.
inline int LevelRating(int field) { return field >= LEVEL_LOWEST && field <= LEVEL_HIGHEST ? field : 0; }

// The search's ply limit for a field value: a ply limit is itself (the search
// makes at least one iteration whatever it is); a limited level has none of
// its own (its searches are short by their depth).
inline int PlyLimitOf(int field) { return field <= DIFF_HARD ? field : DIFF_HARD; }

// The running search's ply limit: its own when EngineSearch set one, else
// from the live field.
inline int SearchPlyLimit() {
    return search_ply_limit ? search_ply_limit : PlyLimitOf(LoadShared(state.maxdepth));
}

// A saved or chosen field value as a rung of the ladder, or LEVEL_FULL: the
// old difficulties map easy (up to 4 plies) to 1200, medium (up to 8) to
// 1600 and the rest to full strength; a rating between rungs goes to the
// nearest.
int LevelOnLadder(int field);
// The next rung up (step > 0; after full strength the lowest) or down.
int NextLevel(int field, int step);
// "1400" or "full strength".
std::string LevelName(int field);

// How a rating plays (interpolated between the rungs).
struct LEVEL_KNOBS_T {
    int depth;            // plies of each root move's search (2 or more)
    uint64_t nodes;       // node budget of each root move's search
    double noise;         // standard deviation added to each score, in pawns
    double lapse;         // chance that a move is chosen carelessly: the root moves
                          // judged by the position they leave, without any reply
    bool whole;           // one search of all the root moves within `nodes` (and
                          // `depth`), without noise: the top rungs, where a search
                          // of each root move alone wastes what the others found
};
LEVEL_KNOBS_T LevelKnobs(int rating);

// Seeds the levels' random choices (play seeds from the clock; tests seed a
// fixed value).
void LevelSeed(uint64_t seed);
void LevelSeedFromClock();

// Plays at `rating` on a position prepared as for Search (the search's copy,
// its hash list and timer set up): the move chosen, and its score for the
// side to move. Honours the root's move restriction (search_only_moves).
ETYPE_T LevelSearch(POS_T* b, MOVE_T* move, int rating);

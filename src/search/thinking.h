// What the computer is thinking, for the window's panel and the UCI mode's
// info lines: the main line from the table, and the latest iteration of the
// search running on the engine thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tamzor.h"
#include "search/search.h"

// The moves of `line`, played in turn from `root`, as the player reads them
// in the chosen notation (the texts a typed move may use).
std::vector<std::string> LineTexts(POS_T* root, const std::vector<MOVE_T>& line);

// The latest iteration of a search: the score from White's side.
struct THINKING_T {
    bool any = false;       // an iteration was reported
    bool running = false;   // the search goes on
    int depth = 0;
    ETYPE_T white_value = 0;
    uint64_t nodes = 0, nps = 0;
    int number = 1;          // the move number of the line's first move
    bool black_first = false;
    std::vector<std::string> line;
    uint64_t root_hash = 0;  // the position searched
    bool book = false;       // the move came from the opening book, unsearched
};
// On the engine thread: a search of `root` begins (the panel forgets the last
// one), the search_progress hook that reports its iterations, and its end.
void ThinkingBegin(POS_T* root);
void ThinkingProgress(POS_T* root, MOVE_T* move, ETYPE_T value, int depth);
void ThinkingEnd();
// The move of `root` was taken from the opening book.
void ThinkingBook(POS_T* root, const MOVE_T& move);
// A copy of what was reported, for any thread.
THINKING_T ThinkingNow();
void ThinkingClear();

// The panel's texts: "+0.35", "-1.20", "White mates in 3", "Black mates in 2".
std::string PanelScoreText(ETYPE_T white_value);
// "850 nodes/s", "12.3k nodes/s", "1.25M nodes/s".
std::string NpsText(uint64_t nps);
// Moves numbered as the move list numbers them: "12. Nf3 Nc6 13. Bb5",
// "12... Nc6 13. Bb5" when the first is Black's.
std::string NumberedLine(int number, bool black_first, const std::vector<std::string>& moves);
// White's share of the evaluation bar, 0..1: even at 0.5, full at ten pawns
// and at a mate.
double WhiteShare(ETYPE_T white_value);

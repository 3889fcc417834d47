// Game review: every position of the game searched as an analysis, each
// move marked by what it lost against the best move.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "tamzor.h"

enum REVIEW_MARK_T { MARK_NONE = 0, MARK_INACCURACY, MARK_MISTAKE, MARK_BLUNDER };

// A value (for the side to move) in pawns; a mate counts as 20 pawns.
double ReviewPawns(ETYPE_T v);
// Pawns squeezed so that a side far ahead or far behind loses little by a
// change: near equality a pawn is a pawn, at +8 one counts a third.
double SoftPawns(double pawns);
// What a move lost, in softened pawns, from the position's value before it
// and the value after it, both for the side that moved; never below 0.
double ReviewLoss(ETYPE_T before, ETYPE_T after);
// The mark of a loss: 0.5 an inaccuracy, 1.0 a mistake, 2.0 a blunder.
REVIEW_MARK_T MarkForLoss(double loss);
const char* MarkText(REVIEW_MARK_T mark);  // "?!", "?", "??" or ""
int MarkNag(REVIEW_MARK_T mark);           // 6, 2, 4 or 0
// A value for White as a PGN eval: "+0.35", "-1.20", "#3", "#-2".
std::string EvalText(ETYPE_T white_value);

struct REVIEW_PLY_T {
    MOVE_T move{};              // the move played
    ETYPE_T before = 0;         // the position's value before it, for the side moving
    ETYPE_T after = 0;          // after it, for the same side
    bool after_known = false;   // false after a mate (nothing to say)
    double loss = 0;            // softened pawns
    REVIEW_MARK_T mark = MARK_NONE;
    std::vector<MOVE_T> better; // the best move and a line after it (marked moves)
    bool white = true;          // White made the move
    std::string text;           // the move with its number: "12. Nf3", "12... Nf6"
    std::string line_pgn;       // the better line as PGN moves (SAN, or 3D tokens)
    std::string line_note;      // the same for people ("12. d4 e5 13. Nc3")
};

struct GAME_REVIEW_T {
    int dmode = 2;
    int rules = 0;
    bool from_setup = false;     // the game began from an edited or FEN position
    uint64_t start_key = 0;      // that position's key
    int first = 0;               // the ply of plies[0]
    std::vector<REVIEW_PLY_T> plies;
    // The review of the move made at `ply` (a record index), or nullptr.
    const REVIEW_PLY_T* At(int ply) const {
        return ply >= first && ply < first + (int)plies.size() ? &plies[ply - first] : nullptr;
    }
};

struct REVIEW_OPTIONS_T {
    double seconds = 1.0;        // a position
    int maxdepth = 0;            // the engine's ply limit; 0 none
    const std::atomic<bool>* cancel = nullptr;  // nullptr: never cancelled
    std::function<void(int done, int total)> progress;  // after each position
};

// Reviews the live game from its start: one analysis a position, the live
// game left as it was (its lock is taken only to copy it). False when
// cancelled (the review then holds nothing).
bool ReviewGame(const REVIEW_OPTIONS_T& options, GAME_REVIEW_T* review);

// The review kept beside the live game; it speaks for the plies where the
// live game still is the game reviewed.
void KeepReview(const GAME_REVIEW_T& review);
void ForgetReview();
// The kept review of the live game's move at record index `ply`; false when
// there is none (another game, a move changed, not reviewed).
bool ReviewedPly(int ply, REVIEW_PLY_T* out);
// The mark of that move, "" when none.
const char* ReviewMarkOfPly(int ply);

// The texts of moves played one after another from `b` (SAN in the 2D game,
// the program's texts in the 3D game), with move numbers: "12. d4 e5 13. Nc3"
// or "12... e5 13. Nc3".
std::string ReviewLineText(POS_T* b, const std::vector<MOVE_T>& line, bool tokens = false);

// The note on a reviewed move: "12. Nf3? lost 1.3: better 12. d4 e5 13. Nc3",
// "12. Nf3 (best)" or "12... Nf6, lost 0.2"; empty when not reviewed.
std::string ReviewNote(int ply);

// What the PGN writer adds after the move at `ply`: the
// NAG, the eval comment and for a marked move the better line as a variation
// (words for its line filling). Empty when the ply is not reviewed.
std::vector<std::string> ReviewPgnWords(int ply);

// The counts of marks and the average loss of each side, two lines.
std::string ReviewSummary(const GAME_REVIEW_T& review);

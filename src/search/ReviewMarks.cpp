// How much a move lost, and the mark that says so.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "review.h"
#include "tamzor.h"

namespace {
constexpr ETYPE_T PAWN = 10052;
constexpr ETYPE_T MATE_FLOOR = 399873;  // values beyond are mates
constexpr double MATE_PAWNS = 20;
// How far the squeeze reaches: a lead of this many pawns is worth about
// three quarters of it.
constexpr double SOFT_SCALE = 6;
}  // namespace

double ReviewPawns(ETYPE_T v) {
    if (v >= MATE_FLOOR) return MATE_PAWNS;
    if (v <= -MATE_FLOOR) return -MATE_PAWNS;
    return std::clamp((double)v / PAWN, -MATE_PAWNS, MATE_PAWNS);
}

double SoftPawns(double pawns) { return SOFT_SCALE * std::tanh(pawns / SOFT_SCALE); }

double ReviewLoss(ETYPE_T before, ETYPE_T after) {
    // a mate kept, only longer, loses nothing worth a mark
    if (before >= MATE_FLOOR && after >= MATE_FLOOR) return 0;
    const double loss = SoftPawns(ReviewPawns(before)) - SoftPawns(ReviewPawns(after));
    return loss > 0 ? loss : 0;
}

REVIEW_MARK_T MarkForLoss(double loss) {
    if (loss >= 2.0) return MARK_BLUNDER;
    if (loss >= 1.0) return MARK_MISTAKE;
    if (loss >= 0.5) return MARK_INACCURACY;
    return MARK_NONE;
}

const char* MarkText(REVIEW_MARK_T mark) {
    switch (mark) {
        case MARK_INACCURACY: return "?!";
        case MARK_MISTAKE: return "?";
        case MARK_BLUNDER: return "??";
        default: return "";
    }
}

int MarkNag(REVIEW_MARK_T mark) {
    switch (mark) {
        case MARK_INACCURACY: return 6;
        case MARK_MISTAKE: return 2;
        case MARK_BLUNDER: return 4;
        default: return 0;
    }
}

std::string EvalText(ETYPE_T v) {
    char s[32];
    if (std::abs(v) >= MATE_FLOOR) {
        const int plies = 400000 - std::abs(v);
        snprintf(s, sizeof s, "#%s%d", v < 0 ? "-" : "", (plies + 1) / 2);
    } else {
        snprintf(s, sizeof s, "%+.2f", (double)v / PAWN);
    }
    return s;
}

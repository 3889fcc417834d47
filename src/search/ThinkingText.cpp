// The texts of the computer's-thinking panel and its evaluation bar.
#include <cstdio>

#include "search/thinking.h"
#include "tamzor.h"

namespace {
constexpr ETYPE_T PAWN = 10052;
constexpr ETYPE_T MATE_FOUND = 399873;  // values beyond are mates
constexpr ETYPE_T MATE = 399999;
}  // namespace

std::string PanelScoreText(ETYPE_T v) {
    if (v >= MATE_FOUND) return "White mates in " + std::to_string((MATE - v) / 2 + 1);
    if (v <= -MATE_FOUND) return "Black mates in " + std::to_string((v + MATE) / 2 + 1);
    char s[32];
    // whole hundredths, rounded toward nothing, so a tiny edge reads 0.00
    const long long cp = (long long)v * 100 / PAWN;
    snprintf(s, sizeof s, "%s%lld.%02lld", cp < 0 ? "-" : "+", (cp < 0 ? -cp : cp) / 100, (cp < 0 ? -cp : cp) % 100);
    return s;
}

std::string NpsText(uint64_t nps) {
    char s[32];
    if (nps >= 1000000)
        snprintf(s, sizeof s, "%.2fM nodes/s", nps / 1e6);
    else if (nps >= 10000)
        snprintf(s, sizeof s, "%.1fk nodes/s", nps / 1e3);
    else
        snprintf(s, sizeof s, "%llu nodes/s", (unsigned long long)nps);
    return s;
}

std::string NumberedLine(int number, bool black_first, const std::vector<std::string>& moves) {
    std::string s;
    bool white = !black_first;
    for (size_t i = 0; i < moves.size(); i++) {
        if (!s.empty()) s += ' ';
        if (white)
            s += std::to_string(number) + ". ";
        else if (i == 0)
            s += std::to_string(number) + "... ";
        s += moves[i];
        if (!white) number++;
        white = !white;
    }
    return s;
}

double WhiteShare(ETYPE_T v) {
    if (v >= MATE_FOUND) return 1;
    if (v <= -MATE_FOUND) return 0;
    double pawns = (double)v / PAWN;
    if (pawns > 10) pawns = 10;
    if (pawns < -10) pawns = -10;
    return 0.5 + pawns / 20;
}

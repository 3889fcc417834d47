#include <algorithm>
#include <utility>
#include <vector>

#include "cli.h"
#include "tamzor.h"
#include "movegen/movegen.h"

std::string MovesText(POS_T* b) {
    std::vector<std::pair<std::string, std::string>> lines;
    for (const MOVE_TEXT_T& m : LegalMoveTexts(b)) lines.emplace_back(m.token, m.text);
    if (lines.empty()) return MateText(b) + "\n";
    std::sort(lines.begin(), lines.end());
    std::string s;
    for (const auto& [token, text] : lines) s += token + " " + text + "\n";
    return s;
}

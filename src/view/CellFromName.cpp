#include <cctype>

#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"

namespace {
// Names match in any case.
bool SameName(const std::string& typed, const char* name) {
    if (!name) return false;
    size_t i = 0;
    for (; i < typed.size() && name[i]; i++)
        if (tolower((unsigned char)typed[i]) != tolower((unsigned char)name[i])) return false;
    return i == typed.size() && !name[i];
}
}  // namespace

bool CellFromName(POS_T* b, const std::string& text, bool with_pins, SQ_T* target, std::string* reason) {
    size_t from = text.find_first_not_of(' '), to = text.find_last_not_of(' ');
    const std::string s = from == std::string::npos ? "" : text.substr(from, to - from + 1);
    if (s.empty()) {
        *reason = with_pins ? "type a pin's name" : "type a cell's name";
        return false;
    }
    const bool three = state.dmode != 2;
    if (with_pins && three)
        for (ABWHERE_E pin : all_pins)
            if (const char* name = GetABString(b, pin); name && SameName(s, name)) {
                *target = pin;
                return true;
            }
    // The full name as the window writes it, or the bare file and rank when
    // only one cell has them.
    SQ_T bare = NO_SQUARE;
    std::string others;
    int bare_count = 0;
    for (SQ_T sq = 0; sq < 64; sq++) {
        char name[24];
        CellName(b, sq, name, sizeof name);
        if (SameName(s, name)) {
            *target = sq;
            return true;
        }
        if (three && SameName(s, PosStr(b, sq))) {
            bare = sq;
            others += (bare_count++ ? " or " : "") + std::string(name);
        }
    }
    if (bare_count == 1) {
        *target = bare;
        return true;
    }
    if (bare_count > 1) *reason = others + "?";
    else *reason = "no cell " + s;
    return false;
}

#include <cstdio>

#include "viewlogic.h"

namespace {
const char* BoardName(int ab) {
    switch (ab) {
        case AB_QLW: return "QL white";
        case AB_QLB: return "QL black";
        case AB_KLW: return "KL white";
        case AB_KLB: return "KL black";
        default: return "board";
    }
}
}  // namespace

// A move the rules refuse has no text of its own: it is named by what moved
// and where it was to go.
void IllegalMoveText(POS_T* b, const MOVE_T* m, char* out, size_t size) {
    MOVE_T copy = *m;
    if (const char* text = ShortDisambiguateMovestr(&copy)) {
        snprintf(out, size, "illegal move %s", text);
        return;
    }
    char to[24];
    if (IsAB(m->piece_moving)) {
        if (PinIndex((int)m->to) >= 0) snprintf(to, sizeof to, "%s", GetABString(b, (int)m->to));
        else CellName(b, m->to, to, sizeof to);
        snprintf(out, size, "illegal move: %s to %s", BoardName(m->piece_moving), to);
        return;
    }
    char from[24];
    CellName(b, m->from, from, sizeof from);
    CellName(b, m->to, to, sizeof to);
    const int kind = m->piece_moving < 0 ? -m->piece_moving : m->piece_moving;
    const char p = piecechar(kind);
    if (p && p != ' ') snprintf(out, size, "illegal move %c%s-%s", p, from, to);
    else snprintf(out, size, "illegal move %s-%s", from, to);
}

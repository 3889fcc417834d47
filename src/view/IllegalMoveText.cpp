#include <cstdio>
#include <cstring>

#include "viewlogic.h"
#include "tamzor.h"
#include "movegen/movegen.h"

// The info line's room in characters: about 550 pixels of Times Roman 24.
constexpr size_t INFO_ROOM = 54;

// The move and why the rules refuse it ("Ng1-e3: a knight moves ..."). A
// reason that names the move already, or that would not fit beside it,
// stands alone: the player has just made the move.
void IllegalMoveText(POS_T* b, const MOVE_T* m, char* out, size_t size) {
    char text[40], reason[96];
    PlainMoveText(b, m, text, sizeof text);
    if (!RefusalReason(b, m, reason, sizeof reason)) {
        snprintf(out, size, "illegal move %s", text);
        return;
    }
    if (strstr(reason, text) || strlen(text) + 2 + strlen(reason) > INFO_ROOM) snprintf(out, size, "%s", reason);
    else snprintf(out, size, "%s: %s", text, reason);
}

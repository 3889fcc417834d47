// The printable move list: entry k holds the text of the move that led to
// ply k, for the whole length of the game record.
#include <cstdio>
#include <cstring>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"

namespace {
char game_list_strings[GAME_RECORD_SIZE + 1][16];
}

void GameListInit() { game_list_strings[0][0] = 0; }

char* GameListGet(int n) {
    if (n < 0 || n > GAME_RECORD_SIZE) return game_list_strings[0];
    return game_list_strings[n];
}

char* GameListPut(POS_T* b, MOVE_T* move, int n) {
    const char* text = ShortDisambiguateMovestr(move);
    if (!text || n < 1 || n > GAME_RECORD_SIZE) {
        Panic(false, "GameListPut error");
        return nullptr;
    }
    char* entry = game_list_strings[n];
    snprintf(entry, sizeof game_list_strings[n], "%s", text);
    // The list text was written before the move was made: add what only the
    // made move shows, the promoted piece and the check.
    size_t len = strlen(entry);
    const char s = move->move_symbol;
    if ((b->flags & (FLAG_W_PROMOTED | FLAG_B_PROMOTED)) && len < 15 && (s == 'Q' || s == 'R' || s == 'B' || s == 'N') &&
        entry[len - 1] != s) {
        entry[len++] = s;
        entry[len] = 0;
    }
    // A check that leaves no legal reply is mate: '#' in place of '+'.
    if (move->check) {
        const char mark = IsCheckmate(b) ? '#' : '+';
        if (len && entry[len - 1] == '+') entry[len - 1] = mark;
        else if (len < 15) {
            entry[len++] = mark;
            entry[len] = 0;
        }
    }
    memcpy(game_list_strings[0], entry, sizeof game_list_strings[0]);  // n >= 1: never the same entry
    return entry;
}

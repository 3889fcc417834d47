// The move list of a position with the text of every entry, for the move
// list display, the game record and the check of a move typed by the user.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tamzor.h"

thread_local constinit int da_n;
thread_local constinit MOVE_T da_moves[MOVE_LIST_SIZE] = {};
thread_local constinit char disambstrs[MOVE_LIST_SIZE][16];
thread_local constinit char da_str_i[16];
thread_local constinit char da_str_j[16];

namespace {
// Ring of result buffers, so a text stays valid across the next three moves.
thread_local constinit char reti[4][32];
thread_local constinit int nexti;

void Copy(char* dst, const char* src) { snprintf(dst, sizeof da_str_i, "%s", src ? src : ""); }

// The prefix that tells entry i apart from the other entries of the same
// kind of piece going to the same place, into da_str_i.
void Disambiguate(POS_T* b, const MOVE_T* list, int n, int i) {
    const MOVE_T* mi = &list[i];
    da_str_i[0] = 0;
    if (IsAB(mi->piece_moving)) {
        for (int j = 0; j < n; j++)
            if (j != i && IsAB(list[j].piece_moving) && list[j].to == mi->to)
                Copy(da_str_i, GetABString(b, (int)mi->from));
        return;
    }
    const int kind = abs(mi->piece_moving);
    if (kind == 6) return;
    for (int j = 0; j < n; j++) {
        const MOVE_T* mj = &list[j];
        // Another spelling of the same move (a promotion variant) needs no telling apart.
        if (j == i || IsAB(mj->piece_moving) || abs(mj->piece_moving) != kind || mj->to != mi->to ||
            mj->from == mi->from)
            continue;
        char si[sizeof da_str_i];
        Copy(si, PosStr(b, mi->from));
        Copy(da_str_j, PosStr(b, mj->from));
        if (strlen(si) < 2 || strlen(da_str_j) < 2) continue;
        if (si[0] != da_str_j[0]) {
            // A pawn capture already names its file.
            da_str_i[0] = abs(mj->piece_moving) == 1 ? 0 : si[0];
            da_str_i[1] = 0;
        } else if (si[1] != da_str_j[1]) {
            da_str_i[0] = si[1];
            da_str_i[1] = 0;
        } else {
            // Same name on different levels: name the level of the origin.
            int li = GetLevel(b, mi->from);
            if (li == GetLevel(b, mj->from)) {
                Copy(da_str_i, "DUP");
                continue;
            }
            switch (li) {
                case 2: Copy(da_str_i, "w"); break;
                case 4: Copy(da_str_i, "n"); break;
                case 6: Copy(da_str_i, "b"); return;
                case 3:
                case 5:
                case 7: Copy(da_str_i, GetABStringBySquare(b, mi->from)); break;
                default:
                    Panic(false, "Can't find level!");
                    Copy(da_str_i, "OC3");
                    break;
            }
        }
    }
}
}  // namespace

int GetMoveCount(POS_T* b, MOVE_T* list) {
    int n = GetMoveList(b, list);
    if (n > MOVE_LIST_SIZE) n = MOVE_LIST_SIZE;
    if (n < 0) n = 0;
    da_n = n;
    for (int i = 0; i < n; i++) disambstrs[i][0] = 0;
    for (int i = 0; i < n; i++) {
        MOVE_T* m = &list[i];
        da_moves[i] = *m;
        Disambiguate(b, list, n, i);
        char* buf = reti[nexti];
        nexti = (nexti + 1) & 3;
        if (m->move_symbol == 'L') {
            snprintf(buf, sizeof reti[0], "O-O-O");
        } else if (m->move_symbol == 'S') {
            snprintf(buf, sizeof reti[0], "O-O");
        } else if (!IsValidMove(b, *m)) {
            Panic(false, "Bad move at GetMoveCount");
            snprintf(buf, sizeof reti[0], "BAD");
        } else if (!ShortMovestr(b, m, buf)) {
            snprintf(buf, sizeof reti[0], "BAD");
        }
        snprintf(disambstrs[i], sizeof disambstrs[i], "%s", buf);
    }
    return n;
}

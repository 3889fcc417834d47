// The move list of a position with the text of every entry, for the move
// list display, the game record and the check of a move typed by the user.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

thread_local constinit int da_n;
thread_local constinit MOVE_T da_moves[MOVE_LIST_SIZE] = {};
thread_local constinit char disambstrs[MOVE_LIST_SIZE][16];
thread_local constinit char da_str_i[16];
thread_local constinit char da_str_j[16];
thread_local constinit bool da_level_i;

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
    da_level_i = false;
    if (IsAB(mi->piece_moving)) {
        for (int j = 0; j < n; j++)
            if (j != i && IsAB(list[j].piece_moving) && list[j].to == mi->to)
                Copy(da_str_i, GetABString(b, (int)mi->from));
        return;
    }
    const int kind = abs(mi->piece_moving);
    if (kind == 6) return;
    char si[sizeof da_str_i];
    Copy(si, PosStr(b, mi->from));
    if (strlen(si) < 2) return;
    // What the other moves of the same kind to the same place share with
    // this one's origin: its file, its rank, or its whole name (3D: a cell of
    // the same name on another level).
    bool any = false, same_file = false, same_rank = false, same_name = false, same_level = false;
    const int level = GetLevel(b, mi->from);
    for (int j = 0; j < n; j++) {
        const MOVE_T* mj = &list[j];
        // Another spelling of the same move (a promotion variant) needs no telling apart.
        if (j == i || IsAB(mj->piece_moving) || abs(mj->piece_moving) != kind || mj->to != mi->to ||
            mj->from == mi->from)
            continue;
        Copy(da_str_j, PosStr(b, mj->from));
        if (strlen(da_str_j) < 2) continue;
        any = true;
        same_file |= si[0] == da_str_j[0];
        same_rank |= si[1] == da_str_j[1];
        same_name |= si[0] == da_str_j[0] && si[1] == da_str_j[1];
        same_level |= GetLevel(b, mj->from) == level;
    }
    if (!any) return;
    // A pawn's text names its file already when it changes file.
    const char* to_name = PosStr(b, mi->to);
    const bool pawn = kind == 1 && to_name && to_name[0] != si[0];
    if (same_name) {
        // The origin's level; its name too when another origin shares the level.
        da_level_i = true;
        const char* mark;
        switch (level) {
            case 2: mark = "w"; break;
            case 4: mark = "n"; break;
            case 6: mark = "b"; break;
            case 3:
            case 5:
            case 7: mark = GetABStringBySquare(b, mi->from); break;
            default:
                Panic(false, "Can't find level!");
                mark = "OC3";
                break;
        }
        if (!same_level)
            snprintf(da_str_i, sizeof da_str_i, "%.4s", mark ? mark : "");
        else
            snprintf(da_str_i, sizeof da_str_i, "%.2s%.4s", pawn ? si + 1 : si, mark ? mark : "");
    } else if (!same_file) {
        if (kind != 1) snprintf(da_str_i, sizeof da_str_i, "%c", si[0]);
    } else if (!same_rank) {
        snprintf(da_str_i, sizeof da_str_i, "%c", si[1]);
    } else {
        snprintf(da_str_i, sizeof da_str_i, "%.2s", pawn ? si + 1 : si);
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

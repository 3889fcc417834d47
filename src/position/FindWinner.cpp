#include <cstdio>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

namespace {
bool KingAttackedBy(const POS_T* b, bool white_king) {
    const PS_T& k = b->pieces[white_king ? 0 : 16];
    return k.p && k.pos < 64 && (b->topieces[k.pos] & (white_king ? 0xFFFF0000ull : 0xFFFFull));
}

int Record(POS_T* b, int winner, const char* text) {
    printf("%s", text);
    b->winner = winner;
    timers.GameOver();
    return 1;
}
}  // namespace

int FindWinner(POS_T* b, MOVE_T* move) {
    if (b->winner) {
        // The game is already decided: there is nothing more to find.
        Panic(false, "FindWinner: already has winner");
        return 1;
    }
    if (eval_show) printf("\nFindWinner");
    if (IsWhitesMove(b) && KingAttackedBy(b, false)) return Record(b, 1, "\nBlack is mated!");
    if (IsBlacksMove(b) && KingAttackedBy(b, true)) return Record(b, -1, "\nWhite is mated!");
    if (b->fifty_count >= 102) return Record(b, 2, "\nDraw - fifty moves");
    if (CheckRepetition(b, 3)) return Record(b, 2, "\nDraw - you're repeating");
    if (!move || !LegalMove(b, move, "FindWinner")) return 0;
    static thread_local POS_T c;
    MOVE_T m = *move;
    if (!DoMove(&c, b, &m)) return 0;
    const char* text = nullptr;
    int winner = JudgeReached(&c, "\nDraw - I'm repeating", &text);
    if (!winner) return 0;
    return Record(b, winner, text);
}

// Whether the game is over in a position just reached, and the text that says so.
#include <cstdio>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "shell/shell.h"

namespace {
bool KingAttacked(const POS_T* b, bool white) {
    const PS_T& k = b->pieces[white ? 0 : 16];
    return k.p && k.pos < 64 && (b->topieces[k.pos] & (white ? 0xFFFF0000ull : 0xFFFFull));
}
}  // namespace

// Neither side has a pawn, and neither has more than a bishop's worth beside its king.
bool InsufficientMaterial(const POS_T* b) {
    const ETYPE_T king = new_coefficients[1187], bishop = new_coefficients[1184];
    return b->piece_mask == b->material_mask && b->w_material - king <= bishop &&
           b->b_material - king <= bishop;
}

int JudgeReached(POS_T* c, const char* repeating, const char** text, const char** line) {
    const char* unused;
    if (!line) line = &unused;
    // The fifty-move limit counts as a repetition to the search; a player is
    // told which it was.
    if (c->fifty_count >= 102) {
        *text = "\nDraw - fifty moves";
        *line = "1/2-1/2 fifty moves";
        return 2;
    }
    if (CheckRepetition(c, 3)) {
        *text = repeating;
        *line = "1/2-1/2 repetition";
        return 2;
    }
    if (InsufficientMaterial(c)) {
        *text = "\nDraw - insufficient material";
        *line = "1/2-1/2 insufficient material";
        return 2;
    }
    if (IsCheckmate(c)) {
        if (IsWhitesMove(c) && KingAttacked(c, true)) {
            *text = "\nWhite is mated";
            *line = "0-1 Black mates";
            return -1;
        }
        if (IsBlacksMove(c) && KingAttacked(c, false)) {
            *text = "\nBlack is mated";
            *line = "1-0 White mates";
            return 1;
        }
        *text = "\nStalemate";
        *line = "1/2-1/2 stalemate";
        return 2;
    }
    if (c->move_num >= GAME_MAX_PLIES) {
        *text = "\nDraw - the game record is full";
        *line = "1/2-1/2 full record";
        return 2;
    }
    return 0;
}

int JudgeGame(POS_T* b, bool computer_moved) {
    if (b->winner) return 1;
    const char* text = nullptr;
    int winner = JudgeReached(b, computer_moved ? "\nDraw - I'm repeating" : "\nDraw - you're repeating", &text);
    if (!winner) return 0;
    printf("%s", text);
    fflush(stdout);
    b->winner = winner;
    state.demo_mode = 0;
    StoreShared(state.tamzor, TAMZOR_OFF);
    timers.GameOver();
    return 1;
}

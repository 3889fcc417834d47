#include <cstdio>
#include <cstdlib>

#include "viewlogic.h"

const char* const WAIT_TEXT = "wait: Tamzor is thinking";

namespace {
// Plays a move of the player's; a refused one leaves its reason on the info
// line. A promotion waits for the player's choice of piece.
void PlayPickedMove(MOVE_T* move) {
    if (IsPromotionMove(&state.position, move)) {
        OpenPromotionChoice(&state.position, move);
        return;
    }
    if (!PlayerMoved(&state.position, move)) {
        IllegalMoveText(&state.position, move, info_string, sizeof info_string);
        printf("\n%s", info_string);
        return;
    }
    JudgeGame(&state.position);
    EngineNudge();
}

bool TamzorsTurn() { return NextToPlay(&state.position) == LoadShared(state.tamzor); }

// A pick that cannot start or finish a move says why on the info line.
void Tell(const char* text) {
    snprintf(info_string, sizeof info_string, "%s", text);
    printf("\n%s", text);
}

void Choose(SQ_T sq) {
    POS_T* b = &state.position;
    if (sq == NO_SQUARE) return;
    if (TamzorsTurn()) {
        Tell(WAIT_TEXT);
        return;
    }
    if (sq < 64) {
        if (!b->board[sq]) {
            Tell("that cell is empty");
            return;
        }
        state.selected = sq;
        GenerateSpreadmap(b);
        char name[24];
        CellName(b, sq, name, sizeof name);
        printf("\nselected %c%s", piecechar(abs(b->board[sq])), name);
        return;
    }
    switch (sq) {
        case AB_QLW: printf("\nselected QL white"); break;
        case AB_QLB: printf("\nselected QL black"); break;
        case AB_KLW: printf("\nselected KL white"); break;
        case AB_KLB: printf("\nselected KL black"); break;
        default: Panic(false, "why default?"); return;
    }
    state.selected = sq;
}

void MoveTo(SQ_T to) {
    POS_T* b = &state.position;
    const SQ_T sel = state.selected;
    state.selected = NO_SQUARE;
    if (sel >= 64) {  // an attack board, to the pin picked
        if (to != sel && to < 64 && TamzorsTurn()) {
            Tell(WAIT_TEXT);
        } else if (to != sel && to < 64) {
            MOVE_T move;
            BuildBoardMove(b, (int)sel, to, &move);
            PlayPickedMove(&move);
        }
        return;
    }
    ResetSpreadmap();
    // The piece's own cell again takes the choice back.
    if (to >= 64 || to == sel) return;
    if (TamzorsTurn()) {
        Tell(WAIT_TEXT);
        return;
    }
    MOVE_T move;
    if (!BuildMouseMove(b, state.dmode, sel, to, &move)) {
        Panic(false, "not selecting?");
        return;
    }
    PlayPickedMove(&move);
}
}  // namespace

void ActOnPick(SQ_T target) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    stepped = STEPPED_T{};
    if (editing_option) {
        GotEditingSquare(target);
        editing_option = 0;
        return;
    }
    // Flagged as the player's move: a promotion that reached the core
    // without its piece becomes a queen there.
    *MouseSelectedMove() = 1;
    if (state.selected == NO_SQUARE) Choose(target);
    else MoveTo(target);
    *MouseSelectedMove() = 0;
    fflush(stdout);
}

#include <cstdio>
#include <cstdlib>
#include <string>

#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"

const char* const WAIT_TEXT = "wait: Tamzor is thinking";

void PlayPlayersMove(MOVE_T* move, bool ask_piece) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    POS_T* b = &state.position;
    // A refused move says why before anything else: nothing to confirm.
    char reason[96];
    const bool promotion = ask_piece && IsPromotionMove(b, move);
    if (!promotion && RefusalReason(b, move, reason, sizeof reason)) {
        IllegalMoveText(b, move, info_string, sizeof info_string);
        printf("\n%s", info_string);
        return;
    }
    int side = TAMZOR_OFF;
    const bool cut = Browsing();
    if (cut) {
        // Nothing of the game is lost unless the player says so twice.
        char text[40];
        PlainMoveText(b, move, text, sizeof text);
        if (!ConfirmCut(ShownPly(), GameLength(), *move, text, info_string, sizeof info_string)) {
            printf("\n%s", info_string);
            return;
        }
        side = ComputerPlays();
        // The browsed position is the game's length now: back to the game
        // rebuilds it there, the moves after it dropped. The engine thread
        // is stopped while browsing, so the game lock is no obstacle.
        CutHere();
        state.selected = NO_SQUARE;
        ResetSpreadmap();
        printf("\ngame cut at ply %d", state.position.move_num);
    }
    if (promotion) {
        OpenPromotionChoice(b, move);
    } else if (!PlayerMoved(b, move)) {
        IllegalMoveText(b, move, info_string, sizeof info_string);
        printf("\n%s", info_string);
    } else {
        JudgeGame(b);
    }
    if (cut) ComputerTakesSide(side);
    else EngineNudge();
}

namespace {
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
    // A board that may not move now says why at once, rather than after a
    // pin is tried: the reason when every pin refuses it alike.
    const char* board_name = AttackBoardName((int)sq);
    if (board_name) {
        std::string shared;
        bool may_move = false, alike = true;
        for (int pin : all_pins) {
            MOVE_T move;
            BuildBoardMove(b, (int)sq, (SQ_T)pin, &move);
            char reason[96];
            if (!RefusalReason(b, &move, reason, sizeof reason)) {
                may_move = true;
                break;
            }
            if (shared.empty()) shared = reason;
            else if (shared != reason) alike = false;
        }
        if (!may_move) {
            char text[160];
            if (alike && !shared.empty()) snprintf(text, sizeof text, "%s cannot move: %s", board_name, shared.c_str());
            else snprintf(text, sizeof text, "%s has no free pin it may go to now", board_name);
            Tell(text);
            return;
        }
    }
    if (!board_name) {
        Panic(false, "why default?");
        return;
    }
    printf("\nselected %s", board_name);
    state.selected = sq;
}

// Another piece of the side to move, clicked where the chosen one may not
// go, is chosen instead, as a player expects; a move onto it that the rules
// allow (the 3D castle, the king onto its rook) is still played.
bool ChooseInstead(POS_T* b, const MOVE_T& move, SQ_T to) {
    const int p = to < 64 ? b->board[to] : 0;
    if (!p || (p > 0) != (NextToPlay(b) > 0) || TamzorsTurn()) return false;
    if (!RefusalReason(b, &move, nullptr, 0)) return false;
    ResetSpreadmap();
    Choose(to);
    return true;
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
            if (!ChooseInstead(b, move, to)) PlayPlayersMove(&move, true);
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
    if (!ChooseInstead(b, move, to)) PlayPlayersMove(&move, true);
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

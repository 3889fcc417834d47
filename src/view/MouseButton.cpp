#include <cstdio>
#include <cstring>

#include "view.h"

namespace {
unsigned int mb_from = NO_SQUARE, mb_to = NO_SQUARE;
const char* const WAIT_TEXT = "wait: Tamzor is thinking";

// Plays a mouse move; a refused one leaves its reason on the info line.
void PlayMouseMove(MOVE_T* move) {
    if (!PlayerMoved(&state.position, move)) {
        IllegalMoveText(&state.position, move, info_string, sizeof info_string);
        printf("\n%s", info_string);
        return;
    }
    JudgeGame(&state.position);
    EngineNudge();
}

bool TamzorsTurn() { return NextToPlay(&state.position) == LoadShared(state.tamzor); }

// A click that cannot start or finish a move says why on the info line.
void Tell(const char* text) {
    snprintf(info_string, sizeof info_string, "%s", text);
    printf("\n%s", text);
}

void FirstClick(int x, int y) {
    InSquare(x, y, &mb_from);
    const SQ_T sq = mb_from;
    if (sq == NO_SQUARE) return;
    if (TamzorsTurn()) {
        Tell(WAIT_TEXT);
        return;
    }
    if (sq < 64) {
        if (!state.position.board[sq]) {
            Tell("that cell is empty");
            return;
        }
        state.selected = sq;
        GenerateSpreadmap(&state.position);
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

void SecondClick(int x, int y) {
    POS_T* b = &state.position;
    const SQ_T sel = state.selected;
    if (sel >= 64) {  // an attack board
        InSquare(x, y, &mb_to);
        if (mb_to != mb_from && mb_to < 64 && TamzorsTurn()) Tell(WAIT_TEXT);
        else if (mb_to != mb_from && mb_to < 64) {
            MOVE_T move;
            BuildBoardMove(b, (int)sel, mb_to, &move);
            PlayMouseMove(&move);
        }
        state.selected = NO_SQUARE;
        return;
    }
    if (glutGetModifiers() & GLUT_ACTIVE_SHIFT) return;
    state.selected = NO_SQUARE;
    ResetSpreadmap();
    InSquare(x, y, &mb_to, true);
    if (mb_to >= 64 || mb_to == mb_from) return;
    if (TamzorsTurn()) {
        Tell(WAIT_TEXT);
        return;
    }
    MOVE_T move;
    if (!BuildMouseMove(b, state.dmode, mb_from, mb_to, &move)) {
        Panic(false, "not selecting?");
        return;
    }
    PlayMouseMove(&move);
}
}  // namespace

void ForgetStaleWait() {
    if (strcmp(info_string, WAIT_TEXT) != 0) return;
    // Not to wait on the engine thread, which may hold the game a while.
    std::unique_lock<std::recursive_mutex> lock(GameMutex(), std::try_to_lock);
    if (!lock.owns_lock() || TamzorsTurn()) return;
    info_string[0] = 0;
    glutPostRedisplay();
}

void MouseButton(int button, int bstate, int x, int y) {
    // The wheel (buttons 3 and 4) zooms like Page Up and Page Down.
    if (button == 3 || button == 4) {
        if (bstate == GLUT_DOWN) KeyboardSpecial(button == 3 ? GLUT_KEY_PAGE_UP : GLUT_KEY_PAGE_DOWN, x, y);
        return;
    }
    if (button == GLUT_MIDDLE_BUTTON) {
        Panic(false, "unknown mouse button");
        return;
    }
    if (button != GLUT_LEFT_BUTTON) return;
    if (bstate == GLUT_DOWN) {
        // A click is the player's answer to whatever the info line said.
        info_string[0] = 0;
        ForgetConfirm();
    }
    // Leaving replay stops the engine thread: not under the game lock, which
    // the engine may be waiting for.
    ReplayExit();
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    if (bstate == GLUT_UP) return;
    if (bstate != GLUT_DOWN) {
        Panic(false, "unknown bstate");
        return;
    }
    if (editing_option) {
        unsigned int sq;
        InSquare(x, y, &sq);
        GotEditingSquare(sq);
        editing_option = 0;
        glutPostRedisplay();
        return;
    }
    *MouseSelectedMove() = 1;
    if (state.selected == NO_SQUARE) FirstClick(x, y);
    else SecondClick(x, y);
    *MouseSelectedMove() = 0;
    fflush(stdout);
    glutPostRedisplay();
}

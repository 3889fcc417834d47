#include <cstdio>
#include <cstring>

#include "view.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"

void ForgetStaleWait() {
    if (strcmp(info_string, WAIT_TEXT) != 0) return;
    // Not to wait on the engine thread, which may hold the game a while.
    std::unique_lock<std::recursive_mutex> lock(GameMutex(), std::try_to_lock);
    if (!lock.owns_lock() || NextToPlay(&state.position) == LoadShared(state.tamzor)) return;
    info_string[0] = 0;
    glutPostRedisplay();
}

void MouseButton(int button, int bstate, int x, int y) {
    PointerMoved(x, y);
    // The wheel (buttons 3 and 4) zooms like Page Up and Page Down, or
    // scrolls the help page.
    if ((button == 3 || button == 4) && help_open) {
        if (bstate == GLUT_DOWN) ScrollHelpPage(button == 3 ? -3 : 3, false);
        glutPostRedisplay();
        return;
    }
    if (button == 3 || button == 4) {
        if (bstate == GLUT_DOWN) KeyboardSpecial(button == 3 ? GLUT_KEY_PAGE_UP : GLUT_KEY_PAGE_DOWN, x, y);
        return;
    }
    if (button == GLUT_MIDDLE_BUTTON) {
        Panic(false, "unknown mouse button");
        return;
    }
    if (button != GLUT_LEFT_BUTTON) return;
    // The help page takes a click as the end of reading.
    if (help_open) {
        if (bstate == GLUT_DOWN) CloseHelpPage();
        glutPostRedisplay();
        return;
    }
    // The promotion chooser: a click on a piece chooses it, one elsewhere
    // cancels the move.
    bool chooser;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        chooser = PromotionChoiceValid(&state.position);
    }
    if (chooser) {
        if (bstate == GLUT_DOWN) {
            info_string[0] = 0;
            ForgetConfirm();
            const int hit = PromotionBoxHit(view_layout, x, y);
            if (hit >= 0) PlayPromotionChoice(promotion_letters[hit]);
            else if (hit == -2) CancelPromotionChoice();
        }
        fflush(stdout);
        glutPostRedisplay();
        return;
    }
    // The move list: a click on a move shows the position after it (the
    // last move: the game itself again).
    if (bstate == GLUT_DOWN) {
        const int ply = MoveListHit(move_list_geom, x, y);
        if (ply >= 0) {
            info_string[0] = 0;
            ForgetConfirm();
            cell_prompt.Close();
            stepped = STEPPED_T{};
            drag = DRAG_T{};
            if (ply > 0) BrowseTo(ply);  // stops the engine thread itself: not under the game lock
            fflush(stdout);
            glutPostRedisplay();
            return;
        }
    }
    if (bstate == GLUT_UP) {
        DropDragged(x, y);
        return;
    }
    if (bstate != GLUT_DOWN) {
        Panic(false, "unknown bstate");
        return;
    }
    // A click is the player's answer to whatever the info line said, and
    // to a cell stepped to or a name half typed.
    info_string[0] = 0;
    ForgetConfirm();
    cell_prompt.Close();
    stepped = STEPPED_T{};
    drag = DRAG_T{};
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    const SQ_T sel = state.selected;
    // Shift on the second click keeps the piece chosen.
    const bool piece_chosen = !editing_option && sel < 64;
    if (piece_chosen && (glutGetModifiers() & GLUT_ACTIVE_SHIFT)) return;
    unsigned int sq;
    InSquare(x, y, &sq, piece_chosen);
    ActOnPick(sq);
    // A press that chose a piece may go on to drag it.
    const SQ_T now = state.selected;
    if (sel == NO_SQUARE && !editing_option && now < 64 && sign(state.position.board[now]) == NextToPlay(&state.position))
        drag = DRAG_T{true, false, now, x, y};
    glutPostRedisplay();
}

void PointerDragged(int x, int y) {
    PointerMoved(x, y);
    if (DragMoved(&drag, x, y)) glutPostRedisplay();
}

void DropDragged(int x, int y) {
    const DRAG_T d = drag;
    drag = DRAG_T{};
    if (!d.dragging) return;  // a click: the press did all there is
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        // The choice went meanwhile (the game changed under it): nothing to drop.
        if (state.selected != d.from) {
            glutPostRedisplay();
            return;
        }
        unsigned int sq;
        InSquare(x, y, &sq, true);
        if (sq == d.from || sq >= 64) {
            // Let go on its own cell or off the board: it goes back.
            state.selected = NO_SQUARE;
            ResetSpreadmap();
            if (sq != d.from) {
                snprintf(info_string, sizeof info_string, "let go off the board: the piece goes back");
                printf("\n%s", info_string);
            }
        } else {
            ActOnPick(sq);  // as the second click: played, or refused with the reason
        }
    }
    fflush(stdout);
    glutPostRedisplay();
}

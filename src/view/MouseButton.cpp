#include <cstdio>
#include <cstring>

#include "view.h"

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
    if (bstate == GLUT_DOWN) {
        // A click is the player's answer to whatever the info line said, and
        // to a cell stepped to or a name half typed.
        info_string[0] = 0;
        ForgetConfirm();
        cell_prompt.Close();
        stepped = STEPPED_T{};
    }
    // Leaving replay stops the engine thread: not under the game lock, which
    // the engine may be waiting for.
    LeaveReplay();
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    if (bstate == GLUT_UP) return;
    if (bstate != GLUT_DOWN) {
        Panic(false, "unknown bstate");
        return;
    }
    const SQ_T sel = state.selected;
    // Shift on the second click keeps the piece chosen.
    const bool piece_chosen = !editing_option && sel < 64;
    if (piece_chosen && (glutGetModifiers() & GLUT_ACTIVE_SHIFT)) return;
    unsigned int sq;
    InSquare(x, y, &sq, piece_chosen);
    ActOnPick(sq);
    glutPostRedisplay();
}

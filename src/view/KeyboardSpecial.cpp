#include <algorithm>
#include <cstdio>

#include "view.h"
#include "tamzor.h"

#include <GL/freeglut_ext.h>  // the modifier key codes

namespace {
void Wrap(float& angle) {
    if (angle < 0) angle += 360;
    if (angle >= 360) angle -= 360;
}
}  // namespace

void KeyboardSpecial(int key, int, int) {
    const int mods = glutGetModifiers();
    const bool shift = (mods & GLUT_ACTIVE_SHIFT) != 0, alt = (mods & GLUT_ACTIVE_ALT) != 0;
    const float step = shift ? 10.0f : 1.0f;
    int* zang = GetZAng();
    // Special keys are told apart from characters by an offset.
    const int confirm_key = 256 + key;
    const bool modifier = key == GLUT_KEY_SHIFT_L || key == GLUT_KEY_SHIFT_R || key == GLUT_KEY_CTRL_L ||
                          key == GLUT_KEY_CTRL_R || key == GLUT_KEY_ALT_L || key == GLUT_KEY_ALT_R;
    // The help page keeps the keys while it is open: they scroll or close it.
    if (help_open) {
        switch (key) {
            case GLUT_KEY_F1: CloseHelpPage(); break;
            case GLUT_KEY_UP: ScrollHelpPage(shift ? -10 : -1, false); break;
            case GLUT_KEY_DOWN: ScrollHelpPage(shift ? 10 : 1, false); break;
            case GLUT_KEY_PAGE_UP: ScrollHelpPage(-1, true); break;
            case GLUT_KEY_PAGE_DOWN: ScrollHelpPage(1, true); break;
            case GLUT_KEY_HOME: ScrollHelpPage(-100000, false); break;
            case GLUT_KEY_END: ScrollHelpPage(100000, false); break;
            default: break;
        }
        glutPostRedisplay();
        return;
    }
    if (key != GLUT_KEY_F2 && key != GLUT_KEY_F3 && !modifier) ForgetConfirm();
    // While the game is browsed the arrows step through it, Home and End go
    // to its start and back to the game (Alt and the arrows still turn the board).
    if (Browsing() && !alt && (key == GLUT_KEY_LEFT || key == GLUT_KEY_RIGHT || key == GLUT_KEY_HOME || key == GLUT_KEY_END)) {
        // stops and starts the engine thread itself: not under the game lock
        if (key == GLUT_KEY_LEFT) BrowseTo(ShownPly() - 1);
        else if (key == GLUT_KEY_RIGHT) BrowseTo(ShownPly() + 1);
        else if (key == GLUT_KEY_HOME) BrowseTo(GameFirstPly());
        else LeaveReplay();
        info_string[0] = 0;
        glutPostRedisplay();
        return;
    }
    switch (key) {
        case GLUT_KEY_F1: OpenHelpPage(); break;
        case GLUT_KEY_F2:
            if (ConfirmKey(confirm_key, "F2 again: a new 2D game in place of this one")) DoModeMenu(2);
            break;
        case GLUT_KEY_F3:
            if (ConfirmKey(confirm_key, "F3 again: a new 3D game in place of this one")) DoModeMenu(3);
            break;
        case GLUT_KEY_F5: {
            printf("\nFavorite view LOADED");
            FILE* f = fopen("favview.sav", "rt");
            if (!f) {
                ResetView();
                break;
            }
            if (fscanf(f, "%g %g %g", &state.xang, &state.yang, &state.scale) != 3) ResetView();
            fclose(f);
            break;
        }
        case GLUT_KEY_F6: {
            FILE* f = fopen("favview.sav", "wt");
            if (f) {
                fprintf(f, "%g\n%g\n%g\n", state.xang, state.yang, state.scale);
                fclose(f);
            }
            printf("\nFavorite view SAVED");
            break;
        }
        case GLUT_KEY_F7:
            // stops the engine thread itself: not under the game lock
            BrowseTo(shift ? GameFirstPly() : ShownPly() - 1);
            info_string[0] = 0;
            break;
        case GLUT_KEY_F8:
            // forward from the last move is the game itself: nothing to do
            if (Browsing()) BrowseTo(shift ? GameLength() : ShownPly() + 1);
            info_string[0] = 0;
            break;
        case GLUT_KEY_HOME:
            BrowseTo(GameFirstPly());
            info_string[0] = 0;
            break;
        case GLUT_KEY_END: LeaveReplay(); break;
        case GLUT_KEY_F9:
            if (state.demo_mode == 0) {
                state.demo_mode = 1;
            } else {
                StoreShared(state.stop_search, 1);
                state.demo_mode = 0;
            }
            break;
        case GLUT_KEY_F10:
            computer_side = TAMZOR_OFF;
            StoreShared(state.stop_search, 1);
            state.demo_mode = 0;
            StoreShared(state.tamzor, TAMZOR_OFF);
            break;
        case GLUT_KEY_LEFT:
            if (alt) {
                *zang += (int)step;
                if (*zang > 359) *zang -= 360;
            } else {
                state.yang -= step;
                Wrap(state.yang);
            }
            break;
        case GLUT_KEY_RIGHT:
            if (alt) {
                *zang -= (int)step;
                if (*zang < 0) *zang += 360;
            } else {
                state.yang += step;
                Wrap(state.yang);
            }
            break;
        case GLUT_KEY_UP:
            state.xang -= step;
            Wrap(state.xang);
            break;
        case GLUT_KEY_DOWN:
            state.xang += step;
            Wrap(state.xang);
            break;
        // a tenth a step, a quarter with Shift; never so far that the board
        // vanishes or swallows the window
        case GLUT_KEY_PAGE_UP: state.scale = std::min(state.scale * (shift ? 1.25f : 1.1f), 12.0f); break;
        case GLUT_KEY_PAGE_DOWN: state.scale = std::max(state.scale / (shift ? 1.25f : 1.1f), 0.2f); break;
        case GLUT_KEY_SHIFT_L:
        case GLUT_KEY_SHIFT_R:
        case GLUT_KEY_CTRL_L:
        case GLUT_KEY_CTRL_R:
        case GLUT_KEY_ALT_L:
        case GLUT_KEY_ALT_R: break;  // a modifier on its own is no command
        default: printf("\nDon't know what to do with KeyboardSpecial hit: '%c' (0x%0x)", key, key); break;
    }
    fflush(stdout);
    glutPostRedisplay();
}

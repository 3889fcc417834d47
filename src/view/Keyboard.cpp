#include <cctype>
#include <cstdio>

#include "build_info.h"
#include "view.h"
#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
int j_ptr = 0;

void BuildDate() {
    // the date is "Mmm dd yyyy", the time "hh:mm:ss"
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
#ifdef TAMZOR_BUILD_DATE
    const char *d = TAMZOR_BUILD_DATE, *hms = TAMZOR_BUILD_TIME;
#else
    const char *d = __DATE__, *hms = __TIME__;
#endif
    int month = 0;
    for (int m = 0; m < 12; m++)
        if (d[0] == months[m * 3] && d[1] == months[m * 3 + 1] && d[2] == months[m * 3 + 2]) month = m;
    int day = (d[4] == ' ' ? 0 : d[4] - '0') * 10 + (d[5] - '0');
    int year = (d[7] - '0') * 1000 + (d[8] - '0') * 100 + (d[9] - '0') * 10 + (d[10] - '0');
    // weekday by Sakamoto's rule
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int y = year - (month < 2);
    int wd = (y + y / 4 - y / 100 + y / 400 + t[month] + day) % 7;
    printf("\nBuilt: %s %.3s %d %s %02d", days[wd], months + month * 3, day, hms, year % 100);
}
}  // namespace

// Alt is only asked for by the keys that use it: start-up calls Keyboard
// outside an input callback, where GLUT cannot tell.
static bool AltHeld() { return (glutGetModifiers() & GLUT_ACTIVE_ALT) != 0; }

void Keyboard(unsigned char key, int, int) {
    const int k = toupper(key);
    // An open menu takes Esc for itself: it never ends the game.
    if (k == 27 && menu_in_use) return;
    // The help page keeps the keys while it is open: those that close it act.
    if (help_open) {
        if (k == 27 || k == 'H') CloseHelpPage();
        glutPostRedisplay();
        return;
    }
    // While a name is typed, letters are its and no commands.
    if (PromptKey(key)) {
        glutPostRedisplay();
        return;
    }
    // A promotion waiting for its piece takes that piece's letter (Esc, as
    // what waits for the player, takes the move back); other keys act as ever.
    bool chooser;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        chooser = PromotionChoiceValid(&state.position);
    }
    if (chooser && (k == 'Q' || k == 'R' || k == 'B' || k == 'N')) {
        ForgetConfirm();
        PlayPromotionChoice((char)k);
        fflush(stdout);
        glutPostRedisplay();
        return;
    }
    if (k != 27 && k != 'Q' && k != 'R' && k != 'K') ForgetConfirm();
    switch (k) {
        case 27:
            // What waits for the player's next step goes first.
            if (ClearPending()) {
                ForgetConfirm();
                break;
            }
            if (CancelReviewForPlayer()) {
                ForgetConfirm();
                break;
            }
            if (ConfirmKey(27, "Esc again to quit; S saves the game first")) Quit();
            break;
        case '\t': StepUnderPointer(); break;
        case '\r':
        case ' ':
        case ':':
            if (k != ':' && stepped.target != NO_SQUARE) {
                TakeStepped();
                break;
            }
            if (k == ' ') break;
            info_string[0] = 0;
            cell_prompt.Open(CellPromptLabel());
            break;
        case 'Q':
            if (ConfirmKey('Q', "Q again to quit; S saves the game first")) Quit();
            break;
        case '!': printf("\nTamzor: write to tamzor@example.org"); break;
        case '#': BuildDate(); break;
        case '?': PrintVersion(); break;
        case 'A': AxesOnOff = !AxesOnOff; break;
        case 'B':
            printf("\nTamzor playing Black");
            StoreShared(state.tamzor, TAMZOR_BLACK);
            state.demo_mode = 0;
            SidesText("", info_string, sizeof info_string);
            EngineNudge();
            break;
        case 'C': CapturedOnOff = !CapturedOnOff; break;
        case 'D':
            // d steps up the ladder, Shift+D down
            StepLevel(key == 'D' ? -1 : 1, info_string, sizeof info_string);
            printf("\n%s", info_string);
            break;
        case 'E':
            eval_show = !eval_show;
            if (eval_show) SetConsoleOutput(true);
            printf("\nEval %s", eval_show ? "ON" : "OFF");
            if (!eval_show) SetConsoleOutput(console_log);
            snprintf(info_string, sizeof info_string, "verbose output on the terminal: %s", eval_show ? "on" : "off");
            break;
        case 'G': printf("\nW xang=%g yang=%g scale=%g", state.xang, state.yang, state.scale); break;
        case 'H': OpenHelpPage(); break;
        case 'J':
            j_ptr = (j_ptr + 1) % 4;
            printf("\nj=%d", j_ptr);
            break;
        case 'K': {
            if (state.dmode == 2) break;
            LeaveReplay();
            // The move is an edit: the game starts anew from it.
            {
                std::lock_guard<std::recursive_mutex> lock(GameMutex());
                const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
                if (!ConfirmKey('K', "K again: move the board, the game starts there",
                                state.position.move_num > first && !state.position.winner))
                    break;
            }
            Clutch(0);
            {
                std::lock_guard<std::recursive_mutex> lock(GameMutex());
                const char* name = AttackBoardName(ab_of_index[j_ptr]);
                const int pin = KeyPinCycle(&state.position, j_ptr);
                if (pin < 0) {
                    snprintf(info_string, sizeof info_string, "K: %s carries a king: it stays", name);
                } else if (pin == 0) {
                    snprintf(info_string, sizeof info_string, "K: no free pin for %s", name);
                } else {
                    TakeEditAsStart(&state.position);
                    snprintf(info_string, sizeof info_string, "K: %s now on %s", name, GetABString(&state.position, pin));
                }
            }
            Clutch(1);
            break;
        }
        case 'M':
            panel_on = !panel_on;
            ReshapeMain(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
            break;
        case 'N': cell_names_on = !cell_names_on; break;
        case 'I': AskHint(); break;
        case 'P': ToggleThinking(); break;
        case 'L': {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            ListGame(AltHeld());
            break;
        }
        case 'O': Overhead(); break;
        case 'R': // stops the engine thread itself: not under the game lock
            if (ConfirmKey('R', "R again: the saved game in place of this one")) RestoreForPlayer(AltHeld() ? 1 : 0);
            break;
        case 'S': SaveForPlayer(); break;
        case 'T': {
            const TIMERMODE_E m = timers.timermode;
            switch (m) {
                case TM_OFF: timers.timermode = TM_ELAPSED; break;
                case TM_ELAPSED: timers.timermode = TM_WHITE; break;
                case TM_WHITE: timers.timermode = TM_BLACK; break;
                case TM_BLACK: timers.timermode = TM_OFF; break;
                case TM_STOPPED: timers.timermode = TM_WHITE; break;  // it showed the elapsed time
                default:
                    Panic(false, "Keyboard : bad timer mode");
                    timers.timermode = TM_OFF;
            }
            break;
        }
        case 'U': // stops the engine thread itself: not under the game lock
            UndoForPlayer(1);
            break;
        case 'V': ResetView(); break;
        case 'W':
            printf("\nTamzor playing White");
            StoreShared(state.tamzor, TAMZOR_WHITE);
            state.demo_mode = 0;
            SidesText("", info_string, sizeof info_string);
            EngineNudge();
            break;
        case 'X': state.stipple = !state.stipple; break;
        case 'Z': ToggleZeBlackView(); break;
        default:
            printf("\nDon't know what to do with keyboard hit: '%c' (0x%0x)\n", key, key);
            // a move typed without Enter first lands here: say how
            if (isprint(key))
                snprintf(info_string, sizeof info_string, "%c is no key: Enter types a move, H shows the keys", key);
            break;
    }
    fflush(stdout);
    glutPostRedisplay();
}

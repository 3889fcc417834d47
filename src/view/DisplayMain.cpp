#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "view.h"

namespace {
const char* const edit_texts[17] = {nullptr,
                                    "remove from where?",
                                    "clear board",
                                    "white now moving ...",
                                    "black now moving ...",
                                    "add black pawn where?",
                                    "add black knight where?",
                                    "add black bishop where?",
                                    "add black rook where?",
                                    "add black queen where?",
                                    "add black king where?",
                                    "add white pawn where?",
                                    "add white knight where?",
                                    "add white bishop where?",
                                    "add white rook where?",
                                    "add white queen where?",
                                    "add white king where?"};

void SetMoveString(POS_T* b) {
    const int n = b->move_num;
    if (editing_option >= 1 && editing_option <= 16)
        snprintf(move_string, sizeof move_string, "%s", edit_texts[editing_option]);
    else if (replay != -1)
        snprintf(move_string, sizeof move_string, "Replay %d of %d", replay, n);
    else if (n == 0)
        snprintf(move_string, sizeof move_string, "Tamzor 2.98f");
    else if (n & 1)
        snprintf(move_string, sizeof move_string, "%d. %s", n / 2 + 1, GameListGet(n));
    else
        snprintf(move_string, sizeof move_string, "%d. ... %s", (n - 1) / 2 + 1, GameListGet(n));
}

// Rows of the status text: baselines from the window's top, in pixels.
constexpr int TEXT_LEFT = 42, TEXT_TOP = 40, TEXT_STEP = 36;
int Row(int k) { return TEXT_TOP + TEXT_STEP * k; }

void DrawBanner(POS_T* b) {
    // A decided game says how it ended until a new game or undo.
    if (const char* result = ResultLine(b)) {
        SetColor(color_red);
        snprintf(banner_string, sizeof banner_string, "Game over: %s", result);
        DrawPixelText(TEXT_LEFT, Row(1), banner_string);
        return;
    }
    const int tamzor = LoadShared(state.tamzor);
    if (tamzor == TAMZOR_OFF) {
        SetColor(color_orange);
        snprintf(banner_string, sizeof banner_string, "Tamzor not playing");
        if (state.dmode != 2) {
            const int rules = LoadShared(state.rules);
            if (rules == RULES_TOURNAMENT) snprintf(banner_string, sizeof banner_string, "Tamzor not playing (TOURNAMENT)");
            else if (rules == RULES_TDCL) snprintf(banner_string, sizeof banner_string, "Tamzor not playing (TDCL)");
            // A new game zeroes the rules: no suffix then, rather than ending the program.
            else if (rules != RULES_NONE) Panic(true, "NO RULESET");
        }
    } else if (tamzor == TAMZOR_WHITE || tamzor == TAMZOR_BLACK) {
        const int to_move = NextToPlay(b);
        SetColor(to_move == TAMZOR_WHITE ? piece_color_white : piece_color_black);
        TurnText(tamzor, to_move, banner_string, sizeof banner_string);
    } else {
        Panic(true, "bad setting @ DisplayMain");
    }
    DrawPixelText(TEXT_LEFT, Row(1), banner_string);
}

void DrawInfo(POS_T* b) {
    char text[80];
    if (cell_prompt.IsOpen()) {
        SetColor(color_white);
        DrawPixelText(TEXT_LEFT, Row(2), cell_prompt.Shown().c_str());
        return;
    }
    // A message stays until the next click: the player must see it.
    if (info_string[0]) {
        SetColor(color_white);
        DrawPixelText(TEXT_LEFT, Row(2), info_string);
        return;
    }
    if (b->last_move.check) {
        SetColor(color_red);
        const char* w = b->winner == 0 ? "CHECK"
                        : (b->winner == 1 || b->winner == -1) ? "CHECKMATE"
                        : b->winner == 2 ? "STALEMATE" : "YOU TELL ME";
        DrawPixelText(TEXT_LEFT, Row(2), w);
        return;
    }
    SetColor(color_green);
    const SQ_T sel = state.selected;
    if (sel == NO_SQUARE) {
        snprintf(text, sizeof text, "%d plies", b->move_num);
    } else if (sel == AB_QLW || sel == AB_QLB) {
        snprintf(text, sizeof text, "Queen's Level");
    } else if (sel == AB_KLW || sel == AB_KLB) {
        snprintf(text, sizeof text, "Kings's Level");
    } else if (sel < 64) {
        char name[32];
        CellName(b, sel, name, sizeof name);
        snprintf(text, sizeof text, "%c%s", piecechar(abs(b->board[sel])), name);
    } else {
        text[0] = 0;
    }
    DrawPixelText(TEXT_LEFT, Row(2), text);
}

void DrawClock() {
    const TIMERMODE_E mode = timers.timermode;
    if (mode == TM_OFF) return;
    switch (mode) {
        case TM_BLACK:
            SetColor(piece_color_black);
            timers.PrintTimeString(timers.black_time);
            break;
        case TM_WHITE:
            SetColor(piece_color_white);
            timers.PrintTimeString(timers.white_time);
            break;
        case TM_ELAPSED:
        case TM_STOPPED:
            SetColor(color_yellow);
            timers.PrintTimeString(timers.elapsed_time);
            break;
        default:
            Panic(false, "DisplayMain bad timer mode");
            timers.timermode = TM_OFF;
            return;
    }
    DrawPixelText(TEXT_LEFT, Row(3), timers.time_string);
}
}  // namespace

void DisplayMain() {
    // The engine plays its moves under this lock: a frame never shows half a move.
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    const auto start = std::chrono::steady_clock::now();
    POS_T* b = &state.position;
    glutSetWindow(mainWindow);
    view_layout = ViewLayout(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT), panel_on != 0, CapturedOnOff != 0);
    glDrawBuffer(GL_BACK);
    glViewport(0, 0, view_layout.width, view_layout.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PictureViewport();
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_FLAT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    AdjustModelview();

    DrawBoard(GL_RENDER);
    DrawPieces();
    DrawSteppedOutline();
    if (CapturedOnOff) DrawCaptured();
    if (AxesOnOff) DrawAxes();
    glDisable(GL_LIGHTING);
    DrawPieceLetters();
    DrawBoardLabels();
    if (cell_names_on) DrawCellNames();

    // The text and the move list in window pixels.
    SetMoveString(b);
    glPushAttrib(GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT);
    glViewport(0, 0, view_layout.width, view_layout.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, view_layout.width, 0, view_layout.height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    if (panel_on) DrawMoveList();
    SetColor((b->move_num & 1) ? piece_color_white : piece_color_black);
    DrawPixelText(TEXT_LEFT, Row(0), move_string);
    DrawBanner(b);
    DrawInfo(b);
    DrawClock();
    glPopMatrix();
    glPopAttrib();
    glEnable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glutSwapBuffers();
    glFlush();
    if (eval_show) {
        // the time of a whole frame, drawing finished
        glFinish();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        printf("\nDisplayMain %.1f ms", ms);
    }
}

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "build_info.h"
#include "search/review.h"
#include "shell/clock.h"
#include "view.h"
#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

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
    if (Browsing() && !(editing_option >= 1 && editing_option <= 16)) {
        snprintf(move_string, sizeof move_string, "Move list: ply %d of %d", replay, GameLength());
        return;
    }
    if (editing_option >= 1 && editing_option <= 16)
        snprintf(move_string, sizeof move_string, "%s", edit_texts[editing_option]);
    else if (n == 0)
        snprintf(move_string, sizeof move_string, "Tamzor " TAMZOR_VERSION);
    else if (n & 1)
        snprintf(move_string, sizeof move_string, "%d. %s", MoveNumberOfPly(n - 1), GameListGet(n));
    else
        snprintf(move_string, sizeof move_string, "%d. ... %s", MoveNumberOfPly(n - 1), GameListGet(n));
}

// The status lines above the board: each wrapped at spaces within the
// picture's area and drawn from the top down, the next one below the lines
// the one before took.
class StatusLines {
public:
    StatusLines() : area_(StatusTextArea(view_layout)) {
        // a narrow picture takes a smaller font, so more words fit a line
        if (area_.right - area_.left < 300) {
            font_ = GLUT_BITMAP_HELVETICA_18;
            wrap_step_ = 22;
            step_ = 30;
        }
    }
    void Put(const char* text) {
        void* font = font_;
        const auto width = [font](const std::string& s) {
            return glutBitmapLength(font, (const unsigned char*)s.c_str());
        };
        const std::vector<std::string> lines = WrapText(text, width, area_.right - area_.left);
        for (size_t i = 0; i < lines.size(); i++) {
            if (i > 0) y_ += wrap_step_;
            DrawPixelText(area_.left, y_, lines[i].c_str(), font_);
        }
        y_ += step_;
    }
    // One line of texts side by side, each in its own colour (not wrapped:
    // it is short).
    void PutParts(const std::vector<std::pair<COLOR_T, std::string>>& parts) {
        int x = area_.left;
        for (const auto& [color, text] : parts) {
            SetColor(color);
            DrawPixelText(x, y_, text.c_str(), font_);
            x += glutBitmapLength(font_, (const unsigned char*)text.c_str());
        }
        y_ += step_;
    }

private:
    TEXT_AREA_T area_;
    void* font_ = GLUT_BITMAP_TIMES_ROMAN_24;
    int y_ = 40, step_ = 36, wrap_step_ = 28;
};

// Browsing the game: the banner and a frame round the board in this colour.
const COLOR_T browse_color = {0.3f, 0.85f, 1.0f, 0};

void DrawBanner(POS_T* b, StatusLines& out) {
    // Browsing says so, and how to get back, rather than whose move it is.
    if (Browsing()) {
        SetColor(browse_color);
        out.Put(BrowseBanner(replay, GameFirstPly()).c_str());
        // a reviewed game tells what the move looked at lost, and the better line
        const std::string note = replay > GameFirstPly() ? ReviewNote(replay - 1) : "";
        if (!note.empty()) {
            SetColor(color_orange);
            out.Put(note.c_str());
        }
        return;
    }
    // A decided game says how it ended until a new game or undo.
    if (const char* result = ResultLine(b)) {
        SetColor(color_red);
        snprintf(banner_string, sizeof banner_string, "Game over: %s", result);
        out.Put(banner_string);
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
    out.Put(banner_string);
}

void DrawInfo(POS_T* b, StatusLines& out) {
    char text[160];
    if (cell_prompt.IsOpen()) {
        SetColor(color_white);
        out.Put(cell_prompt.Shown().c_str());
        return;
    }
    // a running review says how far it is
    const std::string reviewing = ReviewProgressText();
    if (!reviewing.empty()) {
        SetColor(color_yellow);
        out.Put(reviewing.c_str());
        return;
    }
    // A message stays until the next click: the player must see it.
    if (info_string[0]) {
        SetColor(color_white);
        out.Put(info_string);
        return;
    }
    if (b->last_move.check) {
        SetColor(color_red);
        const char* w = b->winner == 0 ? "CHECK"
                        : (b->winner == 1 || b->winner == -1) ? "CHECKMATE"
                        : b->winner == 2 ? "STALEMATE" : "YOU TELL ME";
        out.Put(w);
        return;
    }
    SetColor(color_green);
    const SQ_T sel = state.selected;
    if (sel == NO_SQUARE) {
        // a new game says where the help is
        snprintf(text, sizeof text, b->move_num ? "%d plies" : "%d plies (H or F1: help)", b->move_num);
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
    out.Put(text);
}

// A timed game's two clocks: the running one marked, one under ten seconds
// in red.
void DrawGameClocks(StatusLines& out) {
    const CLOCK_LINE_T line = ClockLine(TickCount());
    auto side = [&](int who, const std::string& time, bool low) {
        const COLOR_T& own = who == 1 ? piece_color_white : piece_color_black;
        const bool runs = line.running == who;
        const std::string name = who == 1 ? "White " : "Black ";
        return std::pair<COLOR_T, std::string>(low ? color_red : own,
                                               (runs ? "> " : "   ") + name + time + (runs ? " <" : "   "));
    };
    out.PutParts({side(1, line.white, line.white_low), {color_white, "     "}, side(-1, line.black, line.black_low)});
}

void DrawClock(StatusLines& out) {
    if (game_clock.Timed()) {
        DrawGameClocks(out);
        return;
    }
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
    out.Put(timers.time_string);
}
}  // namespace

void DisplayMain() {
    // The engine plays its moves under this lock: a frame never shows half a move.
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    const auto start = std::chrono::steady_clock::now();
    POS_T* b = &state.position;
    glutSetWindow(mainWindow);
    view_layout = ViewLayout(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT), panel_on != 0, CapturedOnOff != 0,
                             thinking_on != 0);
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
    glPushAttrib(GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_SCISSOR_BIT);
    OverlayProjection();
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    TakeReviewOutcome();
    if (panel_on) DrawMoveList();
    else move_list_geom = MOVE_LIST_GEOM_T{};
    if (Browsing()) {
        // the board shown is not the game's: framed, so it is never taken for it
        const LAYOUT_T& l = view_layout;
        const int top = l.height - l.pic_y - l.pic_h;
        SetColor(browse_color);
        glLineWidth(3);
        PixelRect(l.pic_x + 2, top + 2, l.pic_x + l.pic_w - 2, top + l.pic_h - 2, false);
        glLineWidth(1);
    }
    if (thinking_on) DrawThinking();
    DrawReviewProgress();
    {
        // Nothing of the status runs under the move list, not even a word
        // longer than the room.
        const TEXT_AREA_T area = StatusTextArea(view_layout);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, area.right, view_layout.height);
        StatusLines out;
        SetColor((b->move_num & 1) ? piece_color_white : piece_color_black);
        out.Put(move_string);
        DrawBanner(b, out);
        DrawInfo(b, out);
        DrawClock(out);
        glDisable(GL_SCISSOR_TEST);
    }
    if (PromotionChoiceValid(b)) DrawPromotionChoice();
    if (help_open) DrawHelpPage();
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

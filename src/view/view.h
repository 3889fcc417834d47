// The window program: drawing, piece models, GLUT callbacks and menus.
#pragma once

#include <GL/glu.h>
#include <GL/glut.h>

#include <string>
#include <vector>

#include "pieces.h"
#include "viewlogic.h"
#include "tamzor.h"

inline void SetColor(const COLOR_T& c) { glColor3f(c.r, c.g, c.b); }
// Drawing and picking of the board go to the picture of the layout.
inline void PictureViewport() {
    glViewport(view_layout.pic_x, view_layout.pic_y, view_layout.pic_w, view_layout.pic_h);
}

// Scene.
void AdjustModelview();
void DrawBoard(unsigned int mode);
void DrawAttackboardPins(unsigned int ab);
unsigned int AddABPin(unsigned int pin);
void DrawAxes();
void DrawCaptured();
void DisplayMain();
void ReshapeMain(int w, int h);
void ResetView();
void Overhead();
void ToggleZeBlackView();
int* GetZAng();
void DrawText(float x, float y, const char* text);
// Text at window pixel (x, y), counted from the top left, in `font`.
void DrawPixelText(int x, int y, const char* text, void* font = GLUT_BITMAP_TIMES_ROMAN_24);
void DrawMoveList();
void DrawReviewProgress();
// The computer's-thinking panel and the evaluation bar (P).
void DrawThinking();
// A ball on `pin` in `color`, as the pins a chosen board may go to are marked.
void DrawPinMarker(unsigned int pin, const COLOR_T& color);
// A rectangle in window pixels counted from the top left, under the overlay
// projection: one unit a pixel, GL's origin at the bottom left.
void PixelRect(int x0, int top, int x1, int bottom, bool filled = true);
void OverlayProjection();
void DrawCellNames();
// File and rank letters of the 2D board, names of the 3D levels and boards.
void DrawBoardLabels();
// A letter on each piece's top when the board is seen from above.
void DrawPieceLetters();
// Overlays drawn last, in the pixel projection of the text: the promotion
// chooser and the help page.
void DrawPromotionChoice();
void DrawHelpPage();
void OpenHelpPage();
void CloseHelpPage();
// Scrolls the open help page by `delta` lines, or pages when `pages`.
void ScrollHelpPage(int delta, bool pages);
// Plays the held promotion with the piece of `letter` (Q, R, B or N).
void PlayPromotionChoice(char letter);

// Piece models: pieces.h.
// One piece of code `piece` at the current origin (base at z 0).
void DrawPieceModel(int piece, GLUquadric* q, int x, int y);
void DrawPieces(unsigned int mode = GL_RENDER);
void DrawSteppedOutline();

// Input.
void Keyboard(unsigned char key, int x, int y);
void KeyboardSpecial(int key, int x, int y);
void MouseButton(int button, int bstate, int x, int y);
// The pointer moved with a button held: a chosen piece may be dragged.
void PointerDragged(int x, int y);
// The button let go at (x, y): a dragged piece is played there, or goes back.
void DropDragged(int x, int y);
// The computer has moved: "wait", said to a click meanwhile, goes.
void ForgetStaleWait();
// Everything under window position (x, y), as GL selection finds it.
std::vector<PICK_HIT_T> PickAt(int x, int y);
// What a click at (x, y) takes (ChoosePick).
void InSquare(int x, int y, unsigned int* sq, bool cells_first = false);
// Notes where the pointer is (the Tab key looks there).
void PointerMoved(int x, int y);
// The Tab key: the next thing under the pointer, nearest first, shown and
// named on the info line; Enter or Space (TakeStepped) acts on it.
void StepUnderPointer();
void TakeStepped();
// Keys for the cell prompt while it is open: true when the key was its.
bool PromptKey(unsigned char key);
void PrintHelp();
void PrintVersion();
[[noreturn]] void Quit();

// Menus.
void CreateMenus();
// Rewrites the marks of the settings menus whose value changed (by a key, a
// menu, a restored game); called when idle, never while a menu is open.
void RefreshMenuMarks();
void DoMainMenu(int v);
void DoGameMenu(int v);
void DoComputerMenu(int v);
void DoDifficultyMenu(int v);
void DoTimeLimitMenu(int v);
void DoTimeControlMenu(int v);
void DoThreadsMenu(int v);
void DoPonderMenu(int v);
void DoModeMenu(int v);
// The Mode menu's entries: as DoModeMenu, asking first while a game is on.
void DoModeMenuEntry(int v);
void DoPiecesMenu(int v);
void DoRulesMenu(int v);
void DoNotationMenu(int v);
void DoSpreadMenu(int v);
void DoViewMenu(int v);
void DoProjMenu(int v);
void DoAxesMenu(int v);
void DoOpacityMenu(int v);
void DoCapturedMenu(int v);
void DoBookMenu(int v);
void DoEditMenu(int v);
void DoPieceMenu(int v);
void DoUndoMenu(int v);
// The computer's-thinking panel on or off (P, View > Show thinking).
void ToggleThinking();
// Its menu entry's label, marked with '>' when on.
const char* ThinkingMenuLabel();
extern int ViewMenu, thinking_entry;
extern bool menus_ready;
// Brings that label up to date; called when idle.
void RefreshThinkingLabel();

// Game changes of keys and menus, as the window makes them.
void UndoForPlayer(int plies);
void RestoreForPlayer(int arg);
// The game written to tamzor-<date>-<time>.pgn in the working directory.
void SavePgnForPlayer();
// Game 1 of a PGN file (the newest tamzor-*.pgn here when none is named)
// played on; one that does not read leaves the game as it was, and the
// info line says why.
void LoadPgnForPlayer(const char* file);
// The newest tamzor-<date>-<time>.pgn in the working directory; "" when none.
std::string NewestPgnHere();
void MenuStatus(int status, int x, int y);
extern bool menu_in_use;

// Hooks of the core and the idle callback.
void InstallViewHooks();
void ViewIdle();
void RequestRedraw();

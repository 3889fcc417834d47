// The window program's state and the parts of its input handling that need
// no GL: picking names, mouse moves, menu labels, board editing, the K key.
#pragma once

#include <string>

#include "tamzor.h"

// Display options and messages shown by the window.
extern int AxesOnOff;
extern int CapturedOnOff;
extern int editing_option;  // pending board edit: 0 none, 1 remove, 5..16 add a piece
extern int menu_mesh_pieces;
extern int mainWindow;
// A message on the info line; it stays until the next click.
extern char info_string[64];
extern int panel_on;       // the move list beside the board
extern int cell_names_on;  // every cell's name drawn on the board
// The side the computer last played alone (TAMZOR_WHITE or TAMZOR_BLACK),
// TAMZOR_OFF once the player switched it off: undo gives it back that side.
extern int computer_side;
// Noted from the live state every idle call.
void RememberComputerSide();

struct COLOR_T {
    float r, g, b, a;
};
extern const COLOR_T piece_color_white, piece_color_black;
extern const COLOR_T square_color_white, square_color_black, square_color_selected;
extern const COLOR_T color_red, color_orange, color_green, color_magenta, color_blue, color_cyan,
    color_yellow, color_white;
// The from and to cells of the last move: apart from the spread map's colours.
extern const COLOR_T color_last_move;

// The cell (x*8+y) or attack-board id named by the first hit record with two
// names in a GL selection buffer, NO_SQUARE when none; records passed over are
// reported on standard output when `report`.
// Pin markers are named (PIN_PICK_NAME, pin).
constexpr unsigned int PIN_PICK_NAME = 200;
// The thing a click picked from a GL selection buffer: a pin marker's pin
// before anything else, then a post's board before a cell, or with
// `cells_first` a cell before a post; NO_SQUARE when none. Records of
// another shape are reported on standard output when `report`.
SQ_T DecodePickHits(const unsigned int* buffer, int hits, bool report, int x = 0, int y = 0,
                    bool cells_first = false);

// The move symbol of a mouse move of `piece` to `to`: 'S'/'L' when the
// castling rights and the target say castling, else 'x' or '-'.
char MouseMoveSymbol(const POS_T* b, int dmode, int piece, SQ_T to);
// The move of two clicks on cells; false when `from` is empty.
bool BuildMouseMove(const POS_T* b, int dmode, SQ_T from, SQ_T to, MOVE_T* move);
// The move of an attack board (id 100..122) to the pin `to`.
void BuildBoardMove(const POS_T* b, int which_ab, SQ_T to, MOVE_T* move);

// A menu label: the current value in capitals, or, in the time-limit menu,
// with '>' in place of its leading blank.
const char* MarkedLabel(const char* label, bool current, bool time_limit, char* out, size_t size);
// Brings out-of-range settings back to a value the menus list.
void NormaliseMenuSettings();

// The menus whose entries mark the current value.
enum SETTING_MENU_E {
    SET_COMPUTER, SET_DIFFICULTY, SET_TIME_LIMIT, SET_PIECES, SET_RULES, SET_NOTATION, SET_SPREAD,
    SET_PROJECTION, SET_AXES, SET_OPACITY, SET_CAPTURED, SETTING_MENUS
};
struct MENU_ENTRY_T {
    const char* label;
    int value;
};
struct SETTING_MENU_T {
    const MENU_ENTRY_T* entries;
    int count;
    bool time_limit;  // marked with '>' rather than capitals
};
const SETTING_MENU_T& SettingMenu(int which);
// The value menu `which` marks for the live state, however it was set.
int CurrentSetting(int which);
// The label of entry `entry` of menu `which` when `current` is the value.
const char* SettingLabel(int which, int entry, int current, char* out, size_t size);
// The menus whose marks differ from the live state, a bit each (1 << which);
// `shown` holds the values marked on screen and is brought up to date.
unsigned StaleMarks(int shown[SETTING_MENUS]);

// The side the computer plays now (TAMZOR_BOTH when both), or the one it
// played before the game's end switched it off; TAMZOR_OFF when the player
// switched it off.
int ComputerPlays();
// Gives the computer `side` in the game on the board (one restored or loaded):
// it moves at once when that side is to move; in a decided game it only
// keeps the side for undo.
void ComputerTakesSide(int side);
// Who plays which side, in words, after `prefix` ("you play White, Tamzor
// plays Black"); the first letter a capital when there is no prefix.
const char* SidesText(const char* prefix, char* out, size_t size);
// The banner while a game goes on: "Tamzor is thinking (Black)" when the
// computer (playing `tamzor`) is on move, else "Your move (White)".
const char* TurnText(int tamzor, int to_move, char* out, size_t size);
// S and Game > Save game: the game saved to tamzor.sav, the info line saying
// where or why not.
bool SaveForPlayer();

// Applies the armed editing option to a cell; 0 for NO_SQUARE.
int GotEditingSquare(SQ_T sq);

// The K key: moves attack-board slot j to the next free pin in the cycle
// QL1..QL6, KL1..KL6; the pin it now stands on, 0 when every pin is taken,
// -1 (nothing moved) when a king stands on the board.
int KeyPinCycle(POS_T* b, int j);
// After an edit of the live position: the position is rebuilt from its
// board and becomes the game's start, so undo and replay begin there.
void TakeEditAsStart(POS_T* b);

// The window's parts in pixels (origin bottom left, as GL counts): the square
// picture, centred in what the move list leaves, and the list's column.
struct LAYOUT_T {
    int width, height;
    int pic_x, pic_y, pic_size;
    int panel_x, panel_w;  // panel_w 0: no list
};
LAYOUT_T ViewLayout(int width, int height, bool panel);
extern LAYOUT_T view_layout;  // of the window as it is now

// Half the width of an orthographic view that shows every cell of the
// position, and the pieces on them, turned as the view is turned.
float OrthoHalfSize(POS_T* b, float scale, float xang, float yang, float zang);

// The move list: a line a move pair, "12." with White's and Black's texts
// (the record's texts); a game begun on Black's move starts with "... ".
struct MOVE_LINE_T {
    int number;
    const char* white;  // nullptr: no move there
    const char* black;
    int current;        // 1 White's text is the current ply, -1 Black's, 0 neither
};
// Plies first+1 .. last of the record; `current` is the ply marked.
int MoveListLines(int first, int last, int current, MOVE_LINE_T* lines, int room);
// The first line to show of `count` when `rows` fit, so that the current one
// shows (the end of the game when it is the last).
inline int FirstShownLine(int count, int rows, int current_line) {
    if (rows < 1 || count <= rows) return 0;
    int first = count - rows;  // the end of the list
    if (current_line >= 0 && current_line < first) first = current_line;
    return first;
}
// The line of the move list that tells the result ("1-0 White mates"), or
// nullptr while the game goes on.
const char* ResultLine(POS_T* b);
// Cells to mark for the move: from and to; an attack board's four cells.
uint64_t LastMoveCells(const POS_T* b, const MOVE_T* m);
// A cell's name as the info line writes it (file, rank and level).
void CellName(POS_T* b, SQ_T sq, char* out, size_t size);
// The info line's text for a refused mouse move.
void IllegalMoveText(POS_T* b, const MOVE_T* m, char* out, size_t size);

// How many plies undo takes back so the player is on move again when the
// computer plays one side: n, or n+1 when that would leave the computer on move.
int UndoPlies(int move_num, int first, int n, int computer);
// A game on screen that a key could lose: moves played or an edited start,
// and no result yet.
bool GameInProgress();
// Keys that end or replace the game ask first while one is in progress: true
// when `key` may act now (no game in progress, or its second press in a
// row); false after the question went to the info line. Any other key or a
// click forgets the first press.
bool ConfirmKey(int key, const char* question, bool at_risk = GameInProgress());
void ForgetConfirm();
// Menu entries that end or replace the game ask the same way, told apart
// from the keys (the same entry chosen again acts).
enum : int {
    CONFIRM_NEW_GAME = 1000, CONFIRM_RESTORE, CONFIRM_LOAD_PGN, CONFIRM_QUIT, CONFIRM_MODE_2D, CONFIRM_MODE_3D
};
bool ConfirmMenuAction(int action, bool at_risk = GameInProgress());

// Address of the mouse-move flag: set while a mouse move is played, so a
// promotion asks which piece.
int* MouseSelectedMove();

// Which piece a pawn moved with the mouse becomes, 2 knight .. 5 queen, asked
// in a message box; 0, after a message, when the box cannot be shown (the
// core then makes a queen and the game goes on).
int AskPromotion();

// The window program's command line (GLUT's own options pass through).
struct WINDOW_ARGS_T {
    enum ACTION_E { RUN, HELP, VERSION, USAGE_ERROR } action = RUN;
    bool log = false;     // --log: standard output carries the game record
    std::string file;     // a PGN game to start with
    std::string display;  // -display, for GLUT
    std::string error;    // why the line was refused
};
WINDOW_ARGS_T ParseWindowArgs(int argc, char** argv);
const char* WindowUsage();
// Standard output on (the real terminal) or off (/dev/null).
void SetConsoleOutput(bool on);
extern bool console_log;  // --log given

// The window program's state and the parts of its input handling that need
// no GL: picking names, mouse moves, menu labels, board editing, the K key.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "tamzor.h"

// Display options and messages shown by the window.
extern int AxesOnOff;
extern int CapturedOnOff;
extern int editing_option;  // pending board edit: 0 none, 1 remove, 5..16 add a piece
extern int menu_mesh_pieces;
extern int mainWindow;
// A message on the info line; it stays until the next click.
extern char info_string[192];
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
// The cell of a king in check.
extern const COLOR_T color_check;

// Picking draws the scene once more in GL selection mode with every thing
// named: cells (x, y) with y < 8, posts (x, board id), and the pairs below.
constexpr unsigned int PIN_PICK_NAME = 200;    // (PIN_PICK_NAME, pin): a free pin's marker
constexpr unsigned int PIECE_PICK_NAME = 201;  // (PIECE_PICK_NAME, cell): a piece, by its shape
constexpr unsigned int RING_PICK_NAME = 202;   // (RING_PICK_NAME, board id): a wider ring round a thin post

// One thing under the pointer.
struct PICK_HIT_T {
    enum KIND_E { CELL, PIECE, POST, RING, PIN } kind;
    SQ_T target;         // a cell (a piece's own), a board id or a pin
    unsigned int depth;  // the nearest depth of the record: smaller is nearer
};
// The records of a GL selection buffer (name count, min depth, max depth,
// names); records of another shape are reported on standard output when `report`.
std::vector<PICK_HIT_T> PickHits(const unsigned int* buffer, int hits, bool report = false, int x = 0, int y = 0);
// What a click takes of them, NO_SQUARE when nothing. A pin's marker comes
// first (markers show only while their board is chosen). Then pieces and
// posts against cells: with `see_through` (cells drawn half-transparent) a
// piece or post shows through any cell, so the nearest of them wins;
// otherwise the nearest thing wins. A post's ring counts only where no piece
// or post is hit. With `cells_first` (the second click of a piece's move)
// posts are passed over while a cell or piece is hit.
SQ_T ChoosePick(const std::vector<PICK_HIT_T>& hits, bool cells_first, bool see_through);
// ChoosePick of the records of a selection buffer.
SQ_T DecodePickHits(const unsigned int* buffer, int hits, bool report, int x = 0, int y = 0, bool cells_first = false,
                    bool see_through = false);
// Everything under the pointer once, nearest first: a piece and its cell as
// one CELL, a post and its ring as one POST, markers as PIN; no boards when
// `cells_only`.
std::vector<PICK_HIT_T> PickStack(const std::vector<PICK_HIT_T>& hits, bool cells_only);

// The pointer's last place in the window (GLUT's coordinates, from the top).
extern int pointer_x, pointer_y;
// What the Tab key stepped to, and where the pointer was then.
struct STEPPED_T {
    SQ_T target = NO_SQUARE;  // NO_SQUARE: nothing stepped to
    PICK_HIT_T::KIND_E kind = PICK_HIT_T::CELL;
    int x = -1, y = -1;
};
extern STEPPED_T stepped;
// The Tab key: steps to the thing after the one stepped to before in
// `stack` (what is under the pointer at x, y, nearest first), or to the
// first when the pointer moved or that thing is no longer there; the info
// line's text for it goes to `text`. False, nothing stepped, when the stack is empty.
bool StepUnder(POS_T* b, const std::vector<PICK_HIT_T>& stack, int x, int y, STEPPED_T* step, char* text,
               size_t size);

// What a click on `target` does, whether it came from the mouse, the Tab
// key or a typed name: an armed board edit takes the cell; with nothing
// chosen a piece's cell or a board is chosen (with --log "selected Nd1W" or
// "selected QL white" on standard output); with a piece chosen the target
// cell is where it moves; with a board chosen the pin it moves to.
void ActOnPick(SQ_T target);
// Said to a pick while the computer is on move; it goes once the computer moved.
extern const char* const WAIT_TEXT;
// Esc: drops the first of what waits for the player's next step: an open
// prompt, the cell stepped to with Tab, an armed board edit, the chosen
// piece or board. False when there was none.
bool ClearPending();

// A short line typed on the info line: printable keys gather, Backspace
// takes the last back, Esc drops the line, Enter hands it over. It knows
// nothing of what the line means, so that any prompt can use it.
class LINE_INPUT_C {
public:
    enum RESULT_E { TYPING, CANCELLED, ENTERED };
    void Open(const std::string& label);
    void Close();
    bool IsOpen() const { return open_; }
    // A key while the line is open; ENTERED leaves it open for the caller
    // to close or refuse.
    RESULT_E Key(unsigned char key);
    const std::string& Text() const { return text_; }
    // The entered line is not taken: it stays, with the reason after it.
    void Refuse(const std::string& reason) { reason_ = reason; }
    // The line as the info line shows it: label, text and cursor, reason.
    std::string Shown() const;
    static constexpr size_t MAX_TEXT = 24;  // the longest move texts (Qe9-d8(6)+, qlw@ql3q) and more

private:
    bool open_ = false;
    std::string label_, text_, reason_;
};
// The prompt that takes a cell by its name.
extern LINE_INPUT_C cell_prompt;
// The label the cell prompt opens with, by what is chosen now.
const char* CellPromptLabel();
// The cell a typed name means, in the notation the window shows (d1W, z0QL1,
// b1(2); e4 in the 2D game; any case); a name without its level when only
// one cell has it; with `pins` a pin's name (QL3) too. False with a short
// reason for the player.
bool CellFromName(POS_T* b, const std::string& text, bool pins, SQ_T* target, std::string* reason);

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
    SET_PROJECTION, SET_AXES, SET_OPACITY, SET_CAPTURED,
    SET_TIME_CONTROL,  // the players' clocks (Game > Clock)
    SET_THREADS,       // the computer's threads (Game > Threads)
    SET_PONDER,        // thinking on the player's time (Game > Think on your time)
    SET_BOOK,          // the computer's opening book on or off
    SETTING_MENUS
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
// Ends the stepping through the game (F7/F8), the whole game back on the
// board and the computer on its side again.
void LeaveReplay();
// Who plays which side, in words, after `prefix` ("you play White, Tamzor
// plays Black"); the first letter a capital when there is no prefix.
const char* SidesText(const char* prefix, char* out, size_t size);
// The banner while a game goes on: "Tamzor is thinking (Black)" when the
// computer (playing `tamzor`) is on move, else "Your move (White)".
const char* TurnText(int tamzor, int to_move, char* out, size_t size);
// "Tamzor", or "Tamzor (1400)" when it plays at a limited level.
std::string ComputerName();
// D (step 1) and Shift+D (step -1): the next level on the ladder (full
// strength after the highest rung, then the lowest again); the info line's
// "Level: 1400" into `out`.
const char* StepLevel(int step, char* out, size_t size);
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

// The window's parts in pixels (origin bottom left, as GL counts): the
// picture, filling what the move list's column leaves above the captured
// pieces' tray.
struct LAYOUT_T {
    int width, height;
    int pic_x, pic_y, pic_w, pic_h;
    int panel_x, panel_w;  // panel_w 0: no list
    int tray_x, tray_y, tray_w, tray_h;  // tray_h 0: no tray
    int think_x = 0, think_y = 0, think_w = 0, think_h = 0;  // think_h 0: no thinking panel
    int bar_x = 0, bar_y = 0, bar_w = 0, bar_h = 0;          // the evaluation bar beside the board
};
LAYOUT_T ViewLayout(int width, int height, bool panel, bool tray = true, bool thinking = false);
// The perspective of each game: the vertical field of view of a square
// picture, the eye's distance from the board's centre, and the narrowest
// aspect the field holds before it widens upward.
struct CAMERA_T {
    double fovy, eye, min_aspect;
};
CAMERA_T ViewCamera(int dmode);
// Tangents of the half angles across and up for a picture of `aspect`
// (width / height).
void CameraTangents(const CAMERA_T& c, double aspect, double* tan_h, double* tan_v);
// The view of a new game: zoom, tilt about X (degrees) and see-through cells.
struct VIEW_PRESET_T {
    float scale, xang;
    int stipple;
};
VIEW_PRESET_T ViewPreset(int dmode);
// The distance between neighbours in a row of `count` captured pieces of
// `unit` pixels a model unit, closing up so the row keeps within `room`.
float TrayStep(int count, float room, float unit);
// How far below the picture's middle the board's middle is drawn, in pixels.
int PictureDrop(const LAYOUT_T& l);
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
    int white_ply = 0;  // the plies of the two texts (0: no move there)
    int black_ply = 0;
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
// The info line's text for a refused mouse move: the move and the reason.
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
// click forgets the first press, and so does time: a second press long
// after the first (an Esc meant for something else) asks again.
bool ConfirmKey(int key, const char* question, bool at_risk = GameInProgress());
void ForgetConfirm();
constexpr uint64_t CONFIRM_MS = 5000;
// Forgets a first press older than CONFIRM_MS at `now`, its question taken
// off the info line; true when it did.
bool ForgetStaleConfirm(uint64_t now);
// Menu entries that end or replace the game ask the same way, told apart
// from the keys (the same entry chosen again acts).
enum : int {
    CONFIRM_NEW_GAME = 1000, CONFIRM_RESTORE, CONFIRM_LOAD_PGN, CONFIRM_QUIT, CONFIRM_MODE_2D, CONFIRM_MODE_3D,
    CONFIRM_CLEAR_BOARD
};
bool ConfirmMenuAction(int action, bool at_risk = GameInProgress());

// Address of the core's mouse-move flag, set while a mouse move is played.
int* MouseSelectedMove();

// A promotion of the player's waiting for the choice of piece: the window
// shows the four pieces and plays the move once one is chosen. The move is
// held with the position it was made in, so that it is dropped when the game
// changes under it (undo, a new or restored game, the computer's move).
struct PROMOTION_CHOICE_T {
    bool open = false;
    MOVE_T move{};  // as entered; its symbol becomes the piece's letter
    int side = 0;   // the mover: 1 White, -1 Black
    // the position it was made in
    int dmode = 0, move_num = 0;
    int board[64] = {};
    int32_t whereis_board[4] = {};
    uint64_t castling = 0;  // the rights, flags bits 0..3
    SQ_T enpassant = 0;
};
extern PROMOTION_CHOICE_T promotion_choice;
// The pieces offered, in the order shown: queen, rook, bishop, knight.
extern const char promotion_letters[5];
// Whether `move` is a legal move of the position that promotes a pawn (a
// pawn's move or, in 3D, an attack board's that carries one to the far end).
bool IsPromotionMove(POS_T* b, const MOVE_T* move);
void OpenPromotionChoice(const POS_T* b, const MOVE_T* move);
// Open, and the game still in the position the move was made in; a choice
// whose position is gone is closed here.
bool PromotionChoiceValid(const POS_T* b);
// The held move with the piece of `letter` (Q, R, B or N, either case) as its
// symbol, and the choice closed; false, leaving things as they are, for
// another letter; false, closing it, when nothing valid is held.
bool TakePromotionChoice(const POS_T* b, char letter, MOVE_T* out);
void CancelPromotionChoice();

// Where the chooser stands, centred on the picture: the box and its four
// cells (queen, rook, bishop, knight from the left), in window pixels from
// the top left, as the mouse reports them.
struct PROMOTION_BOX_T {
    int x, y, w, h;
    int cells_x, cells_y, cell, gap;  // the first cell's top left, a cell's side, the room between
    int title_h, hint_h;              // the lines above and below the cells
};
PROMOTION_BOX_T PromotionBox(const LAYOUT_T& l);
// The piece at (x, y): 0..3; -1 elsewhere in the box; -2 outside it.
int PromotionBoxHit(const LAYOUT_T& l, int x, int y);

// Lines of `text` no wider than `max_width` as measured by `width`, broken at
// spaces only ('\n' breaks too); a single word wider than that stands alone.
// Every word is kept, in order; runs of spaces count as one.
std::vector<std::string> WrapText(const std::string& text, const std::function<int(const std::string&)>& width,
                                  int max_width);

// The help page's content: headings, key lines (keys and what they do) and
// paragraphs.
enum HELP_KIND_E { HELP_HEADING, HELP_SUBHEADING, HELP_KEY, HELP_TEXT };
struct HELP_ITEM_T {
    HELP_KIND_E kind;
    const char* keys;  // HELP_KEY: the keys, '/' between them ("PgUp/PgDn")
    const char* text;
};
const HELP_ITEM_T* HelpItems(int* count);
// The key names of a key line's `keys`.
std::vector<std::string> HelpKeyNames(const char* keys);
// The help page laid out: one entry a line. Key lines' texts are wrapped
// beside a column of `key_width` pixels (below their keys when the page is
// too narrow for the column), the rest to `width`; an empty line before a
// heading.
struct HELP_LINE_T {
    HELP_KIND_E kind;
    std::string keys;  // on the first line of a key line only
    std::string text;
    int indent;        // pixels from the page's left edge
};
std::vector<HELP_LINE_T> HelpPageLines(const std::function<int(const std::string&)>& width_of, int width,
                                       int key_width);
// The first line shown of `count` when `rows` fit, moved by `delta` lines and
// kept within the page.
inline int HelpScroll(int first, int delta, int count, int rows) {
    int f = first + delta;
    if (f > count - rows) f = count - rows;
    return f < 0 ? 0 : f;
}
// The help page is open, showing its lines from help_first on.
extern bool help_open;
extern int help_first;

// The room for the status lines above the board, in window pixels from the
// left: inside the picture's area, off the move list.
struct TEXT_AREA_T {
    int left, right;
};
TEXT_AREA_T StatusTextArea(const LAYOUT_T& l);

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
// Where the window's data (the folder holding pieces/) may lie, in the order
// it is looked for: beside the installed program (`exe`'s folder, then
// `from_bin`), then `source_tree` when `exe` runs from `build_tree`.
std::vector<std::string> DataDirs(const std::string& exe, const char* from_bin, const char* build_tree,
                                  const char* source_tree);
// The first of `dirs` that holds a pieces/ folder, or "" when none does.
std::string FindDataDir(const std::vector<std::string>& dirs);
// This program's own file (from /proc/self/exe), or "" when unknown.
std::string ExecutablePath();
// `name` of the working directory as a full path, for the player to find it.
std::string PathHere(const std::string& name);
// "`what` PATH" within `size` bytes: a path too long loses its start, so the
// file's name always shows.
void TextWithPath(const char* what, const std::string& path, char* out, size_t size);

// Standard output on (the real terminal) or off (/dev/null).
void SetConsoleOutput(bool on);
extern bool console_log;  // --log given

// The players' clocks in the window (shell/clock.h keeps them).
// Game > Clock: control `index` for this game while no move is played, else
// from the next game on; the info line says which.
void ChooseTimeControl(int index, uint64_t now);
// Runs the clock of the side to move while the game is on (no result, not
// browsing nor editing the board: a menu or the help page open does not
// stop it) and ends the game when that side's time runs out. True when what
// the clocks show changed since the last call: a redraw is due.
bool KeepGameClock(uint64_t now);
// What the clock line shows: each side's time, which clock runs (1 White,
// -1 Black, 0 none) and which is under ten seconds.
struct CLOCK_LINE_T {
    std::string white, black;
    int running = 0;
    bool white_low = false, black_low = false;
};
CLOCK_LINE_T ClockLine(uint64_t now);
// What the player typed at the prompt (Enter or ':'): a move in any way the
// terminal tool reads one (the program's text in the notation shown or
// another, a token, in 2D standard algebraic notation), or a cell's name.
struct TYPED_ENTRY_T {
    enum KIND_E { REFUSED, CELL, MOVE, PROMOTION } kind = REFUSED;
    SQ_T target = NO_SQUARE;  // CELL: what a click there would take
    MOVE_T move{};            // MOVE; PROMOTION: its piece still to choose
    std::string reason;       // REFUSED: in the player's words
};
// A cell's name wins when a piece stands there or a piece or board is chosen
// (the prompt then asks where to); otherwise a move wins, so that `e4` at the
// start is the pawn's move. A move whose text leaves out the promotion piece
// asks for it; an illegal one says why, as a click would; a move while the
// computer is on move or after the game's end is refused, saying so.
TYPED_ENTRY_T ReadTypedEntry(POS_T* b, const std::string& text, SQ_T selected);
// A move of the player's from the window (click, drag or typed) on the live
// game, under the game lock: a refused one says why on the info line; a
// promotion without its piece (`ask_piece`) opens the chooser; from a
// browsed position it asks first, then cuts the game there.
void PlayPlayersMove(MOVE_T* move, bool ask_piece);

// Browsing the game: the position after any of its plies is shown (the
// core's replay: `replay` is the ply shown), the computer does not move, and
// the rest of the game waits until End or a move cut there.
bool Browsing();
// The game's length, browsing or not.
int GameLength();
// The ply the game starts from (an edited or FEN start counts on from it).
int GameFirstPly();
// Shows the position after `ply` (within the game); its last ply returns to
// the game. Not under the game lock: entering stops the engine thread.
void BrowseTo(int ply);
// The ply shown: the browsed one, or the game's length.
int ShownPly();
// A move from the browsed position `ply` of a game of `length` plies: true
// when it repeats the move last asked about there (play it: the game is cut);
// otherwise false, with the question in `out` ("Nf3 here drops the 7 moves
// after it: play it again to confirm").
bool ConfirmCut(int ply, int length, const MOVE_T& move, const char* text, char* out, size_t size);
void ForgetCut();
// Ends browsing with the game cut at the browsed ply: the moves after it go.
// The engine thread is stopped while browsing, so this may run under the game lock.
void CutHere();
// The banner while browsing: "Viewing the position after 12. Nf3 - End
// returns to the game" (the start: "Viewing the start position ...").
std::string BrowseBanner(int ply, int first);

// Where the move list was drawn last, for clicks on it (window pixels from
// the top left).
struct MOVE_LIST_GEOM_T {
    int x0 = 0, width = 0;    // the column; width 0: no list
    int top = 0, line_h = 0;  // line i of those shown has its baseline at top + (i + 1) * line_h
    int rows = 0, shown = 0;  // how many lines fit, the first shown
    int col_white = 0, col_black = 0, move_w = 0, pad = 0;
    int first = 0, last = 0;  // the plies listed: first+1 .. last
};
extern MOVE_LIST_GEOM_T move_list_geom;
// The ply of the move a click at (x, y) names; 0 when none; -1 when the
// point is outside the list.
int MoveListHit(const MOVE_LIST_GEOM_T& g, int x, int y);
// Text written after a move in the list (a note on it), or nullptr: for
// whoever annotates the game.
extern const char* (*move_list_note)(int ply);

// Drag and drop: a press on a piece of the side to move chooses it, and a
// move of the pointer by more than DRAG_SLOP pixels with the button held
// drags it; the release plays it where it is let go.
constexpr int DRAG_SLOP = 5;
struct DRAG_T {
    bool pressed = false;   // the press chose a piece that may be dragged
    bool dragging = false;  // the pointer moved far enough
    SQ_T from = NO_SQUARE;
    int x0 = 0, y0 = 0;     // where the press was
};
extern DRAG_T drag;
// The pointer moved to (x, y) with the button held: true when it now drags.
bool DragMoved(DRAG_T* d, int x, int y);

// Game review from the menu: the task's progress, read by the window.
enum REVIEW_PHASE_E { REVIEW_IDLE, REVIEW_RUNNING, REVIEW_FINISHED, REVIEW_STOPPED };
struct REVIEW_RUN_T {
    std::atomic<int> phase{REVIEW_IDLE};
    std::atomic<int> done{0}, total{0};  // positions searched, of
    std::mutex mutex;
    std::string summary;                 // the finished review's, a line a side
};
extern REVIEW_RUN_T review_run;
// Queues the review of the game on the board (`seconds` a position, 0 the
// window's own); false, with a message on the info line, when there is no
// move to review or a review runs.
bool StartReviewForPlayer(double seconds = 0);
// Stops a running review; false when none runs.
bool CancelReviewForPlayer();
// A review that ended (done or stopped) says so on the info line, once:
// true then.
bool TakeReviewOutcome();
// "Reviewing the game: 12 of 61 positions (Esc stops)" while one runs, or "".
std::string ReviewProgressText();

// The hint (I): the player's best move, searched as an engine task on a copy
// of the position. Read and written under the game lock.
struct HINT_T {
    bool searching = false;
    bool shown = false;      // `move` is marked on the board
    MOVE_T move{};
    uint64_t root_hash = 0;  // the position it is for
    int move_num = 0;
};
extern HINT_T hint;
// Asks for a hint, or says on the info line why there is none.
void AskHint();
// The hint search's time in seconds: the time-limit setting, a few at most.
double HintSeconds(uint64_t time_limit);
// Cells to mark for the hint: from and to; for an attack board, its four
// cells (the pin it goes to is marked apart).
uint64_t HintCells(const MOVE_T* m);
// The game moved: the hint's marks go, and a search for it is stale.
void DropHint();
extern const COLOR_T color_hint;
// The computer's-thinking panel and the evaluation bar are shown (P).
extern int thinking_on;
// Called when idle: a position that changed drops the hint and cancels its
// search; with the panel on and the computer playing no side, the engine
// analyses the position on the board until it changes.
void WatchGame();
// Whether the engine should analyse the position on the board now.
bool AnalysisWanted();
// Whether a search of the position with this hash belongs to the game on the
// board (one of its positions); the thinking panel forgets one that does not.
bool ThoughtInGame(uint64_t root_hash);
// Cancels the analysis of the position; false when none runs.
bool StopAnalysis();
struct THINKING_T;
// The panel's lines: "Depth 12  +0.35  1.25M nodes/s", then the main line
// numbered as the move list numbers it.
std::vector<std::string> ThinkingPanelLines(const THINKING_T& t, bool analysing);

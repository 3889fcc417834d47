// The window program's state and the parts of its input handling that need
// no GL: picking names, mouse moves, menu labels, board editing, the K key.
#pragma once

#include "tamzor.h"

// Display options and messages shown by the window.
extern int AxesOnOff;
extern int CapturedOnOff;
extern int editing_option;  // pending board edit: 0 none, 1 remove, 5..16 add a piece
extern int menu_mesh_pieces;
extern int mainWindow;
extern char info_string[64];

struct COLOR_T {
    float r, g, b, a;
};
extern const COLOR_T piece_color_white, piece_color_black;
extern const COLOR_T square_color_white, square_color_black, square_color_selected;
extern const COLOR_T color_red, color_orange, color_green, color_magenta, color_blue, color_cyan,
    color_yellow, color_white;

// The cell (x*8+y) or attack-board id named by the first hit record with two
// names in a GL selection buffer, NO_SQUARE when none; records passed over are
// reported on standard output when `report`.
SQ_T DecodePickHits(const unsigned int* buffer, int hits, bool report, int x = 0, int y = 0);

// The move symbol of a mouse move of `piece` to `to`: 'S'/'L' when the
// castling rights and the target say castling, else 'x' or '-'.
char MouseMoveSymbol(const POS_T* b, int dmode, int piece, SQ_T to);
// The move of two clicks on cells; false when `from` is empty.
bool BuildMouseMove(const POS_T* b, int dmode, SQ_T from, SQ_T to, MOVE_T* move);
// The move of an attack board (id 100..122) to the pin `to`.
void BuildBoardMove(const POS_T* b, int which_ab, SQ_T to, MOVE_T* move);

// A menu label as shown when the tree is built: the current value in capitals,
// or, in the time-limit menu, with '>' in place of its leading blank.
const char* MarkedLabel(const char* label, bool current, bool time_limit, char* out, size_t size);
// Brings out-of-range settings back to a value the menus list.
void NormaliseMenuSettings();

// Applies the armed editing option to a cell; 0 for NO_SQUARE.
int GotEditingSquare(SQ_T sq);

// The K key: moves attack-board slot j to the next free pin in the cycle
// QL1..QL6, KL1..KL6; the pin it now stands on, or 0 when every pin is taken.
int KeyPinCycle(POS_T* b, int j);

// Address of the mouse-move flag: set while a mouse move is played, so a
// promotion asks which piece.
int* MouseSelectedMove();

// Which piece a pawn moved with the mouse becomes, 2 knight .. 5 queen, asked
// in a message box; 0, after a message, when the box cannot be shown (the
// core then makes a queen and the game goes on).
int AskPromotion();

// Why a typed move is refused, for the terminal tool and the window alike.
#pragma once

#include <string>

#include "tamzor.h"

// Why the rules refuse a move, as ": reason" to append to the line that says
// it was refused; empty when the move is legal.
std::string MoveRefusal(POS_T* b, const MOVE_T& m);
// The move a token names in the position, legal or not (the piece on its
// from cell, or the board it names); false when the text is no token or,
// in the 2D game, names a board.
bool TokenMove(POS_T* b, const std::string& text, MOVE_T* move);
// The same for the move a typed token names; empty when the text is no
// token (a move's text names no cells to explain).
std::string TokenRefusal(POS_T* b, const std::string& text);

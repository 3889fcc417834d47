// Everything the help page says, kept apart from its drawing. A key line
// names its keys in `keys`, split by '/': the tests check that every key the
// keyboard handlers act on is named here.
#include "viewlogic.h"
#include "tamzor.h"

namespace {
const HELP_ITEM_T items[] = {
    {HELP_HEADING, nullptr, "Keys"},
    {HELP_KEY, "H/F1", "This page. Esc, H or F1 closes it; Up, Down, Page Up and Page Down scroll it."},
    {HELP_KEY, "Left/Right", "Turn the board. Shift: ten times faster. Alt: spin it flat."},
    {HELP_KEY, "Up/Down", "Tilt the board (Shift: faster)."},
    {HELP_KEY, "PgUp/PgDn", "Zoom in and out (Shift: larger steps). The mouse wheel does it too."},
    {HELP_KEY, "O", "Look from overhead, the whole board in view."},
    {HELP_KEY, "V", "Put the view back as it was at the start."},
    {HELP_KEY, "Z", "Look from Black's side and back (2D game)."},
    {HELP_KEY, "F5/F6", "F6 keeps the view as your favourite (file favview.sav), F5 brings it back."},
    {HELP_KEY, "F2", "New 2D game: ordinary chess."},
    {HELP_KEY, "F3", "New 3D game."},
    {HELP_KEY, "U", "Take back a move. Against the computer your own move goes too, so you are on move again."},
    {HELP_KEY, "S", "Save the game in tamzor.sav (the one before is kept as tamzor.sav.bak)."},
    {HELP_KEY, "R", "Restore the game saved in tamzor.sav."},
    {HELP_KEY, "F7/F8", "Look at the game a move back or forward (Shift: its start or its end). While you look, Left "
                        "and Right step too."},
    {HELP_KEY, "Home/End", "Look at the start position; End goes back to the game. A move played from a position "
                           "you look at asks first, then drops the moves after it."},
    {HELP_KEY, "W", "The computer plays White."},
    {HELP_KEY, "B", "The computer plays Black."},
    {HELP_KEY, "F9", "The computer plays both sides; F9 again stops it."},
    {HELP_KEY, "F10", "Full stop: the computer stops thinking and plays no side."},
    {HELP_KEY, "D", "The computer's level, named by playing strength: d a step stronger (800, 1000, ... 2000, "
                    "full strength, then 800 again), Shift+D a step weaker."},
    {HELP_KEY, "T", "Clock of an untimed game: time of the game, White's time, Black's time, off."},
    {HELP_KEY, "M", "Move list beside the board on or off."},
    {HELP_KEY, "I", "Hint: the computer looks for your best move and marks it on the board (orange cells)."},
    {HELP_KEY, "P", "Show the computer's thinking under the board: depth, score for White (+ good for White), "
                    "speed and the line it expects, with a bar beside the board. With the computer playing "
                    "neither side it analyses the position on the board."},
    {HELP_KEY, "N", "Every cell's name written on the board, on or off."},
    {HELP_KEY, "C", "Captured pieces beside the board on or off."},
    {HELP_KEY, "A", "Axes on or off."},
    {HELP_KEY, "X", "See-through levels on or off (3D game)."},
    {HELP_KEY, "J", "Choose the attack board that K moves: QL white, QL black, KL white, KL black in turn."},
    {HELP_KEY, "K", "Move that board to the next free pin. This edits the position: the game starts again from "
                    "there. A board carrying a king stays."},
    {HELP_KEY, "Tab", "Step through the cells and pieces under the pointer, nearest first."},
    {HELP_KEY, "Enter/Space", "Take the cell Tab stepped to, as a click would."},
    {HELP_KEY, ":", "Type a move (Nf3, e2e4, O-O; a4N, Nb3N or d1W-c3N in 3D, or its token) and Enter plays it; or a cell's "
                    "name (e2; d1W or z0QL1 in 3D): as a click on that cell. Enter does the same when Tab "
                    "stepped nowhere."},
    {HELP_KEY, "Q/Esc", "Quit. While a game is on, press it twice. Esc first drops what waits for you: a "
                        "typed name, a step of Tab, a promotion, a chosen piece. It also closes a menu or this "
                        "page."},
    {HELP_KEY, "E", "Verbose output on the terminal on or off."},
    {HELP_KEY, "L", "Write the game's moves on the terminal."},
    {HELP_KEY, "G", "Write the view's angles and zoom on the terminal."},
    {HELP_KEY, "?/#/!", "Write the version, the build date or the contact address on the terminal."},
    {HELP_TEXT, nullptr,
     "Q, Esc, F2, F3, R and K would end the game on the board: while one is going on they ask first, and "
     "act when pressed a second time within 5 seconds; the menu entries that would end it ask the same way."},

    {HELP_HEADING, nullptr, "Mouse"},
    {HELP_KEY, "Left click", "Click a piece, then the cell it goes to. Click it again to let it go, or another "
                             "of your pieces to choose that one. Holding Shift on the second click keeps the "
                             "piece chosen."},
    {HELP_KEY, "Drag", "Press on a piece and drag it to its cell: let go there to play it, off the board to put "
                       "it back."},
    {HELP_KEY, "Move list", "Click a move to look at the position after it; the last move goes back to the game."},
    {HELP_KEY, "Attack board", "Click its post, then one of the yellow balls on the free pins (3D game). A board "
                               "that may not move now says why."},
    {HELP_KEY, "Promotion", "A pawn that reaches the far end asks which piece it becomes: click one, or press "
                            "Q, R, B or N. Esc cancels the move."},
    {HELP_KEY, "Wheel", "Zoom in and out (Shift: larger steps)."},
    {HELP_KEY, "Right button", "The menus: Game (new, save, restore, PGN files, undo, the computer's side, "
                               "level, time a move), Pieces (classic or mesh), Mode (2D or 3D), Rules, "
                               "Notation, Spread (the cells a chosen piece reaches), View, Edit, Quit."},
    {HELP_KEY, "Clock menu", "Game > Clock: play against the clock, 1+0, 3+2, 5+3, 15+10 or 30+0 (minutes each, "
                             "then seconds added after every move). The clocks run above the board; a side whose "
                             "time runs out loses. Chosen during a game, it counts from the next game on."},
    {HELP_KEY, "Threads", "Game > Threads: how many of the machine's cores the computer thinks with (all of "
                          "them at first; the levels below full strength use one)."},
    {HELP_KEY, "Think on your time", "Game > Think on your time: while you think, the computer thinks too, "
                                     "so it answers better in the same time. Off at first."},
    {HELP_KEY, "Edit menu", "Choose a piece to add, or Remove, then click the cell. The game then starts from "
                            "the board as edited. A king put down moves its side's king; a side has 16 places (a "
                            "piece beyond the starting set takes a pawn's). Clear board asks first."},
    {HELP_KEY, "Review game", "In the Game menu: the computer goes over the game, a second a position (Esc "
                              "stops it). Then the move list marks each weak move: ?! inaccurate, ? a mistake, "
                              "?? a blunder; the PGN you save keeps the marks, values and better lines."},

    {HELP_SUBHEADING, nullptr, "Colours on the board"},
    {HELP_TEXT, nullptr,
     "Orange-red: the piece you chose. Green: the cells it may go to. Magenta: a piece it may take (in the 3D "
     "game also its own rook, when the king may castle with it). Blue: the two cells of the last move. Red: "
     "a king in check. Orange: the hint's cells. Yellow: the cell or post Tab stepped to. With Spread > team, "
     "light green marks every empty cell your side reaches."},

    {HELP_HEADING, nullptr, "The 3D game"},
    {HELP_TEXT, nullptr,
     "The board has three main levels of 4 x 4 cells, one above the other and each shifted two ranks: "
     "White's level at the bottom, the neutral level in the middle, Black's level at the top. Four small "
     "attack boards of 2 x 2 cells stand on pins at the levels' corners. All together there are 64 cells, "
     "and the same pieces as in ordinary chess."},
    {HELP_SUBHEADING, nullptr, "Cell names"},
    {HELP_TEXT, nullptr,
     "Seen from above the board is 6 files wide, z a b c d e, and 10 ranks long, 0 to 9. A name gives the "
     "file, the rank and then the level: W for White's level (a1W to d4W), N for the neutral level (a3N to "
     "d6N), B for Black's level (a5B to d8B). So b3N is file b, rank 3 on the neutral level. A cell of an "
     "attack board ends with the name of the pin its board stands on: z0QL1 is file z, rank 0 on the board "
     "at pin QL1. N shows every name on the board; the Notation menu has two other styles."},
    {HELP_SUBHEADING, nullptr, "Moving between levels"},
    {HELP_TEXT, nullptr,
     "Pieces move as in ordinary chess on the board seen from above, and may land on any level at the cell "
     "they reach: click the cell on the level you want. No piece moves straight up or down. A piece on any "
     "level blocks a line at its place seen from above. Knights jump to any level."},
    {HELP_SUBHEADING, nullptr, "Attack boards"},
    {HELP_TEXT, nullptr,
     "The pins run up the queen's side (QL1 to QL6, files z and a) and the king's side (KL1 to KL6, files d "
     "and e): pins 1 and 2 at the ends of White's level, 3 and 4 at the neutral level's, 5 and 6 at "
     "Black's. Boards on pins 2 and 5 cover the same cells at two heights. White starts with the boards on "
     "QL1 and KL1, Black with those on QL6 and KL6."},
    {HELP_TEXT, nullptr,
     "Instead of moving a piece you may move one of your attack boards, when at most one piece stands on it, "
     "to a free pin nearby: along its own side, to a pin on the same level or the next one, or across to the "
     "other side at the same place; never between pins 2 and 5. The yellow balls show where it may go, and "
     "the piece on it travels with it. A board belongs to the side whose lone "
     "piece stands on it; an empty board goes back to its first owner. An empty board moves either way; one "
     "carrying a piece moves only forward for that piece (towards its opponent), or across. With the TDCL rules (Rules menu) "
     "a board may carry a piece other than a pawn backwards too."},
    {HELP_SUBHEADING, nullptr, "Pawns"},
    {HELP_TEXT, nullptr,
     "A pawn steps one rank forward (White towards rank 9, Black towards rank 0) and takes one step "
     "diagonally forward. From its first cell it may step two ranks (on an attack board only while that "
     "board stands on its first pin); en passant is allowed."},
    {HELP_SUBHEADING, nullptr, "Promotion"},
    {HELP_TEXT, nullptr,
     "A pawn promotes on the farthest cell it can reach: a cell with nothing beyond it on any level. For "
     "White that is rank 8 of Black's level where no attack board stands beyond, or rank 9 on a board at pin "
     "QL6 or KL6; for Black rank 1 of White's level or rank 0 on a board at QL1 or KL1. An attack board "
     "that carries a pawn to such a pin promotes it. You choose queen, rook, bishop or knight."},
    {HELP_SUBHEADING, nullptr, "Castling"},
    {HELP_TEXT, nullptr,
     "The king starts on d0KL1 with a rook beside it on e0KL1, the other rook on z0QL1 and the queen on "
     "a0QL1. Short castling: the king and the rook of its board change places (click the king, then that "
     "rook). Long castling: the king goes to a0QL1, which must be empty, and the rook from z0QL1 to d0KL1. "
     "Neither the king nor the rook may have moved, and neither the king's cell nor the cell it goes to may "
     "be reached by the opponent. In the 2D game the king moves two squares, as usual."},
    {HELP_TEXT, nullptr,
     "Check, mate and stalemate are as in ordinary chess, and so are the draws by repetition and by fifty "
     "moves without a capture or a pawn's move."},
};
}  // namespace

const HELP_ITEM_T* HelpItems(int* count) {
    *count = (int)(sizeof items / sizeof items[0]);
    return items;
}

std::vector<std::string> HelpKeyNames(const char* keys) {
    std::vector<std::string> names;
    std::string name;
    for (const char* c = keys;; c++) {
        if (*c == '/' || *c == 0) {
            if (!name.empty()) names.push_back(name);
            name.clear();
            if (!*c) break;
        } else {
            name += *c;
        }
    }
    return names;
}

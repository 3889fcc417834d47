// Opening books: the computer's first moves taken from a file of known
// positions, chosen at random by their weights, so that its games differ and
// its opening moves come at once.
//
// Both games use one file shape: 16-byte big-endian entries (key 8, move 2,
// weight 2, learn 4), sorted by key. The 2D game's books are in the common
// Polyglot form (its key and move coding), so books made by other tools
// serve; the 3D game's key is the position's own (POS_T::hash1), its move
// coding this program's own.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "tamzor.h"

struct BOOK_ENTRY_T {
    uint64_t key = 0;
    uint16_t move = 0;
    uint16_t weight = 0;
    uint32_t learn = 0;
};
constexpr int BOOK_ENTRY_SIZE = 16;

extern const uint64_t polyglot_random[781];

// The Polyglot key of a 2D position (en passant counted only when a pawn of
// the side to move stands beside the pawn that passed).
uint64_t PolyglotKey(const POS_T* b);
// The key a book of the current game kind files the position under.
uint64_t BookKey(const POS_T* b);

// A move's code in the current game kind's book. The 2D code is Polyglot's:
// to-file, to-row, from-file, from-row (3 bits each), promotion (bits 12-14:
// 1 knight .. 4 queen); castling as the king taking its own rook. The 3D
// code: a piece move is to-square | from-square << 6 (squares by index) |
// promotion << 12; an attack-board move sets bit 15, with the pin (0..11,
// QL1..KL6) in bits 0-3, the board (0..3, QLW, QLB, KLW, KLB) in bits 4-5
// and a pawn it promotes in bits 12-14.
uint16_t BookMoveCode(const POS_T* b, const MOVE_T& m);
// The move token a code names in the position (castling translated to the
// king's move), "" when the code is no move at all; it may still be illegal.
std::string BookCodeToken(const POS_T* b, uint16_t code);

// The entries of a book filed under `key`, in the file's order. False, with
// `error` set, when the file cannot be read or is no book (its size no
// multiple of 16); a key absent is no error.
bool BookLookup(const std::string& path, uint64_t key, std::vector<BOOK_ENTRY_T>* out, std::string* error);
// Writes a book: the entries sorted by key (then by weight, highest first).
bool BookWrite(const std::string& path, std::vector<BOOK_ENTRY_T> entries, std::string* error);

struct BOOK_MOVE_T {
    MOVE_T move;       // the legal list's own entry
    unsigned weight;
};
// The legal moves the book holds for the position, with their weights; an
// entry naming no legal move (a stale file, another key's) is left out.
std::vector<BOOK_MOVE_T> BookMoves(POS_T* b, const std::string& path);
// A book move: by weighted chance, or the heaviest when `best_only`; entries
// of weight 0 are never played. False when the book has none.
bool BookChoose(POS_T* b, const std::string& path, bool best_only, MOVE_T* move);

// The book settings of the program: on or off, the heaviest move only, and
// each game kind's file ("" for the installed book of that kind). Off
// until an interface turns it on (the window and a terminal game do).
extern std::atomic<bool> book_on;
extern std::atomic<bool> book_best_only;
void SetBookFile(int dmode, const std::string& path);
std::string BookFile(int dmode);
// The book installed with the program for the game kind (share/tamzor/books
// beside the programs, or the source tree's run from the build folder); ""
// when there is none.
std::string DefaultBookFile(int dmode);
// Seeds the choice among book moves (it seeds itself from the clock otherwise).
void BookSeed(uint64_t seed);
// A book move for the computer in the live game kind under the settings;
// false when the book is off, has no move or cannot be read.
bool BookProbe(POS_T* b, MOVE_T* move);

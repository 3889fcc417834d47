// Move generation: the moves of a position, legality, move lists, perft, and the
// texts of moves (as the program writes them, as people type them, SAN, and why a
// move is refused).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tamzor.h"

// ---------------------------------------------------------------------------
// Generation, legality and move lists
// ---------------------------------------------------------------------------

void PieceGenerate(POS_T* b, int slot);
int DetectPromotionImminent(POS_T* b, int piece, SQ_T sq, uint64_t bit);

void InitMove(MOVE_T* m, int piece, SQ_T from, SQ_T to, int v, char symbol, bool check);
bool IsValidMove(POS_T* b, MOVE_T m);
void* Realloc(void* p, int size);

int GenerateMoves(POS_T* b, MOVE_T* moves);
void PG_UTP(POS_T* b, int slot, int dir);
void PG_UTPCont(POS_T* b, int count, int slot, int dir);
SQ_T PG_UTP3DCont(POS_T* b, SQ_T from, int dir, uint64_t bit, bool first);
void PG_Jump(POS_T* b, int slot);
bool PawnMovedTwoSteps(POS_T* b, SQ_T to, SQ_T from, int dir);
// Whether the pawn in the slot may make a double step, its first-step cells
// aside (they must be empty too).
bool PawnMayStepTwice(POS_T* b, int slot);
bool PawnToEastWest(POS_T* b, SQ_T sq, int piece);

int GenAttackBoardMoves(POS_T* b, int which_ab, MOVE_T* moves);
int BoardCanMove(POS_T* b, int which_ab, int* load);
void InitABMove(POS_T* b, int which_ab, SQ_T from, SQ_T to);
int DetectPromoteAttackBoard(POS_T* b, MOVE_T* move);
int PromoteAttackBoard(POS_T* b, int which_ab, MOVE_T* move);
extern thread_local constinit unsigned int gabm_n;
extern thread_local constinit MOVE_T* gabm_moves;

int GenerateCheckAvoidance(POS_T* b, MOVE_T* moves);
bool GCAKingShadow(POS_T* b, SQ_T cell, int dir, SQ_T king);

// Moves of the position with exact duplicates removed (GetMoveCount without
// writing the move texts): what the search and perft need.
int GetMoveList(POS_T* b, MOVE_T* list);
// GetMoveList, then the text of every entry into disambstrs.
int GetMoveCount(POS_T* b, MOVE_T* list);
void GenMoveList(POS_T* b, int ply, MOVE_T* hint, int testv);
int LegalMove(POS_T* b, MOVE_T* move, const char* text);
int IsCheckmate(POS_T* b);
int DetectPromotion(POS_T* b, int piece, SQ_T to, MOVE_T* move);
int GetPromotedPiece(MOVE_T* move);
extern thread_local constinit int msm;              // the move being made was chosen with the mouse
extern thread_local constinit MOVE_T** move_lists;
extern thread_local constinit int num_move_lists;

// Move texts (notation of the last list built by GetMoveCount).
extern thread_local constinit int da_n;
extern thread_local constinit MOVE_T da_moves[MOVE_LIST_SIZE];
extern thread_local constinit char disambstrs[MOVE_LIST_SIZE][16];
extern thread_local constinit char da_str_i[16];
extern thread_local constinit char da_str_j[16];
// Set with da_str_i when another move of the same kind to the same place
// starts from a cell of the same name on another level: the text then names
// the origin's level.
extern thread_local constinit bool da_level_i;
char* ShortMovestr(POS_T* b, MOVE_T* move, char* out);
char* ShortDisambiguateMovestr(MOVE_T* move);
// The text of a move whether or not the position's list holds it: the
// list's text when it does, else the piece and its cells ("Ng1-e2") or the
// board and its pin ("QL white to QL3"); never a fault report.
void PlainMoveText(POS_T* b, const MOVE_T* m, char* out, size_t size);
// Why the rules refuse a move, in the player's words ("a pawn moves forward
// only", "you are in check: Ng1-e2 does not answer it"); false, `out` empty,
// when the move is legal as a player's move (what PlayerMoved plays). The
// position is not changed.
bool RefusalReason(POS_T* b, const MOVE_T* m, char* out, size_t size);

// Leaf count of the move tree to `depth`: every legal move once, a promotion
// once per piece it can become.
uint64_t Perft(POS_T* b, int depth);
// The legal moves of a position for perft's divide and the terminal tool:
// duplicates by (piece, from, to) merged, promotions expanded to 'Q', 'R',
// 'B', 'N'.
int LegalMoves(POS_T* b, MOVE_T* out);
// Replaces a move known by its squares with the legal list's own entry
// (same piece and symbol where the list has them; a queen for a promotion
// whose piece is not named), keeping its value; 0 when no legal move has
// those squares.
int ListedMove(POS_T* b, MOVE_T* move);


// The legal move of the position the token names; false with `error` set
// when it names none (illegal, or a promotion without its piece letter).
bool MoveFromToken(POS_T* b, const std::string& text, MOVE_T* move, std::string* error);

// Room for a LegalMoves result.
constexpr int LEGAL_LIST_SIZE = 4 * MOVE_LIST_SIZE;

// Moves as people enter them

struct MOVE_TEXT_T {
    MOVE_T move;
    std::string token;
    std::string text;           // the program's text; a promotion's names the piece ("a8Q")
    std::string bare;           // the text the move list holds (one for all promotions of a move)
};

// The legal moves of a position, in LegalMoves order, with their tokens and
// texts ("?" for a move the move list has no text for).
std::vector<MOVE_TEXT_T> LegalMoveTexts(POS_T* b);

// The legal move a person typed: a token, the program's text of the move
// (exact case; a trailing '+' or '#' is not needed; in the 3D game the text
// of another notation too when it names one move), or in the 2D game its
// standard algebraic notation. False with `error` set.
bool ReadMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* error);

// Standard algebraic notation (2D game), as other chess programs write and
// read it: the move's text in the position before it (the move a legal
// entry of its list), with "+" or "#" after it.
std::string SanText(POS_T* b, const MOVE_T& move);
// The legal move a SAN text names (Nf3, exd6, e8=Q, e8Q, O-O, 0-0; marks
// after it are ignored); false with `error` set when it names none or more.
bool SanMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* error);

// Why the rules refuse a move, as ": reason" to append to the line that says
// it was refused; empty when the move is legal.
std::string MoveRefusal(POS_T* b, const MOVE_T& m);
// The move a token names in the position, legal or not (the piece on its
// from cell, or the board it names); false when the text is no token or,
// in the 2D game, names a board.
bool TokenMove(POS_T* b, const std::string& text, MOVE_T* move);
// The move a text the rules refused means (a token, castling, or a piece
// and the cell it goes to: Ke3, Nge2, exd5, c3N), so that the refusal can
// say why; false when no one piece is meant, with `general` saying what can
// be said (no such piece, none can go there) or empty; of several pieces
// refused alike, one of them. `origin_named`:
// whether the text gave the whole cell the piece starts from.
bool NamedMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* general,
               bool* origin_named = nullptr);
// Why the rules refuse the move a typed text means, as ": reason"; empty
// when nothing can be said.
std::string TypedRefusal(POS_T* b, const std::string& text);

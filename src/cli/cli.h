// Commands of the terminal tool.
#pragma once

#include <string>
#include <vector>

#include "tamzor.h"

// Options shared by the commands. Parsing reports a bad option on standard
// error and returns false.
struct CLI_OPTIONS_T {
    int dmode = 3;
    int dmode_named = 0;        // 2 or 3 when --2d or --3d was given (the last one)
    int notation = NOTATION_STANDARD;
    int rules = RULES_TDCL;
    bool has_fen = false;       // --fen given: a 2D position instead of the start
    std::string fen;
    std::string moves;          // --moves: tokens played from the start or the FEN
};

// Reads the option at argv[*i] (advancing past its value); false when the
// option is unknown or its value bad, after one line on standard error.
bool ParseCommonOption(int argc, char** argv, int* i, CLI_OPTIONS_T* opt);

// The deepest search --depth asks for: the engine's ply limit is one more,
// and DIFF_HARD at most.
constexpr int MAX_SEARCH_PLIES = DIFF_HARD - 1;

// Reads --depth N (plies, 2 to MAX_SEARCH_PLIES) or --time S (seconds, 0.01
// to 3600) at argv[*i], advancing past its value, into the engine's limits:
// maxdepth N + 1, so that the deepest iteration is N; seconds S. False,
// after one line on standard error, for a missing or bad value.
bool ParseSearchLimit(int argc, char** argv, int* i, SEARCH_LIMITS_T* limits);

// Sets up a new game of the options' kind, notation and rules.
bool SetUpGame(const CLI_OPTIONS_T& opt);

// Sets up the game, the FEN position and the moves the options name.
// 0 on success; otherwise the exit status, after one line on standard error
// (2 for bad input).
int SetUpPosition(const CLI_OPTIONS_T& opt);

// The position as text for a terminal.
std::string BoardText(POS_T* b);

// ---------------------------------------------------------------------------
// FEN (2D game)
// ---------------------------------------------------------------------------

struct FEN_T {
    int board[64];              // piece codes by square index
    bool white_to_move;
    uint64_t castling;          // FLAG_WK_CASTLE .. FLAG_BQ_CASTLE
    SQ_T enpassant;             // the square a pawn just passed over, 0 for none
    int halfmove;
    int fullmove;
};

// Reads a FEN (six fields, or four without the move counters) and checks it
// for everything that needs no move generation. On failure `error` names
// the bad part.
bool ParseFen(const std::string& text, FEN_T* fen, std::string* error);

// Puts a FEN position into the live 2D game set up by SetUpGame; refuses a
// position whose side not to move is in check.
bool SetUpFen(const std::string& text, std::string* error);

// The FEN of a 2D position.
std::string FenText(POS_T* b);

// ---------------------------------------------------------------------------
// Move tokens: <from><to>[q|r|b|n] with squares a1..h8 by index (UCI in the
// 2D game), or <board>@<pin>[q|r|b|n] for an attack-board move (qlw@ql3).
// ---------------------------------------------------------------------------

struct MOVE_TOKEN_T {
    bool board_move = false;
    int board = -1;             // 0..3 (QLW, QLB, KLW, KLB) for a board move
    SQ_T from = NO_SQUARE;      // piece move only
    SQ_T to = NO_SQUARE;        // destination square, or the destination pin
    char promotion = 0;         // 'Q', 'R', 'B', 'N', or 0
};

// Reads a token, any case; false with `error` set for a malformed one.
bool ParseMoveToken(const std::string& text, MOVE_TOKEN_T* token, std::string* error);

// The token of a move, lower case.
std::string MoveToken(const MOVE_T& move);

// The legal move of the position the token names; false with `error` set
// when it names none (illegal, or a promotion without its piece letter).
bool MoveFromToken(POS_T* b, const std::string& text, MOVE_T* move, std::string* error);

// The tokens of a list separated by commas or blanks.
std::vector<std::string> SplitMoveList(const std::string& list);

// Plays tokens separated by commas or blanks on the live position.
bool PlayMoves(const std::string& list, std::string* error);

// Room for a LegalMoves result.
constexpr int LEGAL_LIST_SIZE = 4 * MOVE_LIST_SIZE;

// ---------------------------------------------------------------------------
// Moves as people enter them, and games played like a user's
// ---------------------------------------------------------------------------

struct MOVE_TEXT_T {
    MOVE_T move;
    std::string token;
    std::string text;           // the program's text; a promotion's names the piece ("a8Q")
    std::string bare;           // the text the move list holds (one for all promotions of a move)
};

// The legal moves of a position, in LegalMoves order, with their tokens and
// texts ("?" for a move the move list has no text for).
std::vector<MOVE_TEXT_T> LegalMoveTexts(POS_T* b);

// The legal move a person typed: a token, or the program's text of the move
// (exact case; a trailing '+' or '#' is not needed). False with `error` set.
bool ReadMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* error);

// Plays a legal move on the live game as a user's move is played (the record
// line is printed), then judges the game (its result printed when it ends).
// False when the move was refused; `over` tells whether the game has ended.
bool PlayUserMove(MOVE_T* move, bool* over);

// Plays tokens or move texts, separated by commas or blanks, through
// PlayUserMove; false with `error` naming the move that could not be played.
bool PlayUserMoves(const std::string& list, std::string* error);

// "White wins, 1-0", "Black wins, 0-1" or "drawn, 1/2-1/2" for a winner
// 1, -1 or anything else (a draw is 2).
std::string ResultText(int winner);

// "Game over: ..." with the result of the live position, which has one.
std::string GameOverText(const POS_T* b);

// The time a UCI search may take with `left` ms on its clock, `inc` ms
// increment and `movestogo` moves to the next control (0: unknown): the hard
// limit and the point after which no new iteration starts, in seconds. The
// hard limit always leaves a reserve on the clock.
void UciClockBudget(long long left, long long inc, long long movestogo, double* hard_s, double* soft_s);

// "checkmate: Black wins, 0-1" or "stalemate: drawn, 1/2-1/2" when the side
// to move has no legal move; empty otherwise.
std::string MateText(POS_T* b);

// The legal moves, one a line "token text" sorted by token; the MateText
// line when there is none.
std::string MovesText(POS_T* b);

// ---------------------------------------------------------------------------
// The commands
// ---------------------------------------------------------------------------

struct CLI_COMMAND_T {
    const char* name;
    int (*run)(int argc, char** argv);  // the arguments after the command's name
    const char* synopsis;               // its options, for the usage
    const char* what;                   // what it does (the usage wraps it)
};

// Every command of the tool, in the order the usage lists them.
const std::vector<CLI_COMMAND_T>& CliCommands();

// The whole usage: every command with its options.
std::string UsageText();

int CmdBoard(int argc, char** argv);
int CmdMoves(int argc, char** argv);
int CmdPerft(int argc, char** argv);
int CmdFen(int argc, char** argv);
int CmdSave(int argc, char** argv);
int CmdRestore(int argc, char** argv);
int CmdPlay(int argc, char** argv);
int CmdEval(int argc, char** argv);
int CmdSearch(int argc, char** argv);
int CmdBench(int argc, char** argv);
int CmdUci(int argc, char** argv);
int CmdHelp(int argc, char** argv);

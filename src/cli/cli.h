// Commands of the terminal tool.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tamzor.h"
#include "search/search.h"
#include "shell/clock.h"

// Options shared by the commands. Parsing reports a bad option on standard
// error and returns false.
struct CLI_OPTIONS_T {
    int dmode = 3;
    int dmode_named = 0;        // 2 or 3 when --2d or --3d was given (the last one)
    int notation = NOTATION_DEFAULT;
    int rules = RULES_TDCL;
    bool has_fen = false;       // --fen given: a 2D position instead of the start
    std::string fen;
    std::string moves;          // --moves: tokens played from the start or the FEN
    std::string pgn;            // --pgn FILE: the game of a PGN file instead of the start
    int pgn_game = 1;           // --game N: which game of the file
    bool rules_named = false;   // --rules given
    bool game_named = false;    // --game given
    // the options given with a value, and the value, to refuse one given
    // twice with different values
    std::vector<std::pair<std::string, std::string>> given;
    // the table and the move-order memories stay: the position set up
    // continues the game searched before (a UCI position command)
    bool keep_search_memory = false;
};

// Reads the option at argv[*i] (advancing past its value); false when the
// option is unknown, its value bad, or it contradicts one before it (--2d
// after --3d, --rules twice with different values), after one line on
// standard error.
bool ParseCommonOption(int argc, char** argv, int* i, CLI_OPTIONS_T* opt);

// Notes that `option` was given `value`; false, after one line on standard
// error, when it was given another value before. The same value again is
// taken.
bool NoteOption(CLI_OPTIONS_T* opt, const std::string& option, const std::string& value);

// Refuses options that contradict each other or lack the one they need
// (--game without --pgn, --fen with --pgn or --3d, --rules in the 2D game):
// false after one line on standard error.
bool CheckOptionPairs(const CLI_OPTIONS_T& opt);

// After the game of a file (PGN, saved game) was set up: --2d, --3d and
// --rules may say what the game is, not change it. False, after one line on
// standard error, when the game is another.
bool CheckGameOfFile(const CLI_OPTIONS_T& opt, const char* file);

// The deepest search --depth asks for: the engine's ply limit is one more,
// and DIFF_HARD at most.
constexpr int MAX_SEARCH_PLIES = DIFF_HARD - 1;

// Reads --depth N (plies, 2 to MAX_SEARCH_PLIES) or --time S (seconds, 0.01
// to 3600) at argv[*i], advancing past its value, into the engine's limits:
// maxdepth N + 1, so that the deepest iteration is N; seconds S. False,
// after one line on standard error, for a missing or bad value, or one that
// differs from the value given before (noted in `opt`).
bool ParseSearchLimit(int argc, char** argv, int* i, SEARCH_LIMITS_T* limits, CLI_OPTIONS_T* opt);

// Reads --level R at argv[*i] (a rating LEVEL_LOWEST to LEVEL_HIGHEST, the
// levels between the rungs interpolated, or "full") into the value of the
// difficulty field, advancing past it; false after one line on standard
// error for a bad value or one that differs from the value given before.
bool ParseLevel(int argc, char** argv, int* i, int* level, CLI_OPTIONS_T* opt);
// --level and --depth together are refused (one line on standard error).
bool CheckLevelAndDepth(const CLI_OPTIONS_T& opt);

// --threads N at argv[*i]: the threads of the searches (1 to the machine's
// cores); false, after one line on standard error, for a bad count.
bool ParseThreads(int argc, char** argv, int* i, CLI_OPTIONS_T* opt);

// Runs `f` with what the core prints on the console (standard output) thrown
// away: a command's standard output holds its data alone, and the tool
// reports what happened in its own line on standard error.
bool WithoutConsole(const std::function<bool()>& f);

// Sets up a new game of the options' kind, notation and rules.
bool SetUpGame(const CLI_OPTIONS_T& opt);

// Shows the live game in `notation` from now on, the game record's texts too:
// a restored game comes back in the notation it was saved with, and the tool
// speaks its own.
void UseNotation(int notation);

// Sets up the game, the FEN position or PGN game and the moves the options
// name.
// 0 on success; otherwise the exit status, after one line on standard error
// (2 for bad input).
int SetUpPosition(const CLI_OPTIONS_T& opt);

// The position as text for a terminal.
std::string BoardText(POS_T* b);

// Plays tokens separated by commas or blanks on the live position.
bool PlayMoves(const std::string& list, std::string* error);


// Plays a legal move on the live game as a user's move is played (the record
// line is printed), then judges the game (its result printed when it ends).
// False when the move was refused; `over` tells whether the game has ended.
bool PlayUserMove(MOVE_T* move, bool* over);

// MoveRefusal and TypedRefusal: movegen/movegen.h (the window uses them too).

// Plays tokens or move texts, separated by commas or blanks, through
// PlayUserMove; false with `error` naming the move that could not be played.
bool PlayUserMoves(const std::string& list, std::string* error);

// "White wins, 1-0", "Black wins, 0-1" or "drawn, 1/2-1/2" for a winner
// 1, -1 or anything else (a draw is 2).
std::string ResultText(int winner);

// "Game over: ..." with the result of the live position, which has one.
std::string GameOverText(const POS_T* b);

// UciClockBudget, the time a search may take on a clock, is the core's (shell/clock.h).

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
int CmdPgn(int argc, char** argv);
int CmdReview(int argc, char** argv);


// The live game as PGN with the names of the sides: "Tamzor" for the side the
// computer plays (`computer` in state.tamzor's values, TAMZOR_BOTH for both).
std::string GamePgn(int computer);

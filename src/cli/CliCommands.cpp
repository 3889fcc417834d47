// The commands of the tool: what main runs and what the usage lists come
// from this one table, so neither can leave a command out.
#include "cli.h"
#include "tamzor.h"

const std::vector<CLI_COMMAND_T>& CliCommands() {
    static const std::vector<CLI_COMMAND_T> commands = {
        {"board", CmdBoard, "[GAME]",
         "the position as text; its first line names the side to move and "
         "says check, checkmate or stalemate"},
        {"moves", CmdMoves, "[GAME]",
         "every legal move: token and text, one a line; with no move, one "
         "line \"checkmate: ...\" or \"stalemate: ...\"; in check, a note on "
         "standard error"},
        {"perft", CmdPerft, "D [--divide] [GAME]", "leaf counts of the move tree"},
        {"fen", CmdFen, "[GAME]", "the FEN of a 2D position"},
        {"eval", CmdEval, "[GAME]", "the evaluation of the position (White's view), term by term"},
        {"search", CmdSearch, "[GAME] [--depth D] [--time S] [--verbose] [--level R] [--threads N]",
         "the computer's move, searched D plies deep (2 to 49, 49 by default), at "
         "most S seconds (0.01 to 3600, 5 by default), or as the level rated R "
         "plays it (800 to 2000, or full); --verbose adds a "
         "line for every completed iteration; N threads search together (1 by "
         "default, at most the machine's cores; the levels below full use one)"},
        {"bench", CmdBench, "[--2d|--3d] [--rules tdcl|tournament] [--depth D] [--threads N]",
         "fixed positions searched D plies deep (2 to 49, 9 by default) "
         "from a cleared table: the node total is a signature of the search "
         "and the evaluation (on one thread, the default; --threads N for the "
         "speed of N)"},
        {"play", CmdPlay, "[GAME] [--computer white|black|both|none] [--depth D] [--time S]",
         "a game at the terminal, moves from standard input; the computer "
         "(Black by default) searches D plies (2 to 49, 49 by default) for "
         "at most S seconds a move (0.01 to 3600, 5 by default); with "
         "--level R it plays at the level rated R instead (800, 1000, ... "
         "2000, or full: full strength), with --threads N on N threads; --book on|off: known openings "
         "from its book, played at once (on by default)"},
        {"save", CmdSave, "[GAME]",
         "play the --moves as a user would and save the game to tamzor.sav "
         "in the working directory"},
        {"pgn", CmdPgn, "[GAME]",
         "the game as PGN on standard output: standard algebraic notation in the 2D "
         "game, move tokens with the program's texts in the 3D game"},
        {"review", CmdReview, "[GAME] [--seconds S] [--depth D]",
         "the game reviewed: every position searched S seconds (0.01 to 3600, "
         "1 by default) or D plies deep; the game as PGN on standard output with "
         "each move's value ({[%eval +0.35]}, White's view), ?! ? ?? for moves "
         "that lost 0.5, 1 or 2 pawns and the better line; progress and a "
         "summary a side on standard error"},
        {"restore", CmdRestore, "[--notation 0|1|2] [--write-pgn]",
         "restore tamzor.sav of the working directory: its moves (or with "
         "--write-pgn the game as PGN alone), its "
         "result and the position"},
        {"uci", CmdUci, "", "the 2D game as a UCI engine on standard input and output"},
        {"help", CmdHelp, "", "this text; so does --help after any command"},
    };
    return commands;
}

// A game at the terminal: the board, a prompt, a move or a command a line.
// Everything goes to standard output, flushed at every prompt, so a script
// driving the game through a pipe sees each prompt as it comes.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include <chrono>
#include <mutex>
#include <thread>

#include "cli.h"
#include "search/book.h"
#include "search/levels.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
using GameLock = std::unique_lock<std::recursive_mutex>;

struct SESSION_T {
    int computer = TAMZOR_BLACK;  // the side the computer plays, in state.tamzor's values
    bool both = false;            // the computer plays both sides
    bool over = false;          // the game has a result: moves are refused
    bool announced = false;     // "Game over" was said for this result
    int maxdepth = DIFF_HARD;   // the difficulty field: a ply limit from --depth, or --level's rating
    int notation = NOTATION_DEFAULT;  // from --notation
};

const char* const HELP =
    "Enter a move as its token (e2e4, e7e8q, qlw@ql3: squares by index a1..h8,\n"
    "a promotion with its piece letter, an attack board @ a pin) or as the\n"
    "program's own text of it (3D: a4N, Nb3N, QL3; 2D: Nf3, exd5, O-O, a8Q;\n"
    "a '+' may be left out), in the 2D game also in standard notation (Kxb2,\n"
    "e8=Q, 0-0).\n"
    "Commands:\n"
    "  board    show the position\n"
    "  moves    list the legal moves: token and text\n"
    "  list     list the moves of the game\n"
    "  undo     take back the last move\n"
    "  save     save the game to tamzor.sav in the working directory\n"
    "  restore  restore the game saved in tamzor.sav\n"
    "  pgn [FILE]       the game as PGN, into FILE or on the terminal\n"
    "  load FILE [N]    play on from game N (1 by default) of a PGN file\n"
    "  help     this text\n"
    "  quit     leave (so does the end of the input)\n";

const char* const COMMANDS = "board, moves, list, undo, save, restore, pgn [FILE], load FILE [N], help or quit";

// The core's messages start a line but leave it open.
void EndLine() { printf("\n"); }

// The ply of the position the terminal showed last.
int shown_ply = -1;

void ShowBoard() {
    printf("\n%s", BoardText(&state.position).c_str());
    shown_ply = state.position.move_num;
}

// Takes in a new result (from JudgeGame or already in the position), and
// says once that the game is over.
void TakeResult(SESSION_T* s, bool judged_over) {
    s->over = judged_over || state.position.winner != 0;
    if (!s->over) {
        s->announced = false;
        return;
    }
    if (!s->announced) printf("%s\n", GameOverText(&state.position).c_str());
    s->announced = true;
}

// After the game was rebuilt (undo, restore): the core switched the
// computer off and dropped the result, and a restore brings the saved
// game's difficulty; all are the session's.
void AfterRebuild(SESSION_T* s) {
    state.demo_mode = s->both ? 1 : 0;
    StoreShared(state.maxdepth, s->maxdepth);
    StoreShared(state.tamzor, s->both ? NextToPlay(&state.position) : s->computer);
    s->announced = false;
    bool over = JudgeGame(&state.position) == 1;
    if (over) EndLine();
    ShowBoard();
    TakeResult(s, over);
}

// Plays a move for the side to move, a person's (and later the computer's).
void PlayTurn(SESSION_T* s, MOVE_T* m) {
    bool over;
    if (!PlayUserMove(m, &over)) {
        printf("illegal move '%s'%s\n", MoveToken(*m).c_str(), MoveRefusal(&state.position, *m).c_str());
        return;
    }
    EndLine();
    ShowBoard();
    TakeResult(s, over);
}

void Undo(SESSION_T* s) {
    const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
    if (state.position.move_num <= first) {
        printf("nothing to undo\n");
        return;
    }
    // Against the computer a person takes back their own move too, so that
    // it is their turn again.
    int plies = 1;
    if (!s->both && s->computer != TAMZOR_OFF && state.position.move_num - 2 >= first &&
        NextToPlay(&state.position) != s->computer)
        plies = 2;
    UndoMoves(plies);
    EndLine();
    AfterRebuild(s);
}

void Restore(SESSION_T* s) {
    char why[200];
    if (!RestoreGame(0, why, sizeof why)) {
        printf("no game restored (%s); the game goes on\n", why);
        return;
    }
    UseNotation(s->notation);
    EndLine();
    AfterRebuild(s);
}

// The game as PGN, into a file or on the terminal.
void WritePgn(const SESSION_T& s, const std::string& file) {
    const std::string pgn = GamePgn(s.both ? TAMZOR_BOTH : s.computer);
    if (file.empty()) {
        fputs(pgn.c_str(), stdout);
        return;
    }
    FILE* f = fopen(file.c_str(), "w");
    const bool ok = f && fputs(pgn.c_str(), f) >= 0;
    if (f && fclose(f) != 0) printf("could not write %s\n", file.c_str());
    else printf(ok ? "wrote %s\n" : "could not write %s\n", file.c_str());
}

// A game of a PGN file becomes the game played on; a file that cannot be
// read leaves the game as it was.
void LoadPgn(SESSION_T* s, const std::string& args) {
    std::istringstream in(args);
    std::string file, extra;
    long number = 1;
    if (!(in >> file) || (in >> number && (number < 1 || (in >> extra)))) {
        printf("load takes a PGN file and a game number (load game.pgn 2)\n");
        return;
    }
    std::string text, error;
    Clutch(0);
    bool loaded = ReadPgnFile(file, &text, &error) && PgnLoadGame(text, (int)number, &error);
    Clutch(1);
    if (!loaded) {
        printf("%s: %s; the game goes on\n", file.c_str(), error.c_str());
        return;
    }
    printf("loaded game %ld of %s", number, file.c_str());
    EndLine();
    AfterRebuild(s);
}

// A word that names no move: every move, token or text, has a square's
// digit in it, but castling.
bool LooksLikeACommand(const std::string& line) {
    if (line.find_first_of("0123456789") != std::string::npos) return false;
    std::string u;
    for (char c : line) u += (char)toupper((unsigned char)c);
    while (!u.empty() && (u.back() == '+' || u.back() == '#')) u.pop_back();
    return u != "O-O" && u != "O-O-O";
}

std::string Trimmed(const std::string& line) {
    size_t a = line.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    size_t b = line.find_last_not_of(" \t\r\n");
    return line.substr(a, b - a + 1);
}

// One line of input; false when the session ends.
bool Obey(SESSION_T* s, const std::string& line) {
    if (line.empty()) return true;
    if (line == "quit") return false;
    if (line == "help") {
        fputs(HELP, stdout);
    } else if (line == "board") {
        ShowBoard();
    } else if (line == "moves") {
        if (s->over) printf("no moves: the game is over\n");
        else fputs(MovesText(&state.position).c_str(), stdout);
    } else if (line == "list") {
        if (state.position.move_num == (state.oeb.inited ? state.oeb.pos_0.move_num : 0)) {
            printf("no moves played\n");
        } else {
            ListGame(false);
            EndLine();
        }
    } else if (line == "undo") {
        Undo(s);
    } else if (line == "save") {
        SaveGame(0);
    } else if (line == "restore") {
        Restore(s);
    } else if (line == "pgn" || line.rfind("pgn ", 0) == 0) {
        WritePgn(*s, Trimmed(line.substr(3)));
    } else if (line == "load" || line.rfind("load ", 0) == 0) {
        LoadPgn(s, line.substr(4));
    } else if (LooksLikeACommand(line)) {
        printf("unknown command '%s' (%s)\n", line.c_str(), COMMANDS);
    } else if (state.position.move_num >= GAME_MAX_PLIES) {
        printf("the game record is full: no more moves (%s)\n", COMMANDS);
    } else if (s->over) {
        printf("the game is over: no more moves (%s)\n", COMMANDS);
    } else {
        MOVE_T m;
        std::string error;
        if (ReadMove(&state.position, line, &m, &error))
            PlayTurn(s, &m);
        else
            printf("%s (type help for how to enter moves)%s\n", error.c_str(),
                   TypedRefusal(&state.position, line).c_str());
    }
    return true;
}

bool ComputerToMove(const SESSION_T& s) {
    if (state.position.winner) return false;
    return s.both || (s.computer != TAMZOR_OFF && NextToPlay(&state.position) == s.computer);
}

// The engine thread plays the computer's moves on the live game; meanwhile
// this thread waits, shows each move as it comes and lets the computer take
// both sides when it plays both.
void AwaitComputer(SESSION_T* s) {
    for (;;) {
        GameLock lock(GameMutex());
        // A move the engine made before this first look (a quick answer) is
        // shown as one made while waiting.
        if (state.position.move_num == shown_ply) {
            if (!ComputerToMove(*s)) return;
            lock.unlock();
            while (true) {
                TamzorIdleFunc();
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                lock.lock();
                bool moved = state.position.move_num != shown_ply || state.position.winner;
                if (moved) break;
                if (!EngineEngaged()) {  // the engine gave up and left
                    lock.unlock();
                    return;
                }
                lock.unlock();
            }
        }
        EndLine();
        ShowBoard();
        TakeResult(s, false);
        fflush(stdout);
    }
}

// The engine thread stops with the session, and its limit of a move in
// milliseconds with it.
void StopEngine() {
    Clutch(0);
    timers.move_limit_ms = 0;
}

void Prompt(const SESSION_T& s) {
    if (s.over) fputs("Game finished> ", stdout);
    else fputs(IsWhitesMove(&state.position) ? "White to move> " : "Black to move> ", stdout);
    fflush(stdout);
}
}  // namespace

int CmdPlay(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    SESSION_T s;
    SEARCH_LIMITS_T limits;
    limits.maxdepth = DIFF_HARD;
    limits.seconds = 5;
    int level = LEVEL_FULL;
    book_on = true;  // a game opens from the book unless told otherwise
    for (int i = 0; i < argc; i++) {
        if (!strcmp(argv[i], "--depth") || !strcmp(argv[i], "--time")) {
            if (!ParseSearchLimit(argc, argv, &i, &limits, &opt)) return 2;
            continue;
        }
        if (!strcmp(argv[i], "--level")) {
            if (!ParseLevel(argc, argv, &i, &level, &opt)) return 2;
            continue;
        }
        if (!strcmp(argv[i], "--threads")) {
            if (!ParseThreads(argc, argv, &i, &opt)) return 2;
            continue;
        }
        if (!strcmp(argv[i], "--book")) {
            // the opening book: on unless the player turns it off
            const char* v = i + 1 < argc ? argv[++i] : nullptr;
            if (!v || (strcmp(v, "on") && strcmp(v, "off"))) {
                fprintf(stderr, "tamzor-cli: --book is on or off (%s)\n", v ? v : "none");
                return 2;
            }
            if (!NoteOption(&opt, "--book", v)) return 2;
            book_on = !strcmp(v, "on");
            continue;
        }
        if (strcmp(argv[i], "--computer") != 0) {
            if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
            continue;
        }
        if (i + 1 >= argc) {
            fprintf(stderr, "tamzor-cli: --computer needs a value (none)\n");
            return 2;
        }
        const char* v = argv[++i];
        if (!strcmp(v, "white")) {
            s.computer = TAMZOR_WHITE;
        } else if (!strcmp(v, "black")) {
            s.computer = TAMZOR_BLACK;
        } else if (!strcmp(v, "both")) {
            s.both = true;
        } else if (!strcmp(v, "none")) {
            s.computer = TAMZOR_OFF;
        } else {
            fprintf(stderr, "tamzor-cli: bad --computer value '%s' (white, black, both or none)\n", v);
            return 2;
        }
        if (!NoteOption(&opt, "--computer", v)) return 2;
    }
    if (!CheckLevelAndDepth(opt)) return 2;
    CLI_OPTIONS_T start = opt;
    start.moves.clear();
    if (int rc = SetUpPosition(start)) return rc;
    // A new game has the computer playing Black; this game is the session's.
    StoreShared(state.tamzor, s.both ? NextToPlay(&state.position) : s.computer);
    state.demo_mode = s.both ? 1 : 0;
    s.maxdepth = LevelRating(level) ? level : limits.maxdepth;
    s.notation = opt.notation;
    StoreShared(state.maxdepth, s.maxdepth);
    const int first = state.position.move_num;
    std::string error;
    bool played = PlayUserMoves(opt.moves, &error);
    if (state.position.move_num != first) EndLine();
    if (!played) {
        fflush(stdout);
        fprintf(stderr, "tamzor-cli: %s\n", error.c_str());
        return 2;
    }
    // A FEN may start a finished game; the moves may finish one.
    const bool had_result = state.position.winner != 0;
    const bool over = JudgeGame(&state.position) == 1;
    if (over && !had_result) printf("\n\n");
    printf("%s", BoardText(&state.position).c_str());
    shown_ply = state.position.move_num;
    TakeResult(&s, over);

    // The engine thread plays the computer's side on the live game, exactly
    // as in the window; a person's turn comes at the prompt.
    // The whole seconds the clock counts in, and the limit itself to the
    // millisecond for every move.
    timers.timer_limit = (uint64_t)std::ceil(limits.seconds);
    timers.move_limit_ms = (uint64_t)std::llround(limits.seconds * 1000);
    fflush(stdout);
    Clutch(1);
    for (std::string line;;) {
        AwaitComputer(&s);
        {
            GameLock lock(GameMutex());
            Prompt(s);
        }
        if (!std::getline(std::cin, line)) break;
        GameLock lock(GameMutex());
        if (!Obey(&s, Trimmed(line))) {
            lock.unlock();
            StopEngine();
            return 0;
        }
        fflush(stdout);
    }
    StopEngine();
    EndLine();  // the prompt's line
    return 0;
}

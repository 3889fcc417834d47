// The game as a UCI engine, for chess interfaces and match tools: the 2D game
// by default, the 3D game after `setoption name UCI_Variant value 3d` (moves
// are then the terminal tool's tokens: b1c2, qlw@ql3). Input it cannot use is
// answered with an info string and otherwise ignored.
// Standard output carries the protocol alone: for the session the process's
// own standard output is pointed at standard error, so that any report the
// engine prints on its way goes there, and the protocol has a stream of its
// own.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli.h"
#include "search/book.h"
#include "search/levels.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"
#include "search/thinking.h"

namespace {

std::mutex out_mutex;  // the search thread and the reader both write lines
FILE* protocol = nullptr;

void Say(const std::string& line) {
    std::lock_guard<std::mutex> lk(out_mutex);
    FILE* f = protocol ? protocol : stdout;
    fputs(line.c_str(), f);
    fputc('\n', f);
    fflush(f);
}

void InfoString(const std::string& text) { Say("info string " + text); }

std::string ScoreText(ETYPE_T v) {
    if (v >= 399873) return "mate " + std::to_string((399999 - v) / 2 + 1);
    if (v <= -399873) return "mate -" + std::to_string((v + 399999) / 2 + 1);
    return "cp " + std::to_string((long long)v * 100 / 10052);  // a pawn is 10052
}

std::string LineText(const std::vector<MOVE_T>& line) {
    std::string s;
    for (const MOVE_T& m : line) s += (s.empty() ? "" : " ") + MoveToken(m);
    return s;
}

struct ENGINE_T {
    std::thread worker;
    std::atomic<bool> finished{true};      // the worker has given its bestmove
    std::atomic<bool> stop_asked{false};   // "stop" (or quit, or a new command) came
    int difficulty = DIFF_HARD;
    bool limit_strength = false;           // UCI_LimitStrength: play at UCI_Elo
    int elo = LEVEL_HIGHEST;               // UCI_Elo
    int dmode = 2;                         // the game: 2D, or 3D by UCI_Variant
    int rules = RULES_TDCL;                // the 3D game's attack-board rules
    uint64_t start_ms = 0;
    int infos = 0;                         // info lines of the running search
    // The time the interface charges beyond what passes here between "go"
    // and "bestmove" (its own delays, a loaded machine), learnt from the
    // clock it sends next and spared from every budget after.
    std::atomic<uint64_t> answer_ms{0};    // when the last bestmove was said
    long long go_left = -1, go_inc = 0;    // the clock of the last go, -1 without one
    bool go_white = true;
    long long overhead_ms = 0;
    bool ponder = false;                   // the Ponder option (the interface's to use)
    // A "go ponder" search: it thinks without a limit, and answers only
    // after ponderhit or stop; on ponderhit the clock's budget, kept here,
    // starts.
    std::atomic<bool> pondering{false};
    double ponder_seconds = 0, ponder_soft = 0, ponder_stretch = 0;
    bool own_book = false;                 // OwnBook: the computer's moves from its book
};
ENGINE_T engine;

// The depth said is the deepest iteration this search completed itself (0
// when it was stopped before the first), never one the table remembered.
void Progress(POS_T* root, MOVE_T* move, ETYPE_T v, int) {
    engine.infos++;
    const int depth = search_done_depth;
    uint64_t ms = TickCount() - engine.start_ms;
    // the root itself was looked at, even when the table answered for it
    uint64_t n = std::max<uint64_t>((uint64_t)nodes + (uint64_t)quiesce_nodes, 1);
    std::ostringstream s;
    s << "info depth " << depth << " seldepth " << std::max(search_seldepth, depth) << " score " << ScoreText(v)
      << " nodes " << n << " nps " << (ms ? n * 1000 / ms : n * 1000) << " time " << ms;
    if (!IsZeroMove(move)) {
        std::vector<MOVE_T> line = PrincipalLine(root, *move, imax(depth, 1) + 8);
        if (!line.empty()) s << " pv " << LineText(line);
    }
    Say(s.str());
}

// The opponent played the move expected: the search goes on as the go's
// own, on the clock from now.
void PonderHit() {
    if (!engine.pondering) return;  // late, after a stop: nothing to do
    const uint64_t now = TickCount();
    engine.start_ms = now;  // the interface's clock runs for this side from here
    if (search_pondering) {
        timers.deadline_ms = now + (uint64_t)(engine.ponder_seconds * 1000.0);
        if (engine.ponder_soft > 0) soft_deadline_ms = now + (uint64_t)(engine.ponder_soft * 1000.0);
        if (engine.ponder_stretch > engine.ponder_seconds)
            stretch_deadline_ms = now + (uint64_t)(engine.ponder_stretch * 1000.0);
        search_pondering = false;
    }
    engine.pondering = false;
}

void StopSearch() {
    if (engine.worker.joinable()) {
        engine.stop_asked = true;
        // A search clears the flag as it begins, so a stop sent before that
        // would be lost: it is said again until the search has ended.
        while (!engine.finished) {
            StoreShared(state.stop_search, 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        engine.worker.join();
    }
    engine.stop_asked = false;
    engine.pondering = false;
}

// A new game of the session's kind and rules.
CLI_OPTIONS_T GameOptions() {
    CLI_OPTIONS_T opt;
    opt.dmode = engine.dmode;
    opt.rules = engine.rules;
    return opt;
}

void NewGame() {
    StopSearch();
    SetUpGame(GameOptions());
    hash_c.HashReset();
    hash_c.OrderReset();
}

// position startpos|fen <fen> [moves <m1> <m2> ...]; a position that cannot
// be set up leaves the last good one.
void Position(std::istringstream& in) {
    StopSearch();
    std::string word, fen;
    in >> word;
    if (word == "fen" && engine.dmode != 2) {
        InfoString("the 3D game has no FEN: the position stays as it was");
        return;
    }
    if (word == "fen") {
        std::vector<std::string> fields;
        word.clear();
        while (in >> word && word != "moves") fields.push_back(word);
        if (word != "moves") word.clear();
        for (size_t i = 0; i < fields.size(); i++) fen += (i ? " " : "") + fields[i];
        if (fen.empty()) {
            InfoString("position fen needs a FEN: the position stays as it was");
            return;
        }
    } else if (word == "startpos") {
        word.clear();
        in >> word;
    } else {
        InfoString("position needs startpos or fen: the position stays as it was");
        return;
    }
    if (!word.empty() && word != "moves") {
        InfoString("expected 'moves' after the position, not '" + word + "': the position stays as it was");
        return;
    }
    // everything is checked on the side before the live position changes
    std::vector<std::string> tokens;
    while (in >> word) tokens.push_back(word);
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    static STATE_T backup;
    backup = state;
    // Interfaces send the whole game before every move: what the search
    // learnt on the last one stays (ucinewgame clears it).
    CLI_OPTIONS_T opt = GameOptions();
    opt.keep_search_memory = true;
    SetUpGame(opt);
    std::string error;
    if (!fen.empty() && !SetUpFen(fen, &error)) {
        state = backup;
        InfoString("bad fen (" + error + "): the position stays as it was");
        return;
    }
    for (const std::string& t : tokens) {
        MOVE_T m;
        if (state.position.move_num >= GAME_MAX_PLIES) {
            state = backup;
            InfoString("the game record is full: '" + t + "' is not played; the position stays as it was");
            UpdateMaps(&state.position);
            return;
        }
        if (!MoveFromToken(&state.position, t, &m, &error) ||
            !DoMove(&state.position, &state.position, &m)) {
            state = backup;
            InfoString("illegal or unreadable move '" + t + "': the position stays as it was");
            UpdateMaps(&state.position);
            return;
        }
        state.position.flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
    }
}

// The clock of this go against the last one's, less the time spent here:
// what is missing beyond it went elsewhere. The largest such delay lately
// counts; a clock that does not follow on (a new game, another side, a
// clock set anew) teaches nothing.
void LearnOverhead(bool white, long long left, long long inc) {
    if (engine.go_left >= 0 && left >= 0 && white == engine.go_white && engine.answer_ms >= engine.start_ms) {
        const long long spent = (long long)(engine.answer_ms - engine.start_ms);
        const long long extra = engine.go_left - spent + engine.go_inc - left;
        if (extra >= 0 && extra <= 2000) engine.overhead_ms = std::max(extra, engine.overhead_ms * 3 / 4);
    }
    engine.go_left = left;
    engine.go_inc = inc;
    engine.go_white = white;
}

// A whole number, all of the word.
bool ParseNumber(const std::string& word, long long* out) {
    if (word.empty()) return false;
    char* end;
    errno = 0;
    const long long v = strtoll(word.c_str(), &end, 10);
    if (*end || errno) return false;
    *out = v;
    return true;
}

// go [depth N] [nodes N] [mate N] [movetime MS] [wtime MS btime MS winc MS
// binc MS movestogo N] [infinite] [searchmoves M1 M2 ...] [ponder]
// Every go is answered by one bestmove, whatever it holds: a value that
// cannot be read is reported and left out, and a clock at or below zero
// (an interface's clock past its flag) means moving at once.
void Go(std::istringstream& in) {
    StopSearch();
    SEARCH_LIMITS_T limits;
    long long wtime = 0, btime = 0, winc = 0, binc = 0, movestogo = 0, movetime = 0, depth = 0, max_nodes = 0,
              mate = 0;
    bool has_wtime = false, has_btime = false, has_movetime = false, infinite = false, ponder = false;
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    for (size_t i = 0; i < words.size(); i++) {
        const std::string& word = words[i];
        long long* target = nullptr;
        bool* given = nullptr;
        bool positive = false;  // a count, not a time
        if (word == "depth") target = &depth, positive = true;
        else if (word == "nodes") target = &max_nodes, positive = true;
        else if (word == "mate") target = &mate, positive = true;
        else if (word == "movestogo") target = &movestogo, positive = true;
        else if (word == "movetime") target = &movetime, given = &has_movetime;
        else if (word == "wtime") target = &wtime, given = &has_wtime;
        else if (word == "btime") target = &btime, given = &has_btime;
        else if (word == "winc") target = &winc;
        else if (word == "binc") target = &binc;
        else if (word == "infinite") infinite = true;
        else if (word == "ponder") ponder = true;
        else if (word == "searchmoves") {
            // the moves that follow, up to the next word that is no move
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            for (; i + 1 < words.size(); i++) {
                MOVE_TOKEN_T t;
                std::string error;
                if (!ParseMoveToken(words[i + 1], &t, &error)) break;
                MOVE_T m;
                if (MoveFromToken(&state.position, words[i + 1], &m, &error))
                    limits.only_moves.push_back(MoveToken(m));
                else
                    InfoString("searchmoves: " + error + ": left out");
            }
            if (limits.only_moves.empty()) InfoString("searchmoves without a legal move: every move is searched");
        } else {
            InfoString("unknown go parameter '" + word + "': ignored");
        }
        if (!target) continue;
        long long v;
        if (i + 1 >= words.size() || !ParseNumber(words[i + 1], &v)) {
            InfoString("'" + word + "' needs a number: ignored");
            continue;
        }
        i++;
        if (positive && v <= 0) {
            InfoString("'" + word + "' needs a number above 0: ignored");
            continue;
        }
        *target = v;
        if (given) *given = true;
    }
    const bool white = IsWhitesMove(&state.position);
    const bool has_clock = white ? has_wtime : has_btime;
    const long long left = has_clock ? std::max<long long>(white ? wtime : btime, 0) : -1;
    const long long inc = std::max<long long>(white ? winc : binc, 0);
    // a clock at zero or past it tells nothing of the interface's delay
    LearnOverhead(white, left > 0 ? left : -1, inc);
    const bool fixed = depth > 0 || max_nodes > 0 || mate > 0;
    // The Difficulty option caps the depth of a search by time; a depth, a
    // node count or a mate asked for outright is searched as asked.
    limits.maxdepth = fixed ? DIFF_HARD : engine.difficulty;
    // UCI_LimitStrength plays a move at the rating's level (the levels
    // between the rungs interpolated); the field carries it to the search.
    if (!fixed && engine.limit_strength) limits.maxdepth = 0;
    StoreShared(state.maxdepth, !fixed && engine.limit_strength ? engine.elo : DIFF_HARD);
    // at once: the least the search takes, one iteration
    const double at_once = 0.001;
    if (fixed || infinite) {
        // to the depth, the nodes or the mate asked for, or until stopped
        limits.no_soft_limit = true;
        limits.seconds = 3600 * 24 * 30;
        if (depth > 0) limits.last_iteration = (int)std::clamp<long long>(depth, 2, limits.maxdepth - 1);
        // A mate in N moves needs 2N - 1 plies searched in full, and checks
        // followed beyond them; the search ends once it is proven or refuted.
        if (mate > 0) limits.mate_moves = (int)std::min<long long>(mate, DIFF_HARD / 2);
        if (max_nodes > 0) limits.max_nodes = (uint64_t)max_nodes;
        // a clock given beside them still holds
        double soft_unused;
        if (has_movetime) limits.seconds = std::max(movetime / 1000.0, at_once);
        else if (has_clock && !infinite)
            UciClockBudget(left, inc, movestogo, &limits.seconds, &soft_unused, engine.overhead_ms);
    } else if (has_movetime) {
        limits.seconds = std::max(movetime / 1000.0, at_once);
        limits.soft_seconds = std::max(movetime / 2000.0, at_once);
    } else if (has_clock) {
        UciClockBudget(left, inc, movestogo, &limits.seconds, &limits.soft_seconds, engine.overhead_ms,
                       &limits.stretch_seconds);
    } else {
        limits.seconds = 5;  // the program's own default limit
    }
    // On the opponent's time: no limit until ponderhit, then the budget of
    // this clock from that moment. A fixed or infinite search keeps its own
    // limits and only waits for ponderhit or stop to answer.
    engine.pondering = ponder;
    search_pondering = ponder && !fixed && !infinite;
    if (search_pondering) {
        engine.ponder_seconds = limits.seconds;
        engine.ponder_soft = limits.soft_seconds;
        engine.ponder_stretch = limits.stretch_seconds;
        limits.seconds = 3600 * 24 * 30;
        limits.soft_seconds = 0;
        limits.stretch_seconds = 0;
    }
    // a book move for the game's move, not for an analysis or a mate search
    limits.book = engine.own_book && !infinite && !mate;
    engine.finished = false;
    engine.stop_asked = false;
    engine.start_ms = TickCount();
    engine.worker = std::thread([limits, infinite]() {
        POS_T root;
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            root = state.position;
        }
        MOVE_T move;
        ZeroMove(&move);
        static thread_local MOVE_T legal[LEGAL_LIST_SIZE];
        if (!LegalMoves(&root, legal)) {
            // mated or stalemated: nothing to search, and no move
            Say(std::string("info depth 0 score ") + (root.flags & FLAG_IN_CHECK ? "mate 0" : "cp 0"));
        } else {
            search_progress = Progress;
            SEARCH_RESULT_T r;
            engine.infos = 0;
            EngineSearch(&root, &move, limits, &r);
            search_progress = nullptr;
            if (r.book) InfoString("book move " + MoveToken(move));
            // the table may have answered for the whole depth: say so
            if (!engine.infos) Progress(&root, &move, r.value, r.depth);
        }
        // An infinite search answers only when told to stop, a ponder search
        // not before ponderhit.
        while ((infinite || engine.pondering) && !engine.stop_asked)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        search_pondering = false;
        std::string answer = "bestmove " + (IsZeroMove(&move) ? std::string("0000") : MoveToken(move));
        if (!IsZeroMove(&move)) {
            std::vector<MOVE_T> line = PrincipalLine(&root, move, 2);
            if (line.size() == 2) answer += " ponder " + MoveToken(line[1]);
        }
        Say(answer);
        engine.answer_ms = TickCount();
        engine.finished = true;
    });
}

std::string Lower(std::string s) {
    for (char& c : s) c = (char)std::tolower((unsigned char)c);
    return s;
}

bool ReadSpin(const std::string& name, const std::string& value, long lo, long hi, long* out) {
    char* end;
    long v = strtol(value.c_str(), &end, 10);
    if (value.empty() || *end || v < lo || v > hi) {
        InfoString(name + " is " + std::to_string(lo) + " to " + std::to_string(hi) + ": ignored");
        return false;
    }
    *out = v;
    return true;
}

// The table's memory is only reserved until written, so the first search
// after a new size would pay for it page by page: writing it all here, before
// readyok, makes the interface wait for it instead of the clock. The write
// clears it too.
void CommitTable() {
    memset(static_cast<void*>(hash_c.GetHashEntry(0)), 0, hash_c.hash_table_size * sizeof(HASHENTRY_T));
}

constexpr long HASH_MIN_MB = 1, HASH_MAX_MB = 1024, HASH_DEFAULT_MB = 48;

void SetOption(std::istringstream& in) {
    std::string word, name, value;
    in >> word;
    if (word != "name") {
        InfoString("setoption needs a name");
        return;
    }
    while (in >> word && word != "value") name += (name.empty() ? "" : " ") + word;
    while (in >> word) value += (value.empty() ? "" : " ") + word;
    // option names are not case-sensitive
    const std::string key = Lower(name);
    long v;
    if (key == "difficulty") {
        if (ReadSpin("Difficulty", value, 2, DIFF_HARD, &v)) engine.difficulty = (int)v;
    } else if (key == "uci_limitstrength") {
        const std::string v = Lower(value);
        if (v != "true" && v != "false") {
            InfoString("UCI_LimitStrength is true or false: ignored");
            return;
        }
        engine.limit_strength = v == "true";
    } else if (key == "uci_elo") {
        if (ReadSpin("UCI_Elo", value, LEVEL_LOWEST, LEVEL_HIGHEST, &v)) engine.elo = (int)v;
    } else if (key == "uci_variant") {
        const std::string v = Lower(value);
        if (v != "2d" && v != "3d") {
            InfoString("UCI_Variant is 2d or 3d: ignored");
            return;
        }
        engine.dmode = v == "3d" ? 3 : 2;
        NewGame();
    } else if (key == "rules") {
        const std::string v = Lower(value);
        if (v != "tdcl" && v != "tournament") {
            InfoString("Rules is tdcl or tournament: ignored");
            return;
        }
        engine.rules = v == "tdcl" ? RULES_TDCL : RULES_TOURNAMENT;
        NewGame();
    } else if (key == "threads") {
        if (ReadSpin("Threads", value, 1, MaxSearchThreads(), &v)) {
            StopSearch();
            SetSearchThreads((int)v);
        }
    } else if (key == "ponder") {
        const std::string v = Lower(value);
        if (v != "true" && v != "false") {
            InfoString("Ponder is true or false: ignored");
            return;
        }
        engine.ponder = v == "true";
    } else if (key == "ownbook" || key == "bookbestmove") {
        const std::string v = Lower(value);
        if (v != "true" && v != "false") {
            InfoString(name + " is true or false: ignored");
            return;
        }
        if (key == "ownbook") engine.own_book = v == "true";
        else book_best_only = v == "true";
    } else if (key == "bookfile") {
        // the book of the game chosen by UCI_Variant; empty: the installed one
        SetBookFile(engine.dmode, value == "<empty>" ? "" : value);
    } else if (key == "hash") {
        if (ReadSpin("Hash", value, HASH_MIN_MB, HASH_MAX_MB, &v)) {
            StopSearch();
            hash_c.HashResize((uint64_t)v);
            CommitTable();
        }
    } else {
        InfoString("no option '" + name + "'");
    }
}

// The session, with the protocol on `out`.
void Session() {
    NewGame();
    CommitTable();
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream in(line);
        std::string cmd;
        if (!(in >> cmd)) continue;
        if (cmd == "uci") {
            Say("id name Tamzor");
            Say("id author the Tamzor developers");
            Say("option name Hash type spin default " + std::to_string(HASH_DEFAULT_MB) + " min " +
                std::to_string(HASH_MIN_MB) + " max " + std::to_string(HASH_MAX_MB));
            Say("option name Difficulty type spin default " + std::to_string(DIFF_HARD) + " min 2 max " +
                std::to_string(DIFF_HARD));
            Say("option name UCI_LimitStrength type check default false");
            Say("option name UCI_Elo type spin default " + std::to_string(LEVEL_HIGHEST) + " min " +
                std::to_string(LEVEL_LOWEST) + " max " + std::to_string(LEVEL_HIGHEST));
            Say("option name UCI_Variant type combo default 2d var 2d var 3d");
            Say("option name Rules type combo default tdcl var tdcl var tournament");
            Say("option name Threads type spin default 1 min 1 max " + std::to_string(MaxSearchThreads()));
            Say("option name Ponder type check default false");
            Say("option name OwnBook type check default false");
            const std::string book = DefaultBookFile(engine.dmode);
            Say("option name BookFile type string default " + (book.empty() ? "<empty>" : book));
            Say("option name BookBestMove type check default false");
            Say("uciok");
        } else if (cmd == "isready") {
            Say("readyok");
        } else if (cmd == "ucinewgame") {
            NewGame();
            engine.go_left = -1;  // the next clock starts a new game
        } else if (cmd == "position") {
            Position(in);
        } else if (cmd == "go") {
            Go(in);
        } else if (cmd == "stop") {
            StopSearch();
        } else if (cmd == "setoption") {
            SetOption(in);
        } else if (cmd == "quit") {
            break;
        } else if (cmd == "ponderhit") {
            PonderHit();
        } else if (cmd == "debug" || cmd == "register") {
            // nothing to do
        } else {
            InfoString("unknown command '" + cmd + "'");
        }
    }
    StopSearch();
}
}  // namespace

int CmdUci(int argc, char** argv) {
    (void)argv;
    if (argc > 0) {
        fprintf(stderr, "tamzor-cli: uci takes no options\n");
        return 2;
    }
    // The protocol gets the real standard output; what else is printed goes
    // to standard error for the session.
    fflush(stdout);
    const int protocol_fd = dup(1);
    const int saved_stdout = dup(1);
    protocol = protocol_fd >= 0 ? fdopen(protocol_fd, "w") : nullptr;
    if (protocol) dup2(2, 1);
    Session();
    fflush(stdout);
    if (protocol) {
        dup2(saved_stdout, 1);
        fclose(protocol);
        protocol = nullptr;
    }
    if (saved_stdout >= 0) close(saved_stdout);
    return 0;
}

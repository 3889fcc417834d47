// The 2D game as a UCI engine, for chess interfaces and match tools. Input
// it cannot use is answered with an info string and otherwise ignored.
#include <algorithm>
#include <atomic>
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

namespace {

std::mutex out_mutex;  // the search thread and the reader both write lines

void Say(const std::string& line) {
    std::lock_guard<std::mutex> lk(out_mutex);
    fputs(line.c_str(), stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

void InfoString(const std::string& text) { Say("info string " + text); }

std::string ScoreText(ETYPE_T v) {
    if (v >= 399873) return "mate " + std::to_string((399999 - v) / 2 + 1);
    if (v <= -399873) return "mate -" + std::to_string((v + 399999) / 2 + 1);
    return "cp " + std::to_string((long long)v * 100 / 10052);  // a pawn is 10052
}

// The move as the program would play it: a promotion carries its piece.
std::string UciMove(POS_T* b, const MOVE_T& move) {
    if (IsZeroMove(&move)) return "0000";
    static thread_local POS_T scratch;
    MOVE_T made = move;
    if (!DoMove(&scratch, b, &made)) return MoveToken(move);
    return MoveToken(made);
}

struct ENGINE_T {
    std::thread worker;
    std::atomic<bool> searching{false};
    std::atomic<bool> finished{true};  // the worker has given its bestmove
    int difficulty = DIFF_HARD;
    uint64_t start_ms = 0;
};
ENGINE_T engine;

void Progress(POS_T* root, MOVE_T* move, ETYPE_T v, int depth) {
    uint64_t ms = TickCount() - engine.start_ms;
    uint64_t n = (uint64_t)nodes + (uint64_t)quiesce_nodes;
    std::ostringstream s;
    s << "info depth " << depth << " score " << ScoreText(v) << " nodes " << n << " nps "
      << (ms ? n * 1000 / ms : n * 1000) << " time " << ms;
    if (!IsZeroMove(move)) s << " pv " << UciMove(root, *move);
    Say(s.str());
}

void StopSearch() {
    if (engine.worker.joinable()) {
        // A search clears the flag as it begins, so a stop sent before that
        // would be lost: it is said again until the search has ended.
        while (!engine.finished) {
            StoreShared(state.stop_search, 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        engine.worker.join();
    }
    engine.searching = false;
}

void NewGame() {
    StopSearch();
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    SetUpGame(opt);
    hash_c.HashReset();
    hash_c.OrderReset();
}

// position startpos|fen <fen> [moves <m1> <m2> ...]
void Position(std::istringstream& in) {
    StopSearch();
    std::string word, fen;
    in >> word;
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    if (word == "fen") {
        std::vector<std::string> fields;
        while (in >> word && word != "moves") fields.push_back(word);
        for (size_t i = 0; i < fields.size(); i++) fen += (i ? " " : "") + fields[i];
    } else if (word == "startpos") {
        in >> word;
    } else {
        InfoString("position needs startpos or fen: ignored");
        return;
    }
    if (!word.empty() && word != "moves") {
        InfoString("expected 'moves' after the position: ignored");
        return;
    }
    // everything is checked on the side before the live position changes
    std::vector<std::string> tokens;
    while (in >> word) tokens.push_back(word);
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    static STATE_T backup;
    backup = state;
    SetUpGame(opt);
    std::string error;
    if (!fen.empty() && !SetUpFen(fen, &error)) {
        state = backup;
        InfoString("bad fen (" + error + "): ignored");
        return;
    }
    for (const std::string& t : tokens) {
        MOVE_T m;
        if (state.position.move_num >= GAME_MAX_PLIES - 1 || !MoveFromToken(&state.position, t, &m, &error) ||
            !DoMove(&state.position, &state.position, &m)) {
            state = backup;
            InfoString("illegal or unreadable move '" + t + "': position ignored");
            UpdateMaps(&state.position);
            return;
        }
        state.position.flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
    }
}

// go [depth N] [movetime MS] [wtime MS btime MS winc MS binc MS movestogo N] [infinite]
void Go(std::istringstream& in) {
    StopSearch();
    SEARCH_LIMITS_T limits;
    limits.maxdepth = engine.difficulty;
    long long wtime = -1, btime = -1, winc = 0, binc = 0, movestogo = 0, movetime = -1, depth = 0;
    bool infinite = false;
    std::string word;
    while (in >> word) {
        long long* target = nullptr;
        if (word == "depth") target = &depth;
        else if (word == "movetime") target = &movetime;
        else if (word == "wtime") target = &wtime;
        else if (word == "btime") target = &btime;
        else if (word == "winc") target = &winc;
        else if (word == "binc") target = &binc;
        else if (word == "movestogo") target = &movestogo;
        else if (word == "infinite") infinite = true;
        else if (word == "ponder" || word == "nodes" || word == "mate" || word == "searchmoves") {
            InfoString("'" + word + "' is not supported: ignored");
            continue;
        } else {
            InfoString("unknown go parameter '" + word + "': ignored");
            continue;
        }
        if (target && !(in >> *target)) {
            InfoString("'" + word + "' needs a number");
            return;
        }
    }
    const bool white = IsWhitesMove(&state.position);
    const long long left = white ? wtime : btime, inc = white ? winc : binc;
    if (depth > 0) {
        limits.maxdepth = DIFF_HARD;
        limits.last_iteration = (int)std::min<long long>(depth, DIFF_HARD - 1);
        limits.seconds = 3600 * 24;
    } else if (movetime > 0) {
        limits.seconds = movetime / 1000.0;
        limits.soft_seconds = movetime / 2000.0;
    } else if (left >= 0) {
        // a share of the clock: the time left over the moves to come, and
        // most of the increment, never more than a third of what is left
        long long share = left / (movestogo > 0 ? movestogo + 1 : 30) + inc * 3 / 4;
        share = std::max<long long>(10, std::min<long long>(share, left / 3));
        limits.seconds = std::max(0.01, std::min<double>(share * 2.5, left / 2.0) / 1000.0);
        limits.soft_seconds = std::max(0.005, share / 1000.0);
    } else if (!infinite) {
        limits.seconds = 5;  // the program's own default limit
    }
    if (infinite) {
        limits.seconds = 3600 * 24 * 30;
        limits.soft_seconds = 0;
    }
    engine.searching = true;
    engine.finished = false;
    engine.start_ms = TickCount();
    engine.worker = std::thread([limits]() {
        POS_T root;
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            root = state.position;
        }
        search_progress = Progress;
        MOVE_T move;
        SEARCH_RESULT_T r;
        EngineSearch(&root, &move, limits, &r);
        search_progress = nullptr;
        // a searched root always has a move when one is legal
        if (IsZeroMove(&move)) {
            MOVE_T legal[LEGAL_LIST_SIZE];
            if (LegalMoves(&root, legal) > 0) move = legal[0];
        }
        Say("bestmove " + UciMove(&root, move));
        engine.finished = true;
    });
}

void SetOption(std::istringstream& in) {
    std::string word, name, value;
    in >> word;
    if (word != "name") {
        InfoString("setoption needs a name");
        return;
    }
    while (in >> word && word != "value") name += (name.empty() ? "" : " ") + word;
    in >> value;
    if (name == "Difficulty") {
        char* end;
        long d = strtol(value.c_str(), &end, 10);
        if (value.empty() || *end || d < 2 || d > DIFF_HARD) {
            InfoString("Difficulty is 2 to " + std::to_string(DIFF_HARD) + ": ignored");
            return;
        }
        engine.difficulty = (int)d;
    } else if (name == "Hash") {
        InfoString("the table size is fixed");
    } else {
        InfoString("no option '" + name + "'");
    }
}
}  // namespace

int CmdUci(int argc, char** argv) {
    (void)argv;
    if (argc > 0) {
        fprintf(stderr, "tamzor-cli: uci takes no options\n");
        return 2;
    }
    NewGame();
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream in(line);
        std::string cmd;
        if (!(in >> cmd)) continue;
        if (cmd == "uci") {
            Say("id name Tamzor");
            Say("id author the Tamzor developers");
            Say("option name Hash type spin default 48 min 48 max 48");
            Say("option name Difficulty type spin default " + std::to_string(DIFF_HARD) + " min 2 max " +
                std::to_string(DIFF_HARD));
            Say("uciok");
        } else if (cmd == "isready") {
            Say("readyok");
        } else if (cmd == "ucinewgame") {
            NewGame();
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
        } else if (cmd == "debug" || cmd == "register" || cmd == "ponderhit") {
            // nothing to do
        } else {
            InfoString("unknown command '" + cmd + "'");
        }
    }
    StopSearch();
    return 0;
}

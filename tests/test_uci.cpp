// The UCI mode through its real process: a whole game against another UCI
// engine (or against itself), every move checked by the rules engine.
#include <gtest/gtest.h>

#include <fstream>

#include "cli.h"
#include "test_util.h"
#include "uci_process.h"

namespace {

using namespace std::chrono_literals;

std::string StockfishPath() {
    for (const char* p : {"/usr/games/stockfish", "/usr/bin/stockfish"})
        if (access(p, X_OK) == 0) return p;
    return "";
}

void Handshake(UciProcess* e) {
    std::string line;
    e->Send("uci");
    ASSERT_TRUE(e->WaitFor("uciok", &line, 10s));
    e->Send("isready");
    ASSERT_TRUE(e->WaitFor("readyok", &line, 10s));
}

TEST(Uci, AnswersTheHandshakeAndIgnoresNonsense) {
    UciProcess t({TAMZOR_CLI, "uci"});
    ASSERT_TRUE(t.Running());
    std::string line;
    std::vector<std::string> seen;
    t.Send("uci");
    ASSERT_TRUE(t.WaitFor("uciok", &line, 10s, &seen));
    EXPECT_EQ(seen[0], "id name Tamzor");
    for (const char* bad : {"position fen nonsense", "position startpos moves e2e5", "go depth x",
                            "frobnicate", "setoption name Difficulty value 999", "position"})
        t.Send(bad);
    t.Send("position startpos moves e2e4 e7e5");
    t.Send("go depth 3");
    seen.clear();
    ASSERT_TRUE(t.WaitFor("bestmove", &line, 30s, &seen));
    int info_strings = 0;
    for (const std::string& s : seen) info_strings += s.rfind("info string", 0) == 0;
    EXPECT_GE(info_strings, 5);
    // the move is legal after 1. e4 e5
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    opt.moves = "e2e4 e7e5";
    ASSERT_EQ(SetUpPosition(opt), 0);
    MOVE_T m;
    std::string error;
    EXPECT_TRUE(MoveFromToken(&state.position, line.substr(9), &m, &error)) << line << ": " << error;
    // stop ends an infinite search with a move
    t.Send("go infinite");
    std::this_thread::sleep_for(200ms);
    t.Send("stop");
    EXPECT_TRUE(t.WaitFor("bestmove", &line, 10s));
    // even when it comes before the search has begun
    t.Send("go infinite\nstop");
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_TRUE(t.WaitFor("bestmove", &line, 10s));
    EXPECT_LT(std::chrono::steady_clock::now() - sent, 5s);
}

// Plays one game; returns the number of plies played.
int PlayGame(UciProcess* white, UciProcess* black, int max_plies) {
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    EXPECT_TRUE(SetUpGame(opt));
    std::string moves;
    int ply = 0;
    for (; ply < max_plies; ply++) {
        if (IsCheckmate(&state.position)) break;  // mate or stalemate: over
        UciProcess* side = ply % 2 == 0 ? white : black;
        side->Send("position startpos" + (moves.empty() ? std::string() : " moves" + moves));
        side->Send("go wtime 3000 btime 3000 winc 20 binc 20");
        std::string line;
        if (!side->WaitFor("bestmove", &line, 30s)) {
            ADD_FAILURE() << "no move at ply " << ply;
            break;
        }
        std::string token = line.substr(9, line.find(' ', 9) == std::string::npos ? std::string::npos
                                                                                   : line.find(' ', 9) - 9);
        MOVE_T m;
        std::string error;
        if (!MoveFromToken(&state.position, token, &m, &error)) {
            ADD_FAILURE() << "illegal move '" << token << "' at ply " << ply << ": " << error;
            break;
        }
        EXPECT_EQ(DoMove(&state.position, &state.position, &m), 1);
        state.position.flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
        moves += " " + token;
        if (state.position.fifty_count >= 102 || NoMaterial(&state.position)) {
            ply++;
            break;
        }
    }
    return ply;
}

TEST(Uci, AWholeGameAgainstAnotherEngine) {
    UciProcess tamzor({TAMZOR_CLI, "uci"});
    Handshake(&tamzor);
    const std::string sf = StockfishPath();
    if (sf.empty()) {
        // without another engine the program plays itself
        UciProcess other({TAMZOR_CLI, "uci"});
        Handshake(&other);
        EXPECT_GT(PlayGame(&tamzor, &other, 80), 10);
        return;
    }
    UciProcess other({sf});
    Handshake(&other);
    other.Send("setoption name Skill Level value 0");
    EXPECT_GT(PlayGame(&tamzor, &other, 160), 10);
}

}  // namespace

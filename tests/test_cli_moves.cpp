// The terminal tool's moves, perft and fen commands, move tokens and FEN
// input, as other programs read them.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "test_util.h"
#include "tamzor.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char* const KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

TEST(CliMoves, TwentyOpeningMovesIn2D) {
    RUN_T r = RunTool("moves --2d");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 20u) << r.out;
    std::regex line_re("[a-h][1-8][a-h][1-8] [A-Za-z0-9+?-]+");
    for (const auto& l : lines) EXPECT_TRUE(std::regex_match(l, line_re)) << l;
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
    EXPECT_EQ(lines.front(), "a2a3 a3");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "e2e4 e4"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "g1f3 Nf3"), lines.end());
}

TEST(CliMoves, ThreeDimensionalStart) {
    RUN_T r = RunTool("moves");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_FALSE(lines.empty());
    std::regex line_re("([a-h][1-8][a-h][1-8]|(qlw|qlb|klw|klb)@(ql|kl)[1-6])[qrbn]? \\S.*");
    for (const auto& l : lines) EXPECT_TRUE(std::regex_match(l, line_re)) << l;
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
    // The king and rook change places; a token names internal cells.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "c1d1 O-O"), lines.end()) << r.out;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "e2e3 a3W"), lines.end()) << r.out;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "e2a4 a4N"), lines.end()) << r.out;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "e1b3 Nb3N"), lines.end()) << r.out;
    RUN_T p = RunTool("perft 1");
    EXPECT_EQ(p.out, "Nodes searched: " + std::to_string(lines.size()) + "\n");
    EXPECT_EQ(RunTool("moves --notation 0").out, r.out);
    // Notation 1 names the same moves differently.
    RUN_T one = RunTool("moves --notation 1");
    ASSERT_EQ(one.status, 0);
    EXPECT_EQ(Lines(one.out).size(), lines.size());
    EXPECT_NE(one.out.find("c1d1 O-O\n"), std::string::npos);
    EXPECT_NE(one.out.find("e2e3 Pb2-b3(2)\n"), std::string::npos) << one.out;
}

// The tool's own names end to end, in random 3D games under both
// attack-board rules: the texts `moves` lists read back in `save` as the same
// moves, which its record and the PGN of the game write with those texts.
TEST(CliMoves, DefaultTextsReadBackAndAreThoseOfTheRecordAndPgn) {
    const SCRATCH_DIR_T scratch("tamzor_cli_texts_");
    ASSERT_FALSE(scratch.path.empty());
    std::mt19937 rng(31);
    const std::regex record_line("\\n[0-9]+\\. (?:\\.\\.\\. )?(\\S+)");
    const std::regex pgn_move("([a-h][1-8][a-h][1-8][qrbn]?|[a-z]{3}@[a-z]{2}[1-6])\\s+\\{([^}]*)\\}");
    auto without_mark = [](std::string t) {
        while (!t.empty() && (t.back() == '+' || t.back() == '#')) t.pop_back();
        return t;
    };
    for (const std::string rules : {"tdcl", "tournament"}) {
        SCOPED_TRACE(rules);
        std::string tokens, texts;
        std::vector<std::string> played;  // the texts as `moves` gives them
        for (int ply = 0; ply < 24; ply++) {
            RUN_T r = RunTool("moves --rules " + rules + " --moves " + Quoted(tokens));
            ASSERT_EQ(r.status, 0) << tokens << "\n" << r.err;
            const std::vector<std::string> lines = Lines(r.out);
            if (lines.size() == 1 && lines[0].find(':') != std::string::npos) break;  // mate
            const std::string line = lines[rng() % lines.size()];
            const size_t blank = line.find(' ');
            tokens += (tokens.empty() ? "" : " ") + line.substr(0, blank);
            played.push_back(line.substr(blank + 1));
            texts += (texts.empty() ? "" : " ") + played.back();
        }
        ASSERT_GE(played.size(), 10u);
        // read back as the same moves: the same saved game as by tokens
        RUN_T by_texts = RunTool("save --rules " + rules + " --moves " + Quoted(texts), scratch.path);
        ASSERT_EQ(by_texts.status, 0) << texts << "\n" << by_texts.err;
        std::vector<std::string> record;
        for (std::sregex_iterator i(by_texts.out.begin(), by_texts.out.end(), record_line), end; i != end; ++i)
            record.push_back(without_mark((*i)[1]));
        RUN_T pgn = RunTool("restore --write-pgn", scratch.path);
        ASSERT_EQ(pgn.status, 0) << pgn.err;
        std::string pgn_tokens;
        std::vector<std::string> pgn_texts;
        for (std::sregex_iterator i(pgn.out.begin(), pgn.out.end(), pgn_move), end; i != end; ++i) {
            pgn_tokens += (pgn_tokens.empty() ? "" : " ") + (*i)[1].str();
            pgn_texts.push_back(without_mark((*i)[2]));
        }
        EXPECT_EQ(pgn_tokens, tokens) << pgn.out;
        for (std::string& t : played) t = without_mark(t);
        EXPECT_EQ(record, played) << by_texts.out;
        EXPECT_EQ(pgn_texts, played) << pgn.out;
        EXPECT_EQ(RunTool("pgn --rules " + rules + " --moves " + Quoted(tokens)).out, pgn.out);
    }
}

TEST(CliMoves, PromotionsAreFourLines) {
    RUN_T r = RunTool("moves --fen " + Quoted("r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* l : {"b7b8q b8Q", "b7b8r b8R", "b7b8b b8B", "b7b8n b8N", "b7a8q bxRa8Q",
                          "b7a8n bxRa8N"})
        EXPECT_NE(r.out.find(std::string(l) + "\n"), std::string::npos) << l << "\n" << r.out;
    EXPECT_EQ(r.out.find("b7b8 "), std::string::npos);
}

TEST(CliMoves, MovesArePlayedFirst) {
    RUN_T r = RunTool("fen --2d --moves " + Quoted("e2e4,e7e5 g1f3  b8c6"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find(' ')), "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R");
    EXPECT_NE(r.out.find(" w KQkq "), std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(r.out.rfind(' ')), " 3\n");
    // Tokens are read in any case.
    EXPECT_EQ(RunTool("fen --2d --moves " + Quoted("E2E4,E7E5 G1F3 B8C6")).out, r.out);
    RUN_T b = RunTool("board --2d --moves e2e4");
    ASSERT_EQ(b.status, 0);
    EXPECT_NE(b.out.find("Black to move"), std::string::npos);
    EXPECT_NE(b.out.find("4 | . . . . P . . . |"), std::string::npos) << b.out;
    // Castling is the king's two-square move.
    RUN_T c = RunTool("moves --fen " + Quoted(KIWIPETE));
    EXPECT_NE(c.out.find("e1g1 O-O\n"), std::string::npos);
    EXPECT_NE(c.out.find("e1c1 O-O-O\n"), std::string::npos);
    // The 2D game has one notation whatever --notation says.
    for (const char* n : {"1", "2"})
        EXPECT_EQ(RunTool("moves --notation " + std::string(n) + " --fen " + Quoted(KIWIPETE)).out, c.out) << n;
    RUN_T d = RunTool("fen --fen " + Quoted(KIWIPETE) + " --moves e1c1");
    EXPECT_EQ(d.out.substr(0, d.out.find(' ')), "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/2KR3R");
    EXPECT_NE(d.out.find(" b kq "), std::string::npos) << d.out;
}

TEST(CliMoves, AttackBoardMoveTokens) {
    const std::string line = "c1d1 c8d8 h1c3 e7a5 d1h1 b7a6 c1d1 e8b6 g2g3 b8e6 e1b3 a8b8 b1e1 b8e7 e2e3";
    RUN_T r = RunTool("moves --moves " + Quoted(line));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("qlb@ql4 QL4\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("qlb@ql5 QL5\n"), std::string::npos) << r.out;
    RUN_T one = RunTool("moves --notation 1 --moves " + Quoted(line));
    EXPECT_NE(one.out.find("qlb@ql4 QLBb6(4)\n"), std::string::npos) << one.out;
    EXPECT_NE(one.out.find("qlb@ql5 QLBb5(6)\n"), std::string::npos) << one.out;
    RUN_T two = RunTool("moves --notation 2 --moves " + Quoted(line));
    EXPECT_NE(two.out.find("qlb@ql4 Q4\n"), std::string::npos) << two.out;
    RUN_T b = RunTool("board --moves " + Quoted(line + " QLB@QL4"));
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_NE(b.out.find("QLB on QL4"), std::string::npos) << b.out;
    EXPECT_NE(b.out.find("White to move"), std::string::npos) << b.out;
    // At the start no board can move.
    ExpectRefused("moves --moves qlw@ql3", "qlw@ql3");
    ExpectRefused("moves --2d --moves qlw@ql3", "2D");
}

TEST(CliPerft, StartPositionCounts) {
    RUN_T r = RunTool("perft 3 --2d");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Nodes searched: 8902\n");
    EXPECT_NE(r.err.find("nodes/s"), std::string::npos) << r.err;
    EXPECT_EQ(RunTool("perft 0 --2d").out, "Nodes searched: 1\n");
    EXPECT_EQ(RunTool("perft 0").out, "Nodes searched: 1\n");
    EXPECT_EQ(RunTool("perft 2 --fen " + Quoted(KIWIPETE)).out, "Nodes searched: 2039\n");
}

TEST(CliPerft, DivideFormat) {
    RUN_T r = RunTool("perft 2 --2d --divide");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 22u) << r.out;
    std::regex line_re("[a-h][1-8][a-h][1-8]: 20");
    for (int i = 0; i < 20; i++) EXPECT_TRUE(std::regex_match(lines[i], line_re)) << lines[i];
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.begin() + 20));
    EXPECT_EQ(lines[20], "");
    EXPECT_EQ(lines[21], "Nodes searched: 400");

    // Depth 1 gives one per move; the sum of a divide is the total.
    RUN_T k = RunTool("perft 1 --divide --fen " + Quoted(KIWIPETE));
    EXPECT_EQ(Lines(k.out).size(), 48u + 2u);
    EXPECT_NE(k.out.find("e5f7: 1\n"), std::string::npos);
    EXPECT_NE(k.out.find("\n\nNodes searched: 48\n"), std::string::npos);
    RUN_T d = RunTool("perft 2 --divide");
    RUN_T t = RunTool("perft 2");
    ASSERT_EQ(d.status, 0);
    EXPECT_EQ(d.out.substr(d.out.find("\n\nNodes")), "\n\n" + t.out);
    RUN_T z = RunTool("perft 0 --divide --2d");
    EXPECT_EQ(z.out, "\nNodes searched: 1\n");
}

TEST(CliPerft, RulesOption) {
    EXPECT_EQ(RunTool("perft 1 --rules tournament").out, RunTool("perft 1 --rules tdcl").out);
    EXPECT_EQ(RunTool("perft 1 --rules TDCL").status, 0);
    ExpectRefused("perft 1 --rules casual", "casual");
    ExpectRefused("perft 1 --rules", "--rules");
}

TEST(CliFen, RoundTrips) {
    for (const char* fen : {START_FEN, KIWIPETE, "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1",
                            "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 37",
                            "r3k2r/8/8/8/8/8/8/R3K2R b Qk - 17 60", "8/8/8/8/8/8/6k1/4K2R w K - 0 1",
                            "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"}) {
        RUN_T r = RunTool("fen --fen " + Quoted(fen));
        ASSERT_EQ(r.status, 0) << fen << "\n" << r.err;
        EXPECT_EQ(r.out, std::string(fen) + "\n");
    }
    // Four fields: the counters start afresh.
    EXPECT_EQ(RunTool("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 b - -")).out, "4k3/8/8/8/8/8/8/4K3 b - - 0 1\n");
    EXPECT_EQ(RunTool("fen --2d").out, std::string(START_FEN) + "\n");
    // A right whose rook is gone lapses.
    EXPECT_EQ(RunTool("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K2R w KQ - 0 1")).out,
              "4k3/8/8/8/8/8/8/4K2R w K - 0 1\n");
}

TEST(CliFen, SideToMoveInCheck) {
    RUN_T r = RunTool("moves --fen " + Quoted("4k3/8/8/8/8/8/8/4R1K1 b - - 0 1"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "e8d7 Kd7\ne8d8 Kd8\ne8f7 Kf7\ne8f8 Kf8\n");
}

TEST(CliFen, Refusals) {
    ExpectRefused("fen --fen " + Quoted("8/8/8/8/8/8/8/8/4K3 w - - 0 1"), "ranks");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/4K3 w - - 0 1"), "8 ranks");
    ExpectRefused("fen --fen " + Quoted("4k3/9/8/8/8/8/8/4K3 w - - 0 1"), "9");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K4 w - - 0 1"), "rank 1");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K2X w - - 0 1"), "'X'");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/8 w - - 0 1"), "White has no king");
    ExpectRefused("fen --fen " + Quoted("4k2k/8/8/8/8/8/8/4K3 w - - 0 1"), "Black has more than one king");
    ExpectRefused("fen --fen " + Quoted("3Pk3/8/8/8/8/8/8/4K3 w - - 0 1"), "pawn on rank 8");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/3pK3 w - - 0 1"), "pawn on rank 1");
    ExpectRefused("fen --fen " + Quoted("4k3/pppppppp/p7/8/8/8/8/4K3 w - - 0 1"), "more than 8 pawns");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 x - - 0 1"), "'x'");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 w KX - 0 1"), "'KX'");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 w KK - 0 1"), "'KK'");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 w - e4 0 1"), "'e4'");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 w - d3 0 1"), "'d3'");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 w - d6 0 1"), "'d6'");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 w - - -1 1"), "'-1'");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 w - - 0 x"), "'x'");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 w - - 0"), "5 fields");
    ExpectRefused("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4R1K1 w - - 0 1"), "Black is in check");
    ExpectRefused("moves --3d --fen " + Quoted(START_FEN), "--3d");
    ExpectRefused("moves --fen", "--fen");
}

TEST(CliMoves, BadMovesAreRefused) {
    ExpectRefused("moves --2d --moves e2e5", "'e2e5'");
    ExpectRefused("moves --2d --moves " + Quoted("e2e4 e2e4"), "move 2");
    ExpectRefused("moves --2d --moves e2", "'e2'");
    ExpectRefused("moves --2d --moves e2e4k", "'e2e4k'");
    ExpectRefused("moves --2d --moves i2i4", "'i2i4'");
    ExpectRefused("moves --2d --moves e2e4q", "no promotion");
    ExpectRefused("moves --moves qlw@ql7", "'qlw@ql7'");
    ExpectRefused("moves --moves xlw@ql3", "'xlw@ql3'");
    ExpectRefused("moves --fen " + Quoted("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1") + " --moves b7b8",
                  "piece letter");
    ExpectRefused("moves --moves", "--moves");
}

TEST(CliMoves, BadCommandLines) {
    ExpectRefused("perft", "depth");
    ExpectRefused("perft -1", "'-1'");
    ExpectRefused("perft two", "'two'");
    ExpectRefused("perft 2 3", "'3'");
    ExpectRefused("perft 2 --frobnicate", "--frobnicate");
    ExpectRefused("moves --divide", "--divide");
    ExpectRefused("fen", "2D");
    ExpectRefused("frobnicate", "frobnicate");
    ExpectRefused("", "command");
}

// ---------------------------------------------------------------------------
// check, checkmate and stalemate
// ---------------------------------------------------------------------------

struct END_CASE_T {
    const char* args;
    const char* header;  // the board's first line
    const char* check;   // what moves says on standard error ("" for nothing)
};

const END_CASE_T END_CASES[] = {
    {"--2d --moves f2f3,e7e5,g2g4,d8h4", "2D chess, checkmate: Black wins, 0-1", ""},
    {"--2d --moves e2e4,e7e5,f1c4,b8c6,d1h5,g8f6,h5f7", "2D chess, checkmate: White wins, 1-0", ""},
    {"--fen '7k/5Q2/6K1/8/8/8/8/8 b - - 0 1'", "2D chess, stalemate: drawn, 1/2-1/2", ""},
    {"--fen '4k3/8/8/8/8/8/8/4R1K1 b - - 0 1'", "2D chess, Black to move, in check", "Black is in check\n"},
    {"--2d --moves e2e4,f7f6,d1h5", "2D chess, Black to move, in check", "Black is in check\n"},
    {"--2d --moves e2e4", "2D chess, Black to move", ""},
    {"--moves 'g2g3 h8g6 c1d1 c8d8 e1g2 g6d4 h2d3 d4b5 g2d4 e8b6 d4g6 e7e6 d3h4 b5h4 e2a4 h4b3 f1d3 b3g1'",
     "3D chess, checkmate: Black wins, 0-1", ""},
    {"--moves 'e1f3 h7d5 f3c5 c8d8 c5h7'", "3D chess, Black to move, in check", "Black is in check\n"},
    {"--moves e2e4", "3D chess, Black to move", ""},
};

TEST(CliEnds, BoardHeaderSaysCheckMateAndStalemate) {
    for (const END_CASE_T& c : END_CASES) {
        RUN_T r = RunTool(std::string("board ") + c.args);
        ASSERT_EQ(r.status, 0) << c.args << "\n" << r.err;
        EXPECT_EQ(r.err, "") << c.args;
        EXPECT_EQ(Lines(r.out).at(0), c.header) << c.args;
    }
}

TEST(CliEnds, MovesSayWhyThereAreNoneAndKeepTheirLinesInCheck) {
    const std::regex move_re("([a-h][1-8][a-h][1-8]|(qlw|qlb|klw|klb)@(ql|kl)[1-6])[qrbn]? \\S+");
    for (const END_CASE_T& c : END_CASES) {
        SCOPED_TRACE(c.args);
        RUN_T r = RunTool(std::string("moves ") + c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, c.check);
        const std::vector<std::string> lines = Lines(r.out);
        ASSERT_FALSE(lines.empty());
        const std::string header = c.header;
        const size_t end = header.find("mate: ");
        if (end != std::string::npos) {
            // the one line is the board's verdict
            EXPECT_EQ(r.out, header.substr(header.find(", ") + 2) + "\n");
        } else {
            // nothing but moves, as many as perft counts
            for (const std::string& l : lines) EXPECT_TRUE(std::regex_match(l, move_re)) << l;
            EXPECT_EQ(RunTool(std::string("perft 1 ") + c.args).out,
                      "Nodes searched: " + std::to_string(lines.size()) + "\n");
        }
    }
}

}  // namespace

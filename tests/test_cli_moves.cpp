// The terminal tool's moves, perft and fen commands, move tokens and FEN
// input, as other programs read them.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "tamzor.h"

#include <regex>
#include <string>
#include <vector>

namespace {

const char* const START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char* const KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
const std::regex MOVE_LINE("([a-h][1-8][a-h][1-8]|(qlw|qlb|klw|klb)@(ql|kl)[1-6])[qrbn]? \\S+");

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

bool Listed(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(CliMoves, TheStartsMovesInBothGames) {
    RUN_T r = RunTool("moves --2d");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 20u) << r.out;
    std::regex line_re("[a-h][1-8][a-h][1-8] [A-Za-z0-9+?-]+");
    for (const auto& l : lines) EXPECT_TRUE(std::regex_match(l, line_re)) << l;
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
    EXPECT_EQ(lines.front(), "a2a3 a3");
    EXPECT_TRUE(Listed(lines, "e2e4 e4") && Listed(lines, "g1f3 Nf3")) << r.out;

    r = RunTool("moves");
    ASSERT_EQ(r.status, 0) << r.err;
    lines = Lines(r.out);
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines) EXPECT_TRUE(std::regex_match(l, MOVE_LINE)) << l;
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
    // the king and rook change places; a token names internal cells
    for (const char* l : {"c1d1 O-O", "e2e3 a3W", "e2a4 a4N", "e1b3 Nb3N"}) EXPECT_TRUE(Listed(lines, l)) << l;
    EXPECT_EQ(RunTool("perft 1").out, "Nodes searched: " + std::to_string(lines.size()) + "\n");
    EXPECT_EQ(RunTool("moves --notation 0").out, r.out);
    // notation 1 names the same moves differently
    RUN_T one = RunTool("moves --notation 1");
    ASSERT_EQ(one.status, 0);
    EXPECT_EQ(Lines(one.out).size(), lines.size());
    ExpectHas(one.out, {"c1d1 O-O\n", "e2e3 Pb2-b3(2)\n"});
}

TEST(CliMoves, TokensPromotionsCastlingAndBoards) {
    RUN_T r = RunTool("moves --fen " + Quoted("r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, {"b7b8q b8Q\n", "b7b8r b8R\n", "b7b8b b8B\n", "b7b8n b8N\n", "b7a8q bxRa8Q\n", "b7a8n bxRa8N\n"});
    ExpectLacks(r.out, {"b7b8 "});
    // moves are played first, read in any case and between commas or blanks
    r = RunTool("fen --2d --moves " + Quoted("e2e4,e7e5 g1f3  b8c6"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3\n");
    EXPECT_EQ(RunTool("fen --2d --moves " + Quoted("E2E4,E7E5 G1F3 B8C6")).out, r.out);
    r = RunTool("board --2d --moves e2e4");
    ASSERT_EQ(r.status, 0);
    ExpectHas(r.out, {"Black to move", "4 | . . . . P . . . |"});
    // castling is the king's two-square move; the 2D game has one notation
    RUN_T c = RunTool("moves --fen " + Quoted(KIWIPETE));
    ExpectHas(c.out, {"e1g1 O-O\n", "e1c1 O-O-O\n"});
    for (const char* n : {"1", "2"})
        EXPECT_EQ(RunTool("moves --notation " + std::string(n) + " --fen " + Quoted(KIWIPETE)).out, c.out) << n;
    EXPECT_EQ(RunTool("fen --fen " + Quoted(KIWIPETE) + " --moves e1c1").out,
              "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/2KR3R b kq - 1 1\n");
    // attack boards
    const std::string line = "c1d1 c8d8 h1c3 e7a5 d1h1 b7a6 c1d1 e8b6 g2g3 b8e6 e1b3 a8b8 b1e1 b8e7 e2e3";
    ExpectHas(RunTool("moves --moves " + Quoted(line)).out, {"qlb@ql4 QL4\n", "qlb@ql5 QL5\n"});
    ExpectHas(RunTool("moves --notation 1 --moves " + Quoted(line)).out, {"qlb@ql4 QLBb6(4)\n", "qlb@ql5 QLBb5(6)\n"});
    ExpectHas(RunTool("moves --notation 2 --moves " + Quoted(line)).out, {"qlb@ql4 Q4\n"});
    r = RunTool("board --moves " + Quoted(line + " QLB@QL4"));
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, {"QLB on QL4", "White to move"});
}

TEST(CliPerft, CountsDivideAndRules) {
    RUN_T r = RunTool("perft 3 --2d");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Nodes searched: 8902\n");
    ExpectHas(r.err, {"nodes/s"});
    EXPECT_EQ(RunTool("perft 0 --2d").out, "Nodes searched: 1\n");
    EXPECT_EQ(RunTool("perft 0").out, "Nodes searched: 1\n");
    EXPECT_EQ(RunTool("perft 2 --fen " + Quoted(KIWIPETE)).out, "Nodes searched: 2039\n");
    r = RunTool("perft 2 --2d --divide");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 22u) << r.out;
    for (int i = 0; i < 20; i++) EXPECT_TRUE(std::regex_match(lines[i], std::regex("[a-h][1-8][a-h][1-8]: 20")));
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.begin() + 20));
    EXPECT_EQ(lines[20], "");
    EXPECT_EQ(lines[21], "Nodes searched: 400");
    // depth 1 gives one per move; the sum of a divide is the total
    RUN_T k = RunTool("perft 1 --divide --fen " + Quoted(KIWIPETE));
    EXPECT_EQ(Lines(k.out).size(), 48u + 2u);
    ExpectHas(k.out, {"e5f7: 1\n", "\n\nNodes searched: 48\n"});
    RUN_T d = RunTool("perft 2 --divide");
    ASSERT_EQ(d.status, 0);
    EXPECT_EQ(d.out.substr(d.out.find("\n\nNodes")), "\n\n" + RunTool("perft 2").out);
    EXPECT_EQ(RunTool("perft 0 --divide --2d").out, "\nNodes searched: 1\n");
    EXPECT_EQ(RunTool("perft 1 --rules tournament").out, RunTool("perft 1 --rules tdcl").out);
    EXPECT_EQ(RunTool("perft 1 --rules TDCL").status, 0);
}

TEST(CliFen, RoundTrips) {
    for (const char* fen : {START_FEN, KIWIPETE, "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 37",
                            "r3k2r/8/8/8/8/8/8/R3K2R b Qk - 17 60", "8/8/8/8/8/8/6k1/4K2R w K - 0 1",
                            "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"}) {
        RUN_T r = RunTool("fen --fen " + Quoted(fen));
        ASSERT_EQ(r.status, 0) << fen << "\n" << r.err;
        EXPECT_EQ(r.out, std::string(fen) + "\n");
    }
    // four fields: the counters start afresh; a right whose rook is gone lapses
    EXPECT_EQ(RunTool("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 b - -")).out, "4k3/8/8/8/8/8/8/4K3 b - - 0 1\n");
    EXPECT_EQ(RunTool("fen --2d").out, std::string(START_FEN) + "\n");
    EXPECT_EQ(RunTool("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K2R w KQ - 0 1")).out, "4k3/8/8/8/8/8/8/4K2R w K - 0 1\n");
    EXPECT_EQ(RunTool("moves --fen " + Quoted("4k3/8/8/8/8/8/8/4R1K1 b - - 0 1")).out,
              "e8d7 Kd7\ne8d8 Kd8\ne8f7 Kf7\ne8f8 Kf8\n");
}

TEST(CliMoves, BadFensMovesAndCommandLinesAreRefused) {
    const std::pair<std::string, std::string> fens[] = {
        {"8/8/8/8/8/8/8/8/4K3 w - - 0 1", "ranks"}, {"4k3/8/8/8/8/8/4K3 w - - 0 1", "8 ranks"},
        {"4k3/9/8/8/8/8/8/4K3 w - - 0 1", "9"}, {"4k3/8/8/8/8/8/8/4K4 w - - 0 1", "rank 1"},
        {"4k3/8/8/8/8/8/8/4K2X w - - 0 1", "'X'"}, {"4k3/8/8/8/8/8/8/8 w - - 0 1", "White has no king"},
        {"4k2k/8/8/8/8/8/8/4K3 w - - 0 1", "Black has more than one king"},
        {"3Pk3/8/8/8/8/8/8/4K3 w - - 0 1", "pawn on rank 8"},
        {"4k3/8/8/8/8/8/8/3pK3 w - - 0 1", "pawn on rank 1"},
        {"4k3/pppppppp/p7/8/8/8/8/4K3 w - - 0 1", "more than 8 pawns"},
        {"4k3/8/8/8/8/8/8/4K3 x - - 0 1", "'x'"}, {"4k3/8/8/8/8/8/8/4K3 w KX - 0 1", "'KX'"},
        {"4k3/8/8/8/8/8/8/4K3 w KK - 0 1", "'KK'"}, {"4k3/8/8/8/8/8/8/4K3 w - e4 0 1", "'e4'"},
        {"4k3/8/8/8/8/8/8/4K3 w - d3 0 1", "'d3'"}, {"4k3/8/8/8/8/8/8/4K3 w - d6 0 1", "'d6'"},
        {"4k3/8/8/8/8/8/8/4K3 w - - -1 1", "'-1'"}, {"4k3/8/8/8/8/8/8/4K3 w - - 0 x", "'x'"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0", "5 fields"}, {"4k3/8/8/8/8/8/8/4R1K1 w - - 0 1", "Black is in check"},
    };
    for (const auto& [fen, named] : fens) ExpectRefused("fen --fen " + Quoted(fen), named);
    const std::pair<std::string, std::string> commands[] = {
        {"moves --3d --fen " + Quoted(START_FEN), "--3d"}, {"moves --fen", "--fen"},
        {"moves --2d --moves e2e5", "'e2e5'"}, {"moves --2d --moves 'e2e4 e2e4'", "move 2"},
        {"moves --2d --moves e2", "'e2'"}, {"moves --2d --moves e2e4k", "'e2e4k'"},
        {"moves --2d --moves i2i4", "'i2i4'"}, {"moves --2d --moves e2e4q", "no promotion"},
        {"moves --moves qlw@ql7", "'qlw@ql7'"}, {"moves --moves xlw@ql3", "'xlw@ql3'"},
        {"moves --moves qlw@ql3", "qlw@ql3"},  // at the start no board can move
        {"moves --2d --moves qlw@ql3", "2D"},
        {"moves --fen '4k3/1P6/8/8/8/8/8/4K3 w - - 0 1' --moves b7b8", "piece letter"},
        {"moves --moves", "--moves"}, {"perft", "depth"}, {"perft -1", "'-1'"}, {"perft two", "'two'"},
        {"perft 2 3", "'3'"}, {"perft 2 --frobnicate", "--frobnicate"}, {"perft 1 --rules casual", "casual"},
        {"perft 1 --rules", "--rules"}, {"moves --divide", "--divide"}, {"fen", "2D"},
        {"frobnicate", "frobnicate"}, {"", "command"},
    };
    for (const auto& [args, named] : commands) ExpectRefused(args, named);
}

// Check, checkmate and stalemate: the board's first line, what moves says on
// standard error ("" for nothing).
struct END_CASE_T {
    const char* args;
    const char* header;
    const char* check;
};

TEST(CliEnds, BoardAndMovesSayCheckMateAndStalemate) {
    const END_CASE_T cases[] = {
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
    for (const END_CASE_T& c : cases) {
        SCOPED_TRACE(c.args);
        RUN_T b = RunTool(std::string("board ") + c.args);
        ASSERT_EQ(b.status, 0) << b.err;
        EXPECT_EQ(b.err, "");
        EXPECT_EQ(Lines(b.out).at(0), c.header);
        RUN_T r = RunTool(std::string("moves ") + c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, c.check);
        const std::vector<std::string> lines = Lines(r.out);
        ASSERT_FALSE(lines.empty());
        const std::string header = c.header;
        if (header.find("mate: ") != std::string::npos) {
            // the one line is the board's verdict
            EXPECT_EQ(r.out, header.substr(header.find(", ") + 2) + "\n");
        } else {
            // nothing but moves, as many as perft counts
            for (const std::string& l : lines) EXPECT_TRUE(std::regex_match(l, MOVE_LINE)) << l;
            EXPECT_EQ(RunTool(std::string("perft 1 ") + c.args).out,
                      "Nodes searched: " + std::to_string(lines.size()) + "\n");
        }
    }
}

}  // namespace

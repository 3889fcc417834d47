// The terminal tool as scripts and people use it.
#include <gtest/gtest.h>

#include "cli.h"
#include "cli_runner.h"
#include "test_util.h"
#include "uci_process.h"
#include "viewlogic.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "search/search.h"
#include "shell/shell.h"

#include <chrono>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Standard output and error together, as a person sees them.
RUN_T RunCli(const std::string& args) {
    RUN_T r = RunTool(args);
    r.out += r.err;
    return r;
}

TEST(Cli, BoardShowsBothStartPositions) {
    RUN_T r = RunCli("board --2d");
    ASSERT_EQ(r.status, 0) << r.out;
    ExpectHas(r.out, {"r n b q k b n r", "R N B Q K B N R"});
    // 3D, the default notation: files z..e, levels by their letters, boards by their pins
    r = RunCli("board");
    ASSERT_EQ(r.status, 0) << r.out;
    ExpectHas(r.out,
              {"QLW on QL1, White's", "KLB on KL6, Black's", "Neutral level (N)\n     a b c d\n  6  . . . .",
               "White level (W)\n     a b c d\n  4", "\n     z a     ", "\n  0  R Q     ", "  1  N B B N"});
    EXPECT_EQ(RunCli("board --3d").out, r.out);
    ExpectHas(RunCli("board --3d --notation 2").out, {"QLW on Q1, White's"});
    // standard notation: files a..f and the levels' heights (b1(2), c3(4))
    ExpectHas(RunCli("board --notation 1").out,
              {"QLW on QL1, level 3, White's", "KLB on KL6, level 7, Black's",
               "Middle level (4)\n     b c d e\n", "\n     a b     "});
    for (const char* bad : {"board --notation 5", "board --notation"})
        EXPECT_EQ(RunCli(bad).status, 2) << bad;
}

// The usage: exit 0, the text on standard output, nothing on standard error.
std::string Usage(const std::string& args) {
    RUN_T r = RunTool(args + " </dev/null");
    EXPECT_EQ(r.status, 0) << args << "\n" << r.out << r.err;
    EXPECT_EQ(r.err, "") << args;
    return r.out;
}

TEST(CliHelp, EveryCommandIsInTheUsageAndTheMessagesThatNameThem) {
    const std::string usage = Usage("help");
    EXPECT_EQ(usage.rfind("usage: tamzor-cli <command>", 0), 0u) << usage;
    EXPECT_EQ(Usage("--help"), usage);
    EXPECT_EQ(Usage("-h"), usage);
    ExpectHas(usage, {"play [GAME] [--computer white|black|both|none] [--depth D] [--time S]",
                      "search [GAME] [--depth D] [--time S] [--verbose]", "perft D [--divide]",
                      "bench [--2d|--3d] [--rules tdcl|tournament] [--depth D]", "--fen FEN", "--moves LIST",
                      "--rules tdcl|tournament", "--notation 0|1|2", "--2d | --3d"});
    for (const std::string& line : Lines(usage)) EXPECT_LE(line.size(), 80u) << line;
    const RUN_T unknown = RunTool("frobnicate");
    const RUN_T none = RunTool("");
    for (const CLI_COMMAND_T& c : CliCommands()) {
        SCOPED_TRACE(c.name);
        // listed at the start of a line, with its options
        ExpectHas(usage, {std::string("\n  ") + c.name + (*c.synopsis ? std::string(" ") + c.synopsis : "")});
        const std::regex word(std::string("\\b") + c.name + "\\b");
        EXPECT_TRUE(std::regex_search(unknown.err, word)) << unknown.err;
        EXPECT_TRUE(std::regex_search(none.err, word)) << none.err;
        // main runs it: an option it does not know is the command's complaint
        ExpectLacks(RunTool(std::string(c.name) + " --frobnicate </dev/null").err, {"unknown command"});
        // and --help after it prints the usage alone: the command does not run
        EXPECT_EQ(Usage(std::string(c.name) + " --help"), usage);
        EXPECT_EQ(Usage(std::string(c.name) + " --2d -h"), usage);
    }
    EXPECT_EQ(Lines(unknown.err).size(), 1u) << unknown.err;
    EXPECT_EQ(Lines(none.err).size(), 1u) << none.err;
}

const char* const A_FEN = "'4k3/8/8/8/8/8/8/4K3 w - - 0 1'";

// Options that contradict each other are refused with their reason.
TEST(CliOptions, ContradictionsAreRefusedWithTheirReason) {
    const std::pair<std::string, const char*> cases[] = {
        {"board --2d --3d", "--2d and --3d"},
        {"board --game 3", "--game needs --pgn"},
        {"restore --game 2", "--game"},
        {"fen --fen " + std::string(A_FEN) + " --pgn " + DataFile("opera.pgn"), "--pgn and --fen"},
        {"moves --3d --fen " + std::string(A_FEN), "--3d"},
        {"perft 1 --2d --rules tournament", "--rules is for the 3D game"},
        {"board --fen " + std::string(A_FEN) + " --rules tdcl", "--rules is for the 3D game"},
        {"board --pgn " + DataFile("opera.pgn") + " --rules tdcl", "holds a 2D game"},
        {"board --pgn " + DataFile("mates-3d.pgn") + " --rules tournament",
         "played with tdcl rules, not tournament"},
        {"board --2d --pgn " + DataFile("mates-3d.pgn"), "holds a 3D game"},
        {"board --rules tdcl --rules tournament", "--rules given twice"},
        {"fen --fen " + std::string(A_FEN) + " --fen '4k3/8/8/8/8/8/8/3K4 w - - 0 1'", "--fen given twice"},
        {"board --pgn " + DataFile("two-games.pgn") + " --game 1 --game 2", "--game given twice"},
        {"search --2d --depth 3 --depth 4", "--depth given twice"},
        {"play --2d --time 1 --time 2 </dev/null", "--time given twice"},
        {"play --computer white --computer black </dev/null", "--computer given twice"},
    };
    for (const auto& [args, why] : cases) ExpectRefused(args, why);
}

// Options repeated with their own value, a game kind agreeing with the FEN or file, --moves twice.
TEST(CliOptions, AgreeingOptionsAreTaken) {
    const std::string two_d = RunTool("board --2d --moves e2e4,e7e5").out;
    const std::pair<std::string, int> cases[] = {  // 2: the same board as two_d, 1: nothing on stderr
        {"board --2d --2d --moves e2e4 --moves e7e5", 2},
        {"board --moves e2e4,e7e5 --2d", 2},
        {"board --fen " + std::string(A_FEN) + " --2d --moves e1e2 --notation 1 --notation 1", 1},
        {"board --3d --rules tournament --rules TOURNAMENT", 0},
        {"perft 1 --3d --rules tdcl", 0},
        {"board --2d --pgn " + DataFile("two-games.pgn") + " --game 2 --game 02", 0},
        {"board --3d --rules tdcl --pgn " + DataFile("mates-3d.pgn"), 0},
        {"search --2d --depth 2 --depth 2 --time 5", 0},
        {"fen --2d --fen " + std::string(A_FEN), 0},
    };
    for (const auto& [args, kind] : cases) {
        RUN_T r = RunTool(args);
        EXPECT_EQ(r.status, 0) << args << "\n" << r.err;
        EXPECT_NE(r.out, "") << args;
        EXPECT_TRUE(kind == 0 || r.err.empty()) << args << "\n" << r.err;
        EXPECT_TRUE(kind < 2 || r.out == two_d) << args << "\n" << r.out;
    }
}

// A 2D game that no rule ends before it fills the record: the kings walk their back
// ranks (no position a third time) between pawn steps (no fifty moves).
const char* const LONG_FEN = "7k/pppppppp/8/8/8/8/PPPPPPPP/K7 w - - 0 1";

std::vector<std::string> LongGame(size_t plies) {
    auto cell = [](int file, char rank) { return std::string{char('a' + file), rank}; };
    std::vector<std::string> game;
    for (int step = 0; step < 32 && game.size() < plies; step++) {
        const int file = step / 4, white = step % 2 == 0, k = step % 4 / 2;
        game.push_back(white ? cell(file, char('2' + k)) + cell(file, char('3' + k))
                             : cell(file, char('7' - k)) + cell(file, char('6' - k)));
        std::vector<std::string> w, b;  // out along the back rank and back again
        for (int i = 0; i < 14; i++) {
            const int f = i < 7 ? i : 14 - i, t = i < 7 ? i + 1 : 13 - i;
            w.push_back(cell(f, '1') + cell(t, '1'));
            b.push_back(cell(7 - f, '8') + cell(7 - t, '8'));
        }
        for (int i = 0; i < 14; i++) {
            game.push_back(white ? b[i] : w[i]);
            game.push_back(white ? w[i] : b[i]);
        }
    }
    game.resize(plies);
    return game;
}

std::string Joined(const std::vector<std::string>& v, const char* between = " ") {
    std::string s;
    for (const std::string& t : v) s += (s.empty() ? "" : between) + t;
    return s;
}

// A UCI position command's answer: "" when taken, else its info string.
std::string UciPosition(const std::string& command) {
    UciProcess t({TAMZOR_CLI, "uci"});
    t.Send("uci");
    t.Send("position " + command);
    t.Send("go depth 2");
    std::string line, said;
    std::vector<std::string> seen;
    EXPECT_TRUE(t.WaitFor("bestmove", &line, 60s, &seen)) << command.substr(0, 80);
    for (const std::string& l : seen)
        if (l.rfind("info string", 0) == 0) said += l;
    return said;
}

// A long game's move numbers read back; the record full refused through every door.
TEST(CliGameRecord, LongGamesNumberTheirMovesAndAFullRecordIsRefusedEverywhere) {
    const std::vector<std::string> game = LongGame(901), full(game.begin(), game.end() - 1);
    RUN_T r = RunTool("fen --fen '" + std::string(LONG_FEN) + "' --moves '" + Joined(LongGame(800)) + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string long_fen = Lines(r.out).at(0);
    ASSERT_EQ(long_fen.substr(long_fen.size() - 4), " 401") << long_fen;
    // A FEN from elsewhere may carry any number, with few plies to come.
    const std::string high = "4k3/8/8/8/8/8/8/4K3 w - - 0 5000";
    for (const std::string& fen : {long_fen, high}) {
        EXPECT_EQ(RunTool("fen --fen '" + fen + "'").out, fen + "\n");
        EXPECT_EQ(UciPosition("fen " + fen), "") << fen;
    }
    // Moves from it count on from its number, in the FEN and the game's PGN.
    EXPECT_EQ(RunTool("fen --fen '" + high + "' --moves e1e2,e8d7").out,
              "8/3k4/8/8/8/8/4K3/8 w - - 2 5001\n");
    r = RunTool("pgn --fen '" + high + "' --moves e1e2,e8d7");
    ExpectHas(r.out, {"[FEN \"" + high + "\"]", "\n5000. Ke2 Kd7 "});
    // A number no game reaches is still refused with its range.
    ExpectRefused("fen --fen '4k3/8/8/8/8/8/8/4K3 w - - 0 999999999'", "fullmove number '999999999'");
    const std::string fen = std::string("--fen '") + LONG_FEN + "'", next = game.back();
    const char* const FULL = "the game record is full";
    // Nothing ends the game before: 900 plies, the last of them the draw.
    r = RunTool("board " + fen + " --moves '" + Joined(full) + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    // --moves, as the positions and as a user's moves
    ExpectRefused("board " + fen + " --moves '" + Joined(game) + "'", FULL);
    const SCRATCH_DIR_T scratch("tamzor_cli_full_");
    r = RunTool("save " + fen + " --moves '" + Joined(game) + "'", scratch.path);
    EXPECT_EQ(r.status, 2);
    ExpectHas(r.err, {std::string(FULL) + ": '" + next + "' (move 901 of --moves)"});
    // play: the game ends full, and a move after says why it is not played
    std::ofstream(scratch.path + "/input.txt") << Joined(game, "\n") << "\n";
    r = RunTool("play --computer none " + fen + " < input.txt", scratch.path);
    EXPECT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, {"Draw - the game record is full", std::string(FULL) + ": no more moves"});
    // UCI
    EXPECT_EQ(UciPosition("fen " + std::string(LONG_FEN) + " moves " + Joined(full)), "");
    ExpectHas(UciPosition("fen " + std::string(LONG_FEN) + " moves " + Joined(game)),
              {FULL + std::string(": '") + next + "'"});
    // a PGN game one move longer than the record
    r = RunTool("pgn " + fen + " --moves '" + Joined(full) + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string pgn = r.out;
    const size_t result = pgn.rfind("1/2-1/2");
    ASSERT_NE(result, std::string::npos) << pgn;
    pgn.replace(result, 7, "451. Kb1 *");
    std::ofstream(scratch.path + "/long.pgn") << pgn;
    ExpectRefused("board --pgn " + scratch.path + "/long.pgn", FULL);
    // the window: the reason it shows for the move refused
    std::string error;
    ASSERT_TRUE(NewGameState(2));
    ASSERT_TRUE(SetUpFen(LONG_FEN, &error)) << error;
    ASSERT_TRUE(PlayMoves(Joined(full), &error)) << error;
    MOVE_T m;
    ASSERT_TRUE(MoveFromToken(&state.position, next, &m, &error)) << error;
    char text[120];
    IllegalMoveText(&state.position, &m, text, sizeof text);
    ExpectHas(text, {FULL});
}

// The "key value" lines of search's report.
std::map<std::string, std::string> Report(const std::string& out) {
    std::map<std::string, std::string> m;
    for (const std::string& line : Lines(out)) {
        const size_t space = line.find(' ');
        if (space != std::string::npos) m[line.substr(0, space)] = line.substr(space + 1);
    }
    return m;
}

// The first record line the computer played as White: "1. e4" gives "e4".
std::string FirstMove(const std::string& out) {
    const size_t at = out.find("\n1. ");
    if (at == std::string::npos) return "";
    return out.substr(at + 4, out.find('\n', at + 4) - at - 4);
}

// The depth is the plies searched; play's computer (book off) plays what search finds at
// that depth (the start's moves differ by depth); --verbose adds a line an iteration.
TEST(CliSearch, DepthIsThePliesSearchedAlikeEverywhere) {
    const std::regex line_re("iteration (\\d+): move (\\S+ \\S+), value (\\S+), nodes (\\d+), time \\d+ ms");
    for (const char* game : {"--2d", "--3d"}) {
        unsigned long long nodes = 0;
        for (int depth = 2; depth <= 5; depth++) {
            const std::string d = " --time 60 --depth " + std::to_string(depth);
            SCOPED_TRACE(std::string(game) + d);
            RUN_T s = RunTool(std::string("search ") + game + d);
            ASSERT_EQ(s.status, 0) << s.err;
            auto report = Report(s.out);
            EXPECT_EQ(report["depth"], std::to_string(depth)) << s.out;
            const unsigned long long n = std::stoull(report["nodes"]);
            EXPECT_GT(n, nodes);
            nodes = n;
            if (depth < 5) {
                RUN_T p =
                    RunTool(std::string("play ") + game + " --computer white --book off" + d + " </dev/null");
                ASSERT_EQ(p.status, 0) << p.err;
                EXPECT_EQ(report["move"].substr(report["move"].find(' ') + 1), FirstMove(p.out)) << p.out;
                continue;
            }
            // --verbose: a line an iteration, each with more nodes, then the quiet search's report
            RUN_T r = RunTool(std::string("search ") + game + d + " --verbose");
            ASSERT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.err, "");
            const std::vector<std::string> lines = Lines(r.out), quiet = Lines(s.out);
            ASSERT_EQ(lines.size(), 4u + quiet.size()) << r.out;
            unsigned long long so_far = 0;
            std::smatch m;
            for (size_t i = 0; i < 4; i++) {
                ASSERT_TRUE(std::regex_match(lines[i], m, line_re)) << lines[i];
                EXPECT_EQ(m[1], std::to_string(i + 2)) << lines[i];
                EXPECT_GE(std::stoull(m[4]), so_far) << lines[i];
                so_far = std::stoull(m[4]);
            }
            EXPECT_EQ("move " + m[2].str(), lines[4]);
            EXPECT_EQ("value " + m[3].str(), lines[5]);
            ASSERT_EQ(quiet.size(), 6u) << s.out;
            for (size_t i = 0; i < 4; i++) EXPECT_EQ(lines[4 + i], quiet[i]);
        }
    }
}

// One parser reads the limits of search, play and bench: all refusals by search, one by each other.
TEST(CliSearch, LimitsAreReadAlikeEverywhere) {
    auto refused = [](const std::string& command, const std::string& option, const std::string& v) {
        const std::string says = option == "--depth"     ? "bad depth '" + v + "' (2 to 49)"
                                 : option == "--threads" ? "bad thread count '" + v + "'"
                                                         : "bad time '" + v + "' (0.01 to 3600)";
        ExpectRefused(command + " " + option + " '" + v + "' </dev/null", says);
    };
    for (const std::string v : {"1", "50", "3.5", "x", ""}) refused("search --2d", "--depth", v);
    for (const std::string v : {"0", "x", "65", "1.5"}) refused("search --2d", "--threads", v);
    for (const std::string v : {"0", "0.001", "3601", "1s", "-1", "nan", ""})
        refused("search --2d", "--time", v);
    for (const std::string command : {"search --2d", "play --2d", "bench --2d"}) {
        refused(command, "--depth", "50");
        refused(command, "--threads", "0");
        ExpectRefused(command + " --depth </dev/null", "--depth needs a value");
    }
    refused("play --2d", "--time", "3601");
    // an iteration cut short by the clock is not shown again under its depth
    for (const std::string search : {"search --2d --time ", "search --3d --time "})
        for (const char* seconds : {"0.05", "0.15", "0.4"}) {
            int last = 0;
            for (const std::string& line : Lines(RunTool(search + seconds + " --verbose").out))
                if (line.rfind("iteration ", 0) == 0) {
                    EXPECT_GT(std::stoi(line.substr(10)), last) << search << seconds << ": " << line;
                    last = std::stoi(line.substr(10));
                }
            EXPECT_GT(last, 1) << search << seconds;
        }
    for (const char* command : {"search --2d --time", "play --2d --time </dev/null"})
        ExpectRefused(command, "--time needs a value");
}

// The bench's node totals at depth 5 are the search's signature: a change to the search updates them.
TEST(CliSearch, BenchNodeTotalsAreTheSearchsSignature) {
    const std::pair<const char*, const char*> expected[] = {{"--2d", "41240"}, {"--3d", "26727"}};
    for (const auto& [game, total] : expected) {
        RUN_T r = RunTool(std::string("bench --depth 5 ") + game);
        ASSERT_EQ(r.status, 0) << r.err;
        ExpectHas(r.out, {std::string("Total nodes: ") + total + "\n"});
    }
}

// The moves, perft and fen commands, move tokens and FEN input, as other programs read them.

const char* const START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char* const KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
// Moves that bring Black's queen-side board a move.
const char* const BOARD_LINE = "c1d1 c8d8 h1c3 e7a5 d1h1 b7a6 c1d1 e8b6 g2g3 b8e6 e1b3 a8b8 b1e1 b8e7 e2e3";
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
    for (const char* l : {"c1d1 O-O", "e2e3 a3W", "e2a4 a4N", "e1b3 Nb3N"})
        EXPECT_TRUE(Listed(lines, l)) << l;
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
    ExpectHas(r.out, {"b7b8q b8Q\n", "b7b8r b8R\n", "b7b8b b8B\n", "b7b8n b8N\n", "b7a8n bxRa8N\n"});
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
        EXPECT_EQ(RunTool("moves --notation " + std::string(n) + " --fen " + Quoted(KIWIPETE)).out, c.out)
            << n;
    EXPECT_EQ(RunTool("fen --fen " + Quoted(KIWIPETE) + " --moves e1c1").out,
              "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/2KR3R b kq - 1 1\n");
    // attack boards
    ExpectHas(RunTool("moves --moves " + Quoted(BOARD_LINE)).out, {"qlb@ql4 QL4\n", "qlb@ql5 QL5\n"});
    r = RunTool("board --moves " + Quoted(BOARD_LINE + std::string(" QLB@QL4")));
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, {"QLB on QL4", "White to move"});
}

TEST(CliPerft, CountsDivideAndRules) {
    RUN_T r = RunTool("perft 3 --2d");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Nodes searched: 8902\n");
    ExpectHas(r.err, {"nodes/s"});
    EXPECT_EQ(RunTool("perft 0").out, "Nodes searched: 1\n");
    r = RunTool("perft 2 --2d --divide");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 22u) << r.out;
    for (int i = 0; i < 20; i++)
        EXPECT_TRUE(std::regex_match(lines[i], std::regex("[a-h][1-8][a-h][1-8]: 20")));
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.begin() + 20));
    EXPECT_EQ(lines[20], "");
    EXPECT_EQ(lines[21], "Nodes searched: 400");
    // the sum of a divide is the total
    RUN_T d = RunTool("perft 2 --divide");
    ASSERT_EQ(d.status, 0);
    EXPECT_EQ(d.out.substr(d.out.find("\n\nNodes")), "\n\n" + RunTool("perft 2").out);
    EXPECT_EQ(RunTool("perft 0 --divide --2d").out, "\nNodes searched: 1\n");
    EXPECT_EQ(RunTool("perft 1 --rules tournament").out, RunTool("perft 1 --rules tdcl").out);
    EXPECT_EQ(RunTool("perft 1 --rules TDCL").status, 0);
}

TEST(CliFen, RoundTrips) {
    for (const char* fen :
         {START_FEN, KIWIPETE, "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 37",
          "r3k2r/8/8/8/8/8/8/R3K2R b Qk - 17 60", "8/8/8/8/8/8/6k1/4K2R w K - 0 1",
          "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"}) {
        RUN_T r = RunTool("fen --fen " + Quoted(fen));
        ASSERT_EQ(r.status, 0) << fen << "\n" << r.err;
        EXPECT_EQ(r.out, std::string(fen) + "\n");
    }
    // four fields: the counters start afresh; a right whose rook is gone lapses
    EXPECT_EQ(RunTool("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K3 b - -")).out,
              "4k3/8/8/8/8/8/8/4K3 b - - 0 1\n");
    EXPECT_EQ(RunTool("fen --2d").out, std::string(START_FEN) + "\n");
    EXPECT_EQ(RunTool("fen --fen " + Quoted("4k3/8/8/8/8/8/8/4K2R w KQ - 0 1")).out,
              "4k3/8/8/8/8/8/8/4K2R w K - 0 1\n");
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
        {"--fen '4k3/8/8/8/8/8/8/4R1K1 b - - 0 1'", "2D chess, Black to move, in check",
         "Black is in check\n"},
        {"--2d --moves e2e4", "2D chess, Black to move", ""},
        {"--moves 'g2g3 h8g6 c1d1 c8d8 e1g2 g6d4 h2d3 d4b5 g2d4 e8b6 d4g6 e7e6 d3h4 b5h4 e2a4 h4b3 f1d3 "
         "b3g1'",
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

// Save and restore, and games played through standard input.

// The board the board command prints.
std::string Board(const std::string& args) {
    RUN_T r = RunTool("board " + args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

// Each test in a directory of its own: the tool saves in the working directory.
class CliGame : public ::testing::Test {
protected:
    SCRATCH_DIR_T scratch{"tamzor_cli_game_"};
    std::string old_dir, dir = scratch.path;
    void SetUp() override {
        char buf[4096];
        old_dir = getcwd(buf, sizeof buf);
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(old_dir.c_str()), 0); }
    // `tamzor-cli play args` with the lines as its standard input.
    RUN_T Play(const std::string& input, const std::string& args = "--2d --computer none") {
        std::ofstream("input.txt", std::ios::trunc) << input;
        return RunTool("play " + args + " < input.txt");
    }
};

const char* const FOOLS_MATE = "f2f3\ne7e5\ng2g4\nd8h4\n";

TEST_F(CliGame, SaveAndRestoreBothGames) {
    RUN_T s = RunTool("save --2d --moves \"e2e4 e7e5 g1f3 b8c6\"");
    ASSERT_EQ(s.status, 0) << s.out << s.err;
    // the record's lines are the data; the report is one line on standard error
    EXPECT_EQ(s.out, "\n1. e4\n1. ... e5\n2. Nf3\n2. ... Nc6\n");
    EXPECT_EQ(s.err, "Saving tamzor.sav ...complete\n");
    EXPECT_EQ(FileText("tamzor.sav").size(), 34496u);
    const std::string by_tokens = FileText("tamzor.sav");
    RUN_T r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.err, "Restore game tamzor.sav ...complete!\n");
    ExpectLacks(r.out, {"complete", "Tamzor V", "Game over"});
    ExpectHas(r.out, {"\n1. e4\n1. ... e5\n2. Nf3\n2. ... Nc6\n"});
    EXPECT_TRUE(EndsWith(r.out, Board("--2d --moves e2e4,e7e5,g1f3,b8c6"))) << r.out;
    // no debugging numbers on a line of their own
    for (const std::string& line : Lines(r.out))
        EXPECT_TRUE(line.empty() || line.find_first_not_of("0123456789 ") != std::string::npos) << r.out;
    // the move texts save the same game as the tokens
    ASSERT_EQ(RunTool("save --2d --moves \"e4 e5 Nf3 Nc6\"").status, 0);
    EXPECT_EQ(FileText("tamzor.sav"), by_tokens);
    EXPECT_EQ(RunTool("restore --moves e2e4").status, 2);

    // a finished game says so, once
    ASSERT_EQ(RunTool("save --2d --moves f2f3,e7e5,g2g4,d8h4").status, 0);
    r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, {"\n2. ... Qh4#\nWhite is mated\n"});
    EXPECT_EQ(CountOf(r.out, "Game over: Black wins"), 1u) << r.out;
}

TEST_F(CliGame, AttackBoardMoveSavedAndRestored) {
    const std::string moves = std::string("--moves \"") + BOARD_LINE + " qlb@ql4\"";
    RUN_T s = RunTool("save " + moves);
    ASSERT_EQ(s.status, 0) << s.out << s.err;
    ExpectHas(s.out, {"\n8. ... QL4\n"});
    RUN_T r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    ExpectHas(r.out, {"\n8. ... QL4\n"});
    EXPECT_TRUE(EndsWith(r.out, Board(moves))) << r.out;
    ExpectHas(RunTool("restore --notation 1").out, {"\n8. ... QLBb6(4)\n"});
    // a game saved in another notation is shown in the tool's own
    ExpectHas(RunTool("save --notation 1 " + moves).out, {"\n8. ... QLBb6(4)\n"});
    r = RunTool("restore");
    ExpectHas(r.out, {"\n8. ... QL4\n"});
    EXPECT_TRUE(EndsWith(r.out, Board(moves))) << r.out;
    // the text of the notation shown, and one of another as copied from an older record
    for (const char* typed : {"QL4\n", "QLBb6(4)\n"}) {
        RUN_T p = Play(typed, std::string("--moves \"") + BOARD_LINE + "\" --computer none");
        ASSERT_EQ(p.status, 0) << p.err;
        ExpectHas(p.out, {"Black to move> \n8. ... QL4\n", "QLB on QL4"});
    }
}

TEST_F(CliGame, BadMovesAndBadFilesAreRefused) {
    // save: the bad move named, no file written
    for (const char* moves : {"e2e4,zz9", "e2e4,e2e4", "e4 Ke3", "f2f3,e7e5,g2g4,d8h4,a2a3"}) {
        std::string named = moves;
        named = named.substr(named.find_last_of(", ") + 1);
        RUN_T r = RunTool(std::string("save --2d --moves \"") + moves + "\"");
        EXPECT_EQ(r.status, 2) << moves << "\n" << r.out << r.err;
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        ExpectHas(r.err, {"'" + named + "'"});
        EXPECT_NE(access("tamzor.sav", F_OK), 0) << moves;
    }
    // restore: exit 1, one line naming what is wrong, the file untouched
    for (const char* named : {"No such file", "100 bytes long, a saved game is 34496"}) {
        if (named[0] == '1') std::ofstream("tamzor.sav", std::ios::binary) << std::string(100, 'x');
        const std::string file = FileText("tamzor.sav");
        RUN_T r = RunTool("restore");
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_EQ(r.err.rfind("tamzor-cli: no game restored: tamzor.sav: ", 0), 0u) << r.err;
        ExpectHas(r.err, {named});
        EXPECT_EQ(FileText("tamzor.sav"), file);
    }
}

// What a game on standard input prints: each text a number of times (-1: at least once).
struct PLAY_CASE_T {
    std::string input;
    const char* args;
    std::vector<std::pair<std::string, int>> says;
};

TEST_F(CliGame, PlayedGamesSayWhatHappens) {
    std::string repeated;
    for (int i = 0; i < 3; i++) repeated += "Nf3\nNf6\nNg1\nNg8\n";
    const char* const none = "--2d --computer none";
    const PLAY_CASE_T cases[] = {
        // moves are refused once the game is over, but undo goes on; mated again, said again
        {std::string(FOOLS_MATE) + "a2a3\nlist\nundo\nd8h4\nquit\n",
         none,
         {{"the game is over", -1},
          {"3. a3", 0},
          {"\n1. f3\n1. ... e5\n2. g4\n2. ... Qh4#\n", -1},
          {"move undone", 1},
          {"\n2. ... Qh4#\nWhite is mated\n", 2},
          {"Game over: Black wins, 0-1", 2}}},
        {repeated, none, {{"Draw - you're repeating", -1}, {"Game over: drawn, 1/2-1/2", 1}}},
        // the line as it was, and after it why
        {"e2e5\nxyzzy\nKe2\ne5\ne2e4\n",
         none,
         {{"illegal move 'e2e5' (type help for how to enter moves): a pawn moves one cell, two at its first "
           "move\n",
           1},
          {"illegal move 'Ke2' (type help for how to enter moves): your own pawn is on e2\n", 1},
          {"illegal move 'e5' (type help for how to enter moves): a pawn moves one cell, two at", 1},
          {"unknown command 'xyzzy' (board, moves,", 1},
          {"White to move> \n1. e4\n", 1},
          {"White to move> ", 5},
          {"Black to move> ", 1}}},
        // the texts the move list and the record use, a check mark optional, the case exact
        {"e4\ne5\nNf3\nNc6\nBc4\nNf6\nO-O\nQe7\nNg5\nd6\nNxf7\n",
         none,
         {{"illegal", 0}, {"\n4. O-O\n", 1}, {"\n6. Nxf7\n", 1}}},
        {"f3\ne5\ng4\nQh4+\n", none, {{"White is mated", 1}}},
        {"f3\ne5\ng4\nQh4\n", none, {{"White is mated", 1}}},
        {"nf3\n", none, {{"bad move 'nf3'", 1}, {"1. Nf3", 0}}},
        // of two bishops, the one that reaches the cell but leaves the check
        {"Bd3\n",
         "--fen \"4r1k1/8/8/8/8/8/3P1P2/2B1KB2 w - - 0 1\" --computer none",
         {{"illegal move 'Bd3' (type help for how to enter moves): you are in check: Bf1-d3 does not answer it\n", 1}}},
        {"a8\na8N\n",
         "--fen \"8/P6k/8/8/8/8/8/K7 w - - 0 1\" --computer none",
         {{"promotion 'a8' needs the piece", 1}, {"\n1. a8N\n", 1}}},
        {"undo\nlist\n", none, {{"nothing to undo", 1}, {"no moves played", 1}}},
        {"e2e4\nrestore\ne7e5\n", none, {{"no game restored", 1}, {"\n1. ... e5\n", 1}}},
        {"Kh7\n",
         "--fen \"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1\"",
         {{"Stalemate", -1}, {"Game over: drawn", 1}, {"the game is over", -1}}},
        // the computer playing White moves first, then the input ends
        {"", "--2d --computer white --depth 2 --time 1", {{"\n1. ", 1}}},
        {"", "--2d", {{"White to move> ", 1}}},
    };
    for (const PLAY_CASE_T& c : cases) {
        SCOPED_TRACE(c.input + c.args);
        RUN_T r = Play(c.input, c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        for (const auto& [text, n] : c.says) {
            if (n < 0) {
                ExpectHas(r.out, {text});
            } else {
                EXPECT_EQ(CountOf(r.out, text), (size_t)n) << "'" << text << "' in:\n" << r.out;
            }
        }
    }
    RUN_T r = Play("e2e4\n");
    EXPECT_EQ(r.out.find(Board("--2d")), 0u) << r.out;
    ExpectHas(r.out, {Board("--2d --moves e2e4")});
    ExpectHas(Play(FOOLS_MATE).out, {Board("--2d --moves f2f3,e7e5,g2g4,d8h4")});
    EXPECT_EQ(RunTool("play --3d < /dev/null").status, 0);
    ExpectRefused("play --2d --computer bogus < /dev/null", "bogus");
    EXPECT_EQ(Play("", "--computer").status, 2);
}

TEST_F(CliGame, CommandsWork) {
    RUN_T r = Play("help\ne2e4\ne7e5\nlist\nsave\nundo\nboard\nrestore\nlist\nquit\ng1f3\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& o = r.out;
    // help: the commands and how to enter moves
    ExpectHas(o, {"undo", "list", "save", "restore", "board", "quit", "e2e4", "Nf3"});
    // list, twice: before the save and after the restore
    EXPECT_EQ(CountOf(o, "\n1. e4\n1. ... e5\n"), 2u) << o;
    ExpectHas(o, {"Saving tamzor.sav ...complete\n"});
    EXPECT_EQ(FileText("tamzor.sav").size(), 34496u);
    // undo, then the board shows the position before Black's move
    size_t undone = o.find("move undone");
    ASSERT_NE(undone, std::string::npos) << o;
    EXPECT_NE(o.find(Board("--2d --moves e2e4"), undone), std::string::npos) << o;
    // restore brings back the saved game
    size_t restored = o.find("complete!", undone);
    ASSERT_NE(restored, std::string::npos) << o;
    EXPECT_NE(o.find(Board("--2d --moves e2e4,e7e5"), restored), std::string::npos) << o;
    // quit ends the game: the move after it is not played
    EXPECT_EQ(o.find("2. Nf3"), std::string::npos) << o;
    EXPECT_TRUE(EndsWith(o, "White to move> ")) << o;
}

// The difficulty a game was saved at does not replace the session's depth.
TEST_F(CliGame, RestoreKeepsThePlayDepth) {
    ASSERT_EQ(RunTool("save --2d --moves e2e4").status, 0);
    const size_t maxdepth = 6456;  // the engine's ply limit in the file
    ASSERT_EQ(FileText("tamzor.sav").at(maxdepth), 50);
    RUN_T r = Play("restore\nsave\n", "--2d --computer none --depth 2");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileText("tamzor.sav").at(maxdepth), 3);  // 2 plies
}

// A script on pipes sees each prompt before it answers.
TEST_F(CliGame, PromptsReachAPipeAtOnce) {
    UciProcess p({TAMZOR_CLI, "play", "--2d", "--computer", "none"});
    ASSERT_TRUE(p.Running());
    std::string seen;
    EXPECT_TRUE(p.WaitForTail("White to move> ", &seen, 20s)) << seen;
    p.Send("e2e4");
    EXPECT_TRUE(p.WaitForTail("Black to move> ", &seen, 20s)) << seen;
    ExpectHas(seen, {"\n1. e4\n"});
    p.Send("quit");
    EXPECT_EQ(p.Finish(), 0);
}

}  // namespace

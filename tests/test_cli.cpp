// The terminal tool as scripts use it.
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
    // the 3D board labelled as the default notation names cells: files z..e,
    // the levels by their letters (a1W, b3N, d8B), the boards by their pins
    r = RunCli("board");
    ASSERT_EQ(r.status, 0) << r.out;
    ExpectHas(r.out, {"QLW on QL1, White's", "KLB on KL6, Black's", "Neutral level (N)\n     a b c d\n  6  . . . .",
                      "White level (W)\n     a b c d\n  4", "\n     z a     ", "\n  0  R Q     ", "  1  N B B N"});
    EXPECT_EQ(RunCli("board --3d").out, r.out);
    EXPECT_EQ(RunCli("board --3d --notation 0").out, r.out);
    ExpectHas(RunCli("board --3d --notation 2").out, {"QLW on Q1, White's"});
    // standard notation: files a..f and the levels' heights (b1(2), c3(4))
    ExpectHas(RunCli("board --notation 1").out, {"QLW on QL1, level 3, White's", "KLB on KL6, level 7, Black's",
                                                 "Middle level (4)\n     b c d e\n", "\n     a b     "});
    for (const char* bad : {"board --4d", "board --notation 5", "board --notation"})
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
        // and --help after it prints the usage instead of running it
        EXPECT_EQ(Usage(std::string(c.name) + " --help"), usage);
        EXPECT_EQ(Usage(std::string(c.name) + " --2d -h"), usage);
    }
    EXPECT_EQ(Lines(unknown.err).size(), 1u) << unknown.err;
    EXPECT_EQ(Lines(none.err).size(), 1u) << none.err;
    // help runs no command: save would write a file, play would read a move
    const SCRATCH_DIR_T scratch("tamzor_cli_help_");
    ExpectLacks(RunTool("save --2d --moves e2e4 --help", scratch.path).out, {"Saving"});
    EXPECT_NE(access((scratch.path + "/tamzor.sav").c_str(), F_OK), 0);
    EXPECT_EQ(RunTool("perft --help").status, 0);
    ExpectLacks(RunTool("play --2d --computer none --help < /dev/null").out, {"White to move"});
}

const char* const A_FEN = "'4k3/8/8/8/8/8/8/4K3 w - - 0 1'";

// Options that contradict each other are refused with their reason.
TEST(CliOptions, ContradictionsAreRefusedWithTheirReason) {
    const std::pair<std::string, const char*> cases[] = {
        {"board --2d --3d", "--2d and --3d"},
        {"moves --3d --moves e2e4 --2d", "--2d and --3d"},
        {"bench --3d --2d", "--2d and --3d"},
        {"board --game 3", "--game needs --pgn"},
        {"search --2d --game 2 --depth 2", "--game needs --pgn"},
        {"restore --game 2", "--game"},
        {"fen --fen " + std::string(A_FEN) + " --pgn " + DataFile("opera.pgn"), "--pgn and --fen"},
        {"moves --3d --fen " + std::string(A_FEN), "--3d"},
        {"perft 1 --2d --rules tournament", "--rules is for the 3D game"},
        {"board --fen " + std::string(A_FEN) + " --rules tdcl", "--rules is for the 3D game"},
        {"bench --2d --rules tdcl", "--rules is for the 3D game"},
        {"board --pgn " + DataFile("opera.pgn") + " --rules tdcl", "holds a 2D game"},
        {"board --pgn " + DataFile("mates-3d.pgn") + " --rules tournament", "played with tdcl rules, not tournament"},
        {"board --2d --pgn " + DataFile("mates-3d.pgn"), "holds a 3D game"},
        {"board --rules tdcl --rules tournament", "--rules given twice"},
        {"board --notation 1 --notation 2", "--notation given twice"},
        {"fen --fen " + std::string(A_FEN) + " --fen '4k3/8/8/8/8/8/8/3K4 w - - 0 1'", "--fen given twice"},
        {"board --pgn " + DataFile("opera.pgn") + " --pgn " + DataFile("setup.pgn"), "--pgn given twice"},
        {"board --pgn " + DataFile("two-games.pgn") + " --game 1 --game 2", "--game given twice"},
        {"search --2d --depth 3 --depth 4", "--depth given twice"},
        {"play --2d --time 1 --time 2 </dev/null", "--time given twice"},
        {"play --computer white --computer black </dev/null", "--computer given twice"},
    };
    for (const auto& [args, why] : cases) ExpectRefused(args, why);
}

// Forms scripts use keep working: an option repeated with its own value,
// the game kind that agrees with the FEN or the file, --moves given twice.
TEST(CliOptions, AgreeingOptionsAreTaken) {
    const std::string two_d = RunTool("board --2d --moves e2e4,e7e5").out;
    for (const std::string& args :
         {std::string("board --2d --2d --moves e2e4 --moves e7e5"), std::string("board --moves e2e4,e7e5 --2d"),
          "board --fen " + std::string(A_FEN) + " --2d --moves e1e2 --notation 1 --notation 1"}) {
        RUN_T r = RunTool(args);
        EXPECT_EQ(r.status, 0) << args << "\n" << r.err;
        EXPECT_EQ(r.err, "") << args;
        if (args.find("--fen") == std::string::npos) {
            EXPECT_EQ(r.out, two_d) << args;
        }
    }
    for (const std::string& args :
         {std::string("board --3d --rules tournament --rules TOURNAMENT"), std::string("perft 1 --3d --rules tdcl"),
          "board --2d --pgn " + DataFile("two-games.pgn") + " --game 2 --game 02",
          "board --3d --rules tdcl --pgn " + DataFile("mates-3d.pgn"), std::string("search --2d --depth 2 --depth 2 --time 5"),
          "fen --2d --fen " + std::string(A_FEN)}) {
        RUN_T r = RunTool(args);
        EXPECT_EQ(r.status, 0) << args << "\n" << r.err;
        EXPECT_NE(r.out, "") << args;
    }
}

// A 2D game from LONG_FEN that no rule ends before it fills the record: the
// kings walk their back ranks out and back (no position a third time)
// between pawn steps (no fifty moves), White's and Black's in turn.
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

// A UCI position command's answer: "" when taken (a search from it finds a
// move), else its info string.
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

TEST(CliFenNumbers, MoveNumbersOfLongGamesAndOtherFensReadBack) {
    const std::vector<std::string> game = LongGame(800);
    RUN_T r = RunTool("fen --fen '" + std::string(LONG_FEN) + "' --moves '" + Joined(game) + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string long_fen = Lines(r.out).at(0);
    ASSERT_EQ(long_fen.substr(long_fen.size() - 4), " 401") << long_fen;
    // A FEN from elsewhere may carry any number, with few plies to come.
    const std::string high = "4k3/8/8/8/8/8/8/4K3 w - - 0 5000";
    for (const std::string& fen : {long_fen, high}) {
        EXPECT_EQ(RunTool("fen --fen '" + fen + "'").out, fen + "\n");
        EXPECT_EQ(RunTool("board --fen '" + fen + "'").status, 0) << fen;
        EXPECT_EQ(UciPosition("fen " + fen), "") << fen;
    }
    // Moves from it count on from its number, in the FEN and the game's PGN.
    EXPECT_EQ(RunTool("fen --fen '" + high + "' --moves e1e2,e8d7").out, "8/3k4/8/8/8/8/4K3/8 w - - 2 5001\n");
    r = RunTool("pgn --fen '" + high + "' --moves e1e2,e8d7");
    ExpectHas(r.out, {"[FEN \"" + high + "\"]", "\n5000. Ke2 Kd7 "});
    // A number no game reaches is still refused with its range.
    ExpectRefused("fen --fen '4k3/8/8/8/8/8/8/4K3 w - - 0 999999999'", "fullmove number '999999999'");
}

TEST(CliGameRecord, AFullRecordIsRefusedThroughEveryDoor) {
    const std::vector<std::string> game = LongGame(901), full(game.begin(), game.end() - 1);
    const std::string fen = std::string("--fen '") + LONG_FEN + "'", next = game.back();
    const char* const FULL = "the game record is full";
    // Nothing ends the game before: 900 plies, the last of them the draw.
    RUN_T r = RunTool("board " + fen + " --moves '" + Joined(full) + "'");
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
    ExpectHas(UciPosition("fen " + std::string(LONG_FEN) + " moves " + Joined(game)), {FULL + std::string(": '") + next + "'"});
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

// The searches: search, play's computer and bench mean the same by a depth,
// and take the same limits.
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

// The depth is the plies searched, every ply more a larger tree; the computer
// of a game (its book off) plays what search finds at the same depth: the
// moves of the start differ from one depth to the next, so a game searching a
// ply more or less would show. --verbose adds a line for every completed
// iteration and nothing else. (The time is enough on a busy machine.)
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
                RUN_T p = RunTool(std::string("play ") + game + " --computer white --book off" + d + " </dev/null");
                ASSERT_EQ(p.status, 0) << p.err;
                EXPECT_EQ(report["move"].substr(report["move"].find(' ') + 1), FirstMove(p.out)) << p.out;
                continue;
            }
            RUN_T r = RunTool(std::string("search ") + game + d + " --verbose");
            ASSERT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.err, "");
            std::vector<std::string> lines;
            int iteration = 1;
            unsigned long long so_far = 0;
            std::smatch m;
            std::string last_move, last_value;
            for (const std::string& line : Lines(r.out)) {
                if (!std::regex_match(line, m, line_re)) {
                    lines.push_back(line);
                    continue;
                }
                EXPECT_TRUE(lines.empty()) << "an iteration after the report: " << line;
                EXPECT_EQ(std::stoi(m[1]), ++iteration) << line;
                EXPECT_GE(std::stoull(m[4]), so_far) << line;
                so_far = std::stoull(m[4]);
                last_move = m[2];
                last_value = m[3];
            }
            EXPECT_EQ(iteration, 5) << r.out;
            // the report after them is the quiet search's, but for its speed
            const std::vector<std::string> quiet = Lines(s.out);
            ASSERT_EQ(lines.size(), 6u) << r.out;
            ASSERT_EQ(quiet.size(), 6u) << s.out;
            for (size_t i = 0; i < 4; i++) EXPECT_EQ(lines[i], quiet[i]);
            EXPECT_EQ("move " + last_move, lines[0]);
            EXPECT_EQ("value " + last_value, lines[1]);
        }
    }
}

TEST(CliSearch, LimitsAreReadAlikeEverywhere) {
    for (const std::string command : {"search --2d", "play --2d", "bench --2d"}) {
        SCOPED_TRACE(command);
        auto refused = [&](const std::string& option, const std::string& v, const std::string& says) {
            ExpectRefused(command + " " + option + " '" + v + "' </dev/null", says);
        };
        for (const std::string v : {"1", "50", "3.5", "x", ""}) refused("--depth", v, "bad depth '" + v + "' (2 to 49)");
        ExpectRefused(command + " --depth", "--depth needs a value");
        for (const std::string v : {"0", "x", "65", "1.5"}) refused("--threads", v, "bad thread count '" + v + "'");
        if (command.rfind("bench", 0) == 0) continue;  // bench runs no clock
        for (const char* v : {"0", "0.001", "3601", "1s", "-1", "nan", ""})
            refused("--time", v, "bad time '" + std::string(v) + "' (0.01 to 3600)");
        ExpectRefused(command + " --time", "--time needs a value");
    }
}

// A limit of a fraction of a second holds in a game too: the computer
// still finds its move within it.
TEST(CliSearch, PlayTakesFractionalSeconds) {
    for (const char* game : {"--2d", "--3d"}) {
        RUN_T r = RunTool(std::string("play ") + game + " --computer white --time 0.05 </dev/null");
        ASSERT_EQ(r.status, 0) << r.err;
        // running over a move's time is normal: nothing on standard error
        EXPECT_EQ(r.err, "");
        EXPECT_NE(FirstMove(r.out), "") << r.out;
    }
}

// The bench's node totals at depth 5 are the search's signature, on one
// thread: a change meant to alter the search updates them in its own commit.
TEST(CliSearch, BenchNodeTotalsAreTheSearchsSignature) {
    const std::pair<const char*, const char*> expected[] = {{"--2d", "41240"}, {"--3d", "26727"}};
    for (const auto& [game, total] : expected) {
        RUN_T r = RunTool(std::string("bench --depth 5 ") + game);
        ASSERT_EQ(r.status, 0) << r.err;
        ExpectHas(r.out, {std::string("Total nodes: ") + total + "\n"});
    }
}

}  // namespace

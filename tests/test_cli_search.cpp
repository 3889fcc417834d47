// The terminal tool's searches: search, play's computer and bench mean the
// same by a depth, and take the same limits.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "search/search.h"

namespace {

// The searches here are given time enough to reach their depth on a busy
// machine or under the sanitizers.

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

TEST(CliSearch, DepthIsThePliesSearched) {
    for (const char* game : {"--2d", "--3d"}) {
        unsigned long long nodes = 0;
        for (int depth = 2; depth <= 5; depth++) {
            SCOPED_TRACE(std::string(game) + " depth " + std::to_string(depth));
            RUN_T r = RunTool(std::string("search ") + game + " --time 60 --depth " + std::to_string(depth));
            ASSERT_EQ(r.status, 0) << r.err;
            auto report = Report(r.out);
            EXPECT_EQ(report["depth"], std::to_string(depth)) << r.out;
            // every ply more searches a larger tree
            const unsigned long long n = std::stoull(report["nodes"]);
            EXPECT_GT(n, nodes);
            nodes = n;
        }
    }
}

// The computer of a game (its book off) plays what search finds at the same depth; the
// moves of the start differ from one depth to the next, so a game searching
// a ply more or less would show.
TEST(CliSearch, PlayDepthIsSearchDepth) {
    for (const char* game : {"--2d", "--3d"}) {
        for (int depth = 2; depth <= 4; depth++) {
            const std::string d = " --time 60 --depth " + std::to_string(depth);
            SCOPED_TRACE(std::string(game) + d);
            RUN_T s = RunTool(std::string("search ") + game + d);
            ASSERT_EQ(s.status, 0) << s.err;
            const std::string move = Report(s.out)["move"];
            RUN_T p = RunTool(std::string("play ") + game + " --computer white --book off" + d + " </dev/null");
            ASSERT_EQ(p.status, 0) << p.err;
            EXPECT_EQ(move.substr(move.find(' ') + 1), FirstMove(p.out)) << p.out;
        }
    }
}

TEST(CliSearch, LimitsAreReadAlikeEverywhere) {
    const char* const bad_depths[] = {"1", "50", "3.5", "x", ""};
    const char* const bad_times[] = {"0", "0.001", "3601", "1s", "-1", "nan", ""};
    for (const char* command : {"search --2d", "play --2d", "bench --2d"}) {
        SCOPED_TRACE(command);
        for (const char* v : bad_depths)
            ExpectRefused(std::string(command) + " --depth '" + v + "' </dev/null", std::string("bad depth '") + v + "' (2 to 49)");
        ExpectRefused(std::string(command) + " --depth", "--depth needs a value");
        for (const char* v : {"0", "x", "65", "1.5"})
            ExpectRefused(std::string(command) + " --threads '" + v + "' </dev/null", std::string("bad thread count '") + v + "'");
        if (std::string(command).rfind("bench", 0) == 0) continue;  // bench runs no clock
        for (const char* v : bad_times)
            ExpectRefused(std::string(command) + " --time '" + v + "' </dev/null", std::string("bad time '") + v + "' (0.01 to 3600)");
        ExpectRefused(std::string(command) + " --time", "--time needs a value");
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

// --verbose adds a line for every completed iteration and nothing else: the
// report after them is the one a quiet search gives.
TEST(CliSearch, VerboseShowsEachIteration) {
    const std::regex line_re("iteration (\\d+): move (\\S+ \\S+), value (\\S+), nodes (\\d+), time \\d+ ms");
    for (const char* game : {"--2d", "--3d"}) {
        SCOPED_TRACE(game);
        const std::string args = std::string("search ") + game + " --time 60 --depth 5";
        RUN_T quiet = RunTool(args);
        RUN_T r = RunTool(args + " --verbose");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        std::vector<std::string> report, quiet_report;
        int depth = 1;
        unsigned long long nodes = 0;
        std::smatch m;
        std::string last_move, last_value;
        for (const std::string& line : Lines(r.out)) {
            if (!std::regex_match(line, m, line_re)) {
                report.push_back(line);
                continue;
            }
            EXPECT_TRUE(report.empty()) << "an iteration after the report: " << line;
            EXPECT_EQ(std::stoi(m[1]), ++depth) << line;
            EXPECT_GE(std::stoull(m[4]), nodes) << line;
            nodes = std::stoull(m[4]);
            last_move = m[2];
            last_value = m[3];
        }
        EXPECT_EQ(depth, 5) << r.out;
        for (const std::string& line : Lines(quiet.out)) quiet_report.push_back(line);
        // the same search, but for its speed
        ASSERT_EQ(report.size(), 6u) << r.out;
        ASSERT_EQ(quiet_report.size(), 6u) << quiet.out;
        for (size_t i = 0; i < 4; i++) EXPECT_EQ(report[i], quiet_report[i]);
        EXPECT_EQ("move " + last_move, report[0]);
        EXPECT_EQ("value " + last_value, report[1]);
    }
}

}  // namespace

// The bench's node totals at depth 5 are the search's signature, on one
// thread: a change meant to alter the search updates them in its own commit.
TEST(CliSearch, BenchNodeTotalsAreTheSearchsSignature) {
    const std::pair<const char*, const char*> expected[] = {{"--2d", "41240"}, {"--3d", "26727"}};
    for (const auto& [game, total] : expected) {
        RUN_T r = RunTool(std::string("bench --depth 5 ") + game);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(std::string("Total nodes: ") + total + "\n"), std::string::npos) << game << "\n" << r.out;
    }
}

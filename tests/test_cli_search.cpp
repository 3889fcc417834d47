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


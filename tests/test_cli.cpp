// The terminal tool as scripts use it.
#include <gtest/gtest.h>

#include "cli.h"
#include "cli_runner.h"
#include "test_util.h"

#include <array>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

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
    EXPECT_NE(r.out.find("r n b q k b n r"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("R N B Q K B N R"), std::string::npos) << r.out;
    // The 3D board labelled as the default notation names cells: files z..e,
    // the levels by their letters (a1W, b3N, d8B), the boards by their pins.
    r = RunCli("board");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("QLW on QL1, White's"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("KLB on KL6, Black's"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Neutral level (N)\n     a b c d\n  6  . . . ."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("White level (W)\n     a b c d\n  4"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n     z a     "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n  0  R Q     "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  1  N B B N"), std::string::npos) << r.out;
    EXPECT_EQ(RunCli("board --3d").out, r.out);
    EXPECT_EQ(RunCli("board --3d --notation 0").out, r.out);
    r = RunCli("board --3d --notation 2");
    EXPECT_NE(r.out.find("QLW on Q1, White's"), std::string::npos) << r.out;
    // Standard notation: files a..f and the levels' heights (b1(2), c3(4)).
    r = RunCli("board --notation 1");
    EXPECT_NE(r.out.find("QLW on QL1, level 3, White's"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("KLB on KL6, level 7, Black's"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Middle level (4)\n     b c d e\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n     a b     "), std::string::npos) << r.out;
}

TEST(Cli, BadInputExitsWithStatus2) {
    EXPECT_EQ(RunCli("board --4d").status, 2);
    EXPECT_EQ(RunCli("board --notation 5").status, 2);
    EXPECT_EQ(RunCli("board --notation").status, 2);
    EXPECT_EQ(RunCli("frobnicate").status, 2);
    EXPECT_EQ(RunCli("").status, 2);
}

// ---------------------------------------------------------------------------
// help
// ---------------------------------------------------------------------------

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
    const RUN_T unknown = RunTool("frobnicate");
    const RUN_T none = RunTool("");
    for (const CLI_COMMAND_T& c : CliCommands()) {
        SCOPED_TRACE(c.name);
        // listed at the start of a line, with its options
        std::string line = std::string("\n  ") + c.name + (*c.synopsis ? std::string(" ") + c.synopsis : "");
        EXPECT_NE(usage.find(line), std::string::npos) << usage;
        const std::regex word(std::string("\\b") + c.name + "\\b");
        EXPECT_TRUE(std::regex_search(unknown.err, word)) << unknown.err;
        EXPECT_TRUE(std::regex_search(none.err, word)) << none.err;
        // main runs it: an option it does not know is the command's complaint
        RUN_T r = RunTool(std::string(c.name) + " --frobnicate </dev/null");
        EXPECT_EQ(r.err.find("unknown command"), std::string::npos) << r.err;
        // and --help after it prints the usage instead of running it
        EXPECT_EQ(Usage(std::string(c.name) + " --help"), usage);
        EXPECT_EQ(Usage(std::string(c.name) + " --2d -h"), usage);
    }
    EXPECT_EQ(Lines(unknown.err).size(), 1u) << unknown.err;
    EXPECT_EQ(Lines(none.err).size(), 1u) << none.err;
}

TEST(CliHelp, UsageNamesTheOptionsOfEachCommand) {
    const std::string usage = Usage("help");
    for (const char* option : {"play [GAME] [--computer white|black|both|none] [--depth D] [--time S]",
                               "search [GAME] [--depth D] [--time S] [--verbose]",
                               "perft D [--divide]", "bench [--2d|--3d] [--rules tdcl|tournament] [--depth D]", "--fen FEN",
                               "--moves LIST", "--rules tdcl|tournament", "--notation 0|1|2", "--2d | --3d"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    // 80 columns
    for (const std::string& line : Lines(usage)) EXPECT_LE(line.size(), 80u) << line;
}

TEST(CliHelp, HelpRunsNoCommand) {
    // save would write a file, perft would want a depth, play would read a move
    char buf[4096];
    const std::string old_dir = getcwd(buf, sizeof buf);
    const SCRATCH_DIR_T scratch("tamzor_cli_help_");
    const std::string& dir = scratch.path;
    ASSERT_EQ(chdir(dir.c_str()), 0);
    RUN_T r = RunTool("save --2d --moves e2e4 --help");
    EXPECT_EQ(r.out.find("Saving"), std::string::npos) << r.out;
    EXPECT_NE(access("tamzor.sav", F_OK), 0);
    ASSERT_EQ(chdir(old_dir.c_str()), 0);
    rmdir(dir.c_str());
    EXPECT_EQ(RunTool("perft --help").status, 0);
    r = RunTool("play --2d --computer none --help < /dev/null");
    EXPECT_EQ(r.out.find("White to move"), std::string::npos) << r.out;
}

}  // namespace

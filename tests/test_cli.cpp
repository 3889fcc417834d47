// The terminal tool as scripts use it.
#include <gtest/gtest.h>

#include "cli_runner.h"

#include <array>
#include <cstdio>
#include <string>

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
    r = RunCli("board");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("QLW on QL1, level 3, White's"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("KLB on KL6, level 7, Black's"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Middle level (4)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  1  N B B N"), std::string::npos) << r.out;
    EXPECT_EQ(RunCli("board --3d").out, r.out);
    r = RunCli("board --3d --notation 2");
    EXPECT_NE(r.out.find("QLW on Q1"), std::string::npos) << r.out;
}

TEST(Cli, BadInputExitsWithStatus2) {
    EXPECT_EQ(RunCli("board --4d").status, 2);
    EXPECT_EQ(RunCli("board --notation 5").status, 2);
    EXPECT_EQ(RunCli("board --notation").status, 2);
    EXPECT_EQ(RunCli("frobnicate").status, 2);
    EXPECT_EQ(RunCli("").status, 2);
}

}  // namespace

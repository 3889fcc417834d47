// The terminal tool's games: save and restore through the tool, and a game
// between two people played through standard input.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "test_util.h"
#include "uci_process.h"

using namespace std::chrono_literals;

namespace {

long FileSize(const std::string& name) {
    struct stat st;
    return stat(name.c_str(), &st) == 0 ? (long)st.st_size : -1;
}

// The board the board command prints.
std::string Board(const std::string& args) {
    RUN_T r = RunTool("board " + args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

// Every test works in a directory of its own: the tool saves to and restores
// from the working directory, and tests run in parallel.
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
    EXPECT_EQ(FileSize("tamzor.sav"), 34496);
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

    s = RunTool("save --3d --moves e2e4,e7e5");
    ASSERT_EQ(s.status, 0) << s.out << s.err;
    EXPECT_EQ(FileSize("tamzor.sav"), 34496);
    r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    ExpectHas(r.out, {"\n1. ", "\n1. ... "});
    EXPECT_TRUE(EndsWith(r.out, Board("--3d --moves e2e4,e7e5"))) << r.out;

    // a finished game says so, once
    ASSERT_EQ(RunTool("save --2d --moves f2f3,e7e5,g2g4,d8h4").status, 0);
    r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, {"\n2. ... Qh4#\nWhite is mated\n"});
    EXPECT_EQ(CountOf(r.out, "Game over: Black wins"), 1u) << r.out;
}

// Attack-board moves, as tokens and as texts.
const char* const BOARD_LINE = "c1d1 c8d8 h1c3 e7a5 d1h1 b7a6 c1d1 e8b6 g2g3 b8e6 e1b3 a8b8 b1e1 b8e7 e2e3";

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
        EXPECT_EQ(FileSize("tamzor.sav"), -1) << moves;
    }
    // restore: exit 1, one line naming what is wrong, the file untouched
    auto refused = [](const std::string& named) {
        const std::string file = FileText("tamzor.sav");
        RUN_T r = RunTool("restore");
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_EQ(r.err.rfind("tamzor-cli: no game restored: tamzor.sav: ", 0), 0u) << r.err;
        ExpectHas(r.err, {named});
        EXPECT_EQ(FileText("tamzor.sav"), file);
    };
    refused("No such file");
    std::ofstream("tamzor.sav", std::ios::binary) << std::string(100, 'x');
    refused("100 bytes long, a saved game is 34496");
    std::ofstream("tamzor.sav", std::ios::binary) << std::string(60000, 'x');
    refused("60000 bytes long");
    ASSERT_EQ(RunTool("save --2d --moves e2e4").status, 0);
    std::string f = FileText("tamzor.sav");
    f[6360] = 4;  // the game kind
    std::ofstream("tamzor.sav", std::ios::binary) << f;
    refused("game kind 4");
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
        {"e2e4\n", none, {{"White to move> \n1. e4\n", 1}, {"Black to move> ", 1}}},
        {FOOLS_MATE, none, {{"\n2. ... Qh4#\nWhite is mated\n", 1}, {"Game over: Black wins, 0-1", 1}}},
        // moves are refused once the game is over, but undo goes on; mated again, said again
        {std::string(FOOLS_MATE) + "a2a3\nlist\nundo\nd8h4\nquit\n", none,
         {{"the game is over", -1}, {"3. a3", 0}, {"\n1. f3\n1. ... e5\n2. g4\n2. ... Qh4#\n", -1},
          {"move undone", 1}, {"White is mated", 2}, {"Game over: Black wins", 2}}},
        {repeated, none, {{"Draw - you're repeating", -1}, {"Game over: drawn, 1/2-1/2", 1}}},
        // the line as it was, and after it why
        {"e2e5\nxyzzy\ne2e4\n", none,
         {{"illegal move 'e2e5' (type help for how to enter moves): a pawn moves one cell, two at its first move\n", 1},
          {"unknown command 'xyzzy' (board, moves,", 1}, {"\n1. e4\n", 1}, {"White to move> ", 3},
          {"Black to move> ", 1}}},
        // the texts the move list and the record use, a check mark optional, the case exact
        {"e4\ne5\nNf3\nNc6\nBc4\nNf6\nO-O\nQe7\nNg5\nd6\nNxf7\n", none,
         {{"illegal", 0}, {"\n4. O-O\n", 1}, {"\n6. Nxf7\n", 1}}},
        {"f3\ne5\ng4\nQh4+\n", none, {{"White is mated", 1}}},
        {"f3\ne5\ng4\nQh4\n", none, {{"White is mated", 1}}},
        {"nf3\n", none, {{"bad move 'nf3'", 1}, {"1. Nf3", 0}}},
        {"a8\na8N\n", "--fen \"8/P6k/8/8/8/8/8/K7 w - - 0 1\" --computer none",
         {{"promotion 'a8' needs the piece", 1}, {"\n1. a8N\n", 1}}},
        {"undo\nlist\n", none, {{"nothing to undo", 1}, {"no moves played", 1}}},
        {"e2e4\nrestore\ne7e5\n", none, {{"no game restored", 1}, {"\n1. ... e5\n", 1}}},
        {"Kh7\n", "--fen \"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1\"",
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
    EXPECT_EQ(FileSize("tamzor.sav"), 34496);
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

// A script talking to the game through pipes sees each prompt before it
// answers: the prompts are flushed.
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

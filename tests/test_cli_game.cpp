// The terminal tool's games: save and restore through the tool, and a game
// between two people played through standard input.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "test_util.h"
#include "tamzor.h"

namespace {

size_t Count(const std::string& s, const std::string& part) {
    size_t n = 0;
    for (size_t at = s.find(part); at != std::string::npos; at = s.find(part, at + 1)) n++;
    return n;
}

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

long FileSize(const std::string& name) {
    struct stat st;
    return stat(name.c_str(), &st) == 0 ? (long)st.st_size : -1;
}

// The board the board command prints after these moves.
std::string Board(const std::string& args) {
    RUN_T r = RunTool("board " + args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
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

// ---------------------------------------------------------------------------
// save and restore
// ---------------------------------------------------------------------------

TEST_F(CliGame, SaveThenRestoreRoundTrip) {
    RUN_T s = RunTool("save --2d --moves \"e2e4 e7e5 g1f3 b8c6\"");
    ASSERT_EQ(s.status, 0) << s.out << s.err;
    // The game record's lines, as a user's moves print them, are the data;
    // the report is one line on standard error.
    EXPECT_EQ(s.out, "\n1. e4\n1. ... e5\n2. Nf3\n2. ... Nc6\n");
    EXPECT_EQ(s.err, "Saving tamzor.sav ...complete\n");
    EXPECT_EQ(FileSize("tamzor.sav"), 34496);

    RUN_T r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.err, "Restore game tamzor.sav ...complete!\n");
    EXPECT_EQ(r.out.find("complete"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Tamzor V"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n1. e4\n1. ... e5\n2. Nf3\n2. ... Nc6\n"), std::string::npos) << r.out;
    EXPECT_TRUE(EndsWith(r.out, Board("--2d --moves e2e4,e7e5,g1f3,b8c6"))) << r.out;
    EXPECT_EQ(r.out.find("Game over"), std::string::npos);
}

TEST_F(CliGame, SaveTakesMoveTextsAsWellAsTokens) {
    ASSERT_EQ(RunTool("save --2d --moves e2e4,e7e5,g1f3").status, 0);
    std::string by_tokens = ReadFile("tamzor.sav");
    ASSERT_EQ(RunTool("save --2d --moves \"e4 e5 Nf3\"").status, 0);
    EXPECT_EQ(ReadFile("tamzor.sav"), by_tokens);
}

TEST_F(CliGame, ThreeDimensionalGameRoundTrip) {
    RUN_T s = RunTool("save --3d --moves e2e4,e7e5");
    ASSERT_EQ(s.status, 0) << s.out << s.err;
    EXPECT_EQ(FileSize("tamzor.sav"), 34496);
    RUN_T r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("\n1. "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n1. ... "), std::string::npos) << r.out;
    EXPECT_TRUE(EndsWith(r.out, Board("--3d --moves e2e4,e7e5"))) << r.out;
}

// Attack-board moves, as tokens and as texts.
const char* const BOARD_LINE =
    "c1d1 c8d8 h1c3 e7a5 d1h1 b7a6 c1d1 e8b6 g2g3 b8e6 e1b3 a8b8 b1e1 b8e7 e2e3";

TEST_F(CliGame, AttackBoardMoveSavedAndRestored) {
    const std::string moves = std::string("\"") + BOARD_LINE + " qlb@ql4\"";
    RUN_T s = RunTool("save --moves " + moves);
    ASSERT_EQ(s.status, 0) << s.out << s.err;
    EXPECT_NE(s.out.find("\n8. ... QL4\n"), std::string::npos) << s.out;
    RUN_T r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("\n8. ... QL4\n"), std::string::npos) << r.out;
    EXPECT_TRUE(EndsWith(r.out, Board("--moves " + moves))) << r.out;
    r = RunTool("restore --notation 1");
    EXPECT_NE(r.out.find("\n8. ... QLBb6(4)\n"), std::string::npos) << r.out;
    // A game saved in another notation is shown in the tool's own.
    s = RunTool("save --notation 1 --moves " + moves);
    EXPECT_NE(s.out.find("\n8. ... QLBb6(4)\n"), std::string::npos) << s.out;
    r = RunTool("restore");
    EXPECT_NE(r.out.find("\n8. ... QL4\n"), std::string::npos) << r.out;
    EXPECT_TRUE(EndsWith(r.out, Board("--moves " + moves))) << r.out;

    // The text of the notation shown, and one of another notation, as
    // copied from an older record.
    for (const char* typed : {"QL4\n", "QLBb6(4)\n"}) {
        RUN_T p = Play(typed, std::string("--moves \"") + BOARD_LINE + "\" --computer none");
        ASSERT_EQ(p.status, 0) << p.err;
        EXPECT_NE(p.out.find("Black to move> \n8. ... QL4\n"), std::string::npos) << typed << p.out;
        EXPECT_NE(p.out.find("QLB on QL4"), std::string::npos) << p.out;
    }
}

TEST_F(CliGame, RestoredFinishedGameSaysSo) {
    ASSERT_EQ(RunTool("save --2d --moves f2f3,e7e5,g2g4,d8h4").status, 0);
    RUN_T r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n2. ... Qh4#\nWhite is mated\n"), std::string::npos) << r.out;
    EXPECT_EQ(Count(r.out, "Game over: Black wins"), 1u) << r.out;
}

TEST_F(CliGame, SaveRefusesBadMovesAndWritesNothing) {
    struct {
        const char* moves;
        const char* named;
    } cases[] = {
        {"e2e4,zz9", "'zz9'"},
        {"e2e4,e2e4", "'e2e4'"},
        {"e4 Ke3", "'Ke3'"},
        {"f2f3,e7e5,g2g4,d8h4,a2a3", "'a2a3'"},  // after the mate
    };
    for (const auto& c : cases) {
        RUN_T r = RunTool(std::string("save --2d --moves \"") + c.moves + "\"");
        EXPECT_EQ(r.status, 2) << c.moves << "\n" << r.out << r.err;
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(FileSize("tamzor.sav"), -1) << c.moves;
    }
}

// A file restore refuses: exit 1, one line on standard error naming what
// is wrong, the file untouched.
void ExpectRestoreRefused(const std::string& named) {
    const std::string file = ReadFile("tamzor.sav");
    RUN_T r = RunTool("restore");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
    EXPECT_EQ(r.err.rfind("tamzor-cli: no game restored: tamzor.sav: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile("tamzor.sav"), file);
}

TEST_F(CliGame, RestoreWithoutASavedGameFails) {
    ExpectRestoreRefused("No such file");
}

TEST_F(CliGame, RestoreRefusesABadFileInOneLine) {
    std::ofstream("tamzor.sav", std::ios::binary) << std::string(100, 'x');
    ExpectRestoreRefused("100 bytes long, a saved game is 34496");
    std::ofstream("tamzor.sav", std::ios::binary) << std::string(60000, 'x');
    ExpectRestoreRefused("60000 bytes long");
    ASSERT_EQ(RunTool("save --2d --moves e2e4").status, 0);
    std::string f = ReadFile("tamzor.sav");
    f[6360] = 4;  // the game kind
    std::ofstream("tamzor.sav", std::ios::binary) << f;
    ExpectRestoreRefused("game kind 4");
}

TEST_F(CliGame, RestorePrintsNoDebugNumbers) {
    ASSERT_EQ(RunTool("save --2d --moves e2e4").status, 0);
    RUN_T r = RunTool("restore");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const std::string& line : Lines(r.out)) {
        if (line.empty()) continue;
        EXPECT_NE(line.find_first_not_of("0123456789 "), std::string::npos) << r.out;
    }
}

TEST_F(CliGame, RestoreRefusesMovesOfItsOwn) {
    EXPECT_EQ(RunTool("restore --moves e2e4").status, 2);
}

// ---------------------------------------------------------------------------
// play
// ---------------------------------------------------------------------------

TEST_F(CliGame, PlayShowsTheBoardAndPromptsTheSideToMove) {
    RUN_T r = Play("e2e4\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find(Board("--2d")), 0u) << r.out;
    EXPECT_NE(r.out.find("White to move> \n1. e4\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(Board("--2d --moves e2e4")), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Black to move> "), std::string::npos) << r.out;
}

TEST_F(CliGame, FoolsMateEndsTheGame) {
    RUN_T r = Play(FOOLS_MATE);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n2. ... Qh4#\nWhite is mated\n"), std::string::npos) << r.out;
    EXPECT_EQ(Count(r.out, "Game over: Black wins, 0-1"), 1u) << r.out;
    EXPECT_NE(r.out.find(Board("--2d --moves f2f3,e7e5,g2g4,d8h4")), std::string::npos);
}

TEST_F(CliGame, MovesAreRefusedOnceTheGameIsOverButUndoGoesOn) {
    RUN_T r = Play(std::string(FOOLS_MATE) + "a2a3\nlist\nundo\nd8h4\nquit\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("the game is over"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("3. a3"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n1. f3\n1. ... e5\n2. g4\n2. ... Qh4#\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("move undone"), std::string::npos) << r.out;
    // Mated again after the undo: said again, once.
    EXPECT_EQ(Count(r.out, "White is mated"), 2u) << r.out;
    EXPECT_EQ(Count(r.out, "Game over: Black wins"), 2u) << r.out;
}

TEST_F(CliGame, RepetitionDrawEndsTheGame) {
    std::string input;
    for (int i = 0; i < 3; i++) input += "Nf3\nNf6\nNg1\nNg8\n";
    RUN_T r = Play(input);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Draw - you're repeating"), std::string::npos) << r.out;
    EXPECT_EQ(Count(r.out, "Game over: drawn, 1/2-1/2"), 1u) << r.out;
}

TEST_F(CliGame, IllegalMoveGetsAMessageAndTheGameGoesOn) {
    RUN_T r = Play("e2e5\nxyzzy\ne2e4\n");
    ASSERT_EQ(r.status, 0) << r.err;
    // the line as it was, and after it why
    EXPECT_NE(r.out.find("illegal move 'e2e5' (type help for how to enter moves): a pawn moves one cell, two at "
                         "its first move\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("unknown command 'xyzzy' (board, moves,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n1. e4\n"), std::string::npos) << r.out;
    EXPECT_EQ(Count(r.out, "White to move> "), 3u) << r.out;
    EXPECT_EQ(Count(r.out, "Black to move> "), 1u) << r.out;
}

TEST_F(CliGame, MoveTextsAreUnderstood) {
    // The texts the move list and the record use, a check mark optional.
    RUN_T r = Play("e4\ne5\nNf3\nNc6\nBc4\nNf6\nO-O\nQe7\nNg5\nd6\nNxf7\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("illegal"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n4. O-O\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n6. Nxf7\n"), std::string::npos) << r.out;

    r = Play("f3\ne5\ng4\nQh4+\n");
    EXPECT_NE(r.out.find("White is mated"), std::string::npos) << r.out;
    r = Play("f3\ne5\ng4\nQh4\n");
    EXPECT_NE(r.out.find("White is mated"), std::string::npos) << r.out;
    r = Play("nf3\n");
    EXPECT_NE(r.out.find("bad move 'nf3'"), std::string::npos) << r.out;  // exact case
    EXPECT_EQ(r.out.find("1. Nf3"), std::string::npos) << r.out;
}

TEST_F(CliGame, PromotionTextNeedsThePiece) {
    RUN_T r = Play("a8\na8N\n", "--fen \"8/P6k/8/8/8/8/8/K7 w - - 0 1\" --computer none");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("promotion 'a8' needs the piece"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n1. a8N\n"), std::string::npos) << r.out;
}

TEST_F(CliGame, CommandsWork) {
    RUN_T r = Play("help\ne2e4\ne7e5\nlist\nsave\nundo\nboard\nrestore\nlist\nquit\ng1f3\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& o = r.out;
    // help: the commands and how to enter moves
    for (const char* word : {"undo", "list", "save", "restore", "board", "quit", "e2e4", "Nf3"})
        EXPECT_NE(o.find(word), std::string::npos) << word;
    // list, twice: before the save and after the restore
    EXPECT_EQ(Count(o, "\n1. e4\n1. ... e5\n"), 2u) << o;
    // save
    EXPECT_NE(o.find("Saving tamzor.sav ...complete\n"), std::string::npos) << o;
    EXPECT_EQ(FileSize("tamzor.sav"), 34496);
    // undo, then the board shows the position before Black's move
    size_t undone = o.find("move undone");
    ASSERT_NE(undone, std::string::npos) << o;
    const std::string after_e4 = Board("--2d --moves e2e4");
    EXPECT_NE(o.find(after_e4, undone), std::string::npos) << o;
    // restore brings back the saved game
    size_t restored = o.find("complete!", undone);
    ASSERT_NE(restored, std::string::npos) << o;
    EXPECT_NE(o.find(Board("--2d --moves e2e4,e7e5"), restored), std::string::npos) << o;
    // quit ends the game: the move after it is not played
    EXPECT_EQ(o.find("2. Nf3"), std::string::npos) << o;
    EXPECT_TRUE(EndsWith(o, "White to move> ")) << o;
}

TEST_F(CliGame, UndoAtTheStartAndListOfNoMoves) {
    RUN_T r = Play("undo\nlist\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("nothing to undo"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("no moves played"), std::string::npos) << r.out;
}

TEST_F(CliGame, RestoreWithoutAFileLeavesTheGame) {
    RUN_T r = Play("e2e4\nrestore\ne7e5\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("no game restored"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n1. ... e5\n"), std::string::npos) << r.out;
}

TEST_F(CliGame, EndOfInputExitsZero) {
    RUN_T r = Play("");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("White to move> "), std::string::npos) << r.out;
    EXPECT_EQ(RunTool("play --3d < /dev/null").status, 0);
}

TEST_F(CliGame, StalematedStartIsOverAtOnce) {
    RUN_T r = Play("Kh7\n", "--fen \"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1\"");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Stalemate"), std::string::npos) << r.out;
    EXPECT_EQ(Count(r.out, "Game over: drawn"), 1u) << r.out;
    EXPECT_NE(r.out.find("the game is over"), std::string::npos) << r.out;
}

TEST_F(CliGame, ComputerOptionValues) {
    RUN_T r = Play("", "--2d --computer bogus");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
    EXPECT_NE(r.err.find("bogus"), std::string::npos) << r.err;
    EXPECT_EQ(Play("", "--computer").status, 2);
    EXPECT_EQ(Play("", "--2d --depth 1").status, 2);
    EXPECT_EQ(Play("", "--2d --time 0").status, 2);
    // the computer playing White moves first, then the input ends
    r = Play("", "--2d --computer white --depth 2 --time 1");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n1. "), std::string::npos) << r.out;
    EXPECT_EQ(Play("", "--2d").status, 0);  // the computer plays Black: White's turn, no input
}

// The difficulty a game was saved at does not replace the session's depth.
TEST_F(CliGame, RestoreKeepsThePlayDepth) {
    ASSERT_EQ(RunTool("save --2d --moves e2e4").status, 0);
    const size_t maxdepth = 6456;  // the engine's ply limit in the file
    ASSERT_EQ(ReadFile("tamzor.sav").at(maxdepth), 50);
    RUN_T r = Play("restore\nsave\n", "--2d --computer none --depth 2");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile("tamzor.sav").at(maxdepth), 3);  // 2 plies
}

// A script talking to the game through pipes sees each prompt before it
// answers: the prompts are flushed.
TEST_F(CliGame, PromptsReachAPipeAtOnce) {
    int to_child[2], from_child[2];
    ASSERT_EQ(pipe(to_child), 0);
    ASSERT_EQ(pipe(from_child), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(to_child[0], 0);
        dup2(from_child[1], 1);
        close(to_child[1]);
        close(from_child[0]);
        execl(TAMZOR_CLI, "tamzor-cli", "play", "--2d", "--computer", "none", (char*)nullptr);
        _exit(127);
    }
    close(to_child[0]);
    close(from_child[1]);
    signal(SIGPIPE, SIG_IGN);
    std::string seen;
    // Reads until the output ends with `prompt`; false after 20 s without it.
    auto await = [&](const std::string& prompt) {
        for (;;) {
            if (EndsWith(seen, prompt)) return true;
            pollfd p{from_child[0], POLLIN, 0};
            if (poll(&p, 1, 20000) <= 0) return false;
            char buf[4096];
            ssize_t n = read(from_child[0], buf, sizeof buf);
            if (n <= 0) return false;
            seen.append(buf, (size_t)n);
        }
    };
    auto say = [&](const std::string& line) {
        return write(to_child[1], line.data(), line.size()) == (ssize_t)line.size();
    };
    EXPECT_TRUE(await("White to move> ")) << seen;
    EXPECT_TRUE(say("e2e4\n"));
    EXPECT_TRUE(await("Black to move> ")) << seen;
    EXPECT_NE(seen.find("\n1. e4\n"), std::string::npos) << seen;
    EXPECT_TRUE(say("quit\n"));
    close(to_child[1]);
    char buf[256];
    while (read(from_child[0], buf, sizeof buf) > 0) {
    }
    close(from_child[0]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace

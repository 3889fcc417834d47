// Whole games of the computer against itself, through the terminal tool and
// its engine thread, 3 plies deep as at the easy difficulty (make check-long,
// where the tool runs under the sanitizers).
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "cli.h"
#include "cli_runner.h"
#include "test_util.h"
#include "tamzor.h"
#include "movegen/movegen.h"

namespace {

// The last position a run printed: from its board's first line to the game's result.
std::string LastBoard(const std::string& out) {
    size_t at = out.rfind(" chess, ");
    if (at == std::string::npos || at < 2) return "";
    at -= 2;
    size_t end = out.find("Game over", at);
    return out.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// Twenty games from distinct random openings of four plies: each ends by the
// rules, never given up with moves left, and its own move texts (saved and
// restored, or written as PGN and read back) give the position it ended in.
void PlayGames(int dmode) {
    const std::string kind = dmode == 2 ? " --2d" : " --3d";
    std::set<std::string> openings;
    for (unsigned seed = 0; openings.size() < 20; seed++) {
        CLI_OPTIONS_T opt;
        opt.dmode = dmode;
        ASSERT_TRUE(SetUpGame(opt));
        std::mt19937 rng(seed);
        std::string opening, error;
        for (int ply = 0; ply < 4; ply++) {
            const auto moves = LegalMoveTexts(&state.position);
            if (moves.empty()) break;
            const std::string token = moves[rng() % moves.size()].token;
            if (!PlayMoves(token, &error)) break;
            opening += (opening.empty() ? "" : " ") + token;
        }
        if (!openings.insert(opening).second) continue;
        SCOPED_TRACE(std::to_string(dmode) + "D game from " + opening);
        RUN_T r = RunTool("play" + kind + " --computer both --depth 3 --moves \"" + opening + "\" </dev/null");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ((r.out + r.err).find("Panic"), std::string::npos) << r.out << r.err;
        const size_t over = r.out.rfind("\nGame over: ");
        ASSERT_NE(over, std::string::npos) << r.out.substr(r.out.size() > 2000 ? r.out.size() - 2000 : 0);
        const std::string tail = r.out.substr(over > 3000 ? over - 3000 : 0);
        int results = 0;
        for (const char* text : {"White is mated", "Black is mated", "Stalemate", "Draw - I'm repeating",
                                 "Draw - insufficient material", "Draw - the game record is full",
                                 "Draw - fifty moves"})
            results += r.out.find(std::string("\n") + text + "\n") != std::string::npos;
        EXPECT_GT(results, 0) << tail;
        EXPECT_EQ(r.out.find("TamzorLoses"), std::string::npos) << tail;
        // the record lines: "N. move" and "N. ... move"
        std::string texts;
        for (size_t at = r.out.find('\n'); at != std::string::npos; at = r.out.find('\n', at + 1)) {
            size_t i = at + 1;
            while (i < r.out.size() && isdigit((unsigned char)r.out[i])) i++;
            if (!(i > at + 1 && r.out.compare(i, 2, ". ") == 0)) continue;
            i += r.out.compare(i + 2, 4, "... ") == 0 ? 6 : 2;
            texts += (texts.empty() ? "" : " ") + r.out.substr(i, r.out.find('\n', i) - i);
        }
        const SCRATCH_DIR_T scratch("tamzor_selfplay_");
        ASSERT_FALSE(scratch.path.empty());
        RUN_T saved = RunTool("save" + kind + " --moves \"" + texts + "\" </dev/null", scratch.path);
        EXPECT_EQ(saved.status, 0) << saved.err << " replaying " << texts;
        EXPECT_EQ(LastBoard(RunTool("restore </dev/null", scratch.path).out), LastBoard(r.out)) << texts;
        RUN_T pgn = RunTool("restore --write-pgn > game.pgn", scratch.path);
        EXPECT_EQ(pgn.status, 0) << pgn.err;
        RUN_T board = RunTool("board --pgn game.pgn", scratch.path);
        EXPECT_EQ(board.status, 0) << board.err;
        EXPECT_EQ(LastBoard(board.out + "Game over"), LastBoard(r.out)) << texts;
    }
}

TEST(SelfPlay, TwentyGamesOf2DChessEndByTheRules) {
    SKIP_UNLESS_LONG();
    PlayGames(2);
}

TEST(SelfPlay, TwentyGamesOf3DChessEndByTheRules) {
    SKIP_UNLESS_LONG();
    PlayGames(3);
}

}  // namespace

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

// A few random plies from the start, so that no two games are alike.
std::string RandomOpening(int dmode, unsigned seed) {
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    EXPECT_TRUE(SetUpGame(opt));
    std::mt19937 rng(seed);
    std::string line;
    for (int ply = 0; ply < 4; ply++) {
        const auto moves = LegalMoveTexts(&state.position);
        if (moves.empty()) break;
        const std::string token = moves[rng() % moves.size()].token;
        std::string error;
        if (!PlayMoves(token, &error)) break;
        line += (line.empty() ? "" : " ") + token;
    }
    return line;
}

// The texts a game may end with: mate, stalemate, a repetition, too little
// material, or the full record.
const char* const RESULTS[] = {"White is mated",     "Black is mated",
                               "Stalemate",          "Draw - I'm repeating",
                               "Draw - insufficient material", "Draw - the game record is full",
                               "Draw - fifty moves"};

// The last position a run printed: from its board's first line to the
// game's result.
std::string LastBoard(const std::string& out) {
    size_t at = out.rfind(" chess, ");
    if (at == std::string::npos || at < 2) return "";
    at -= 2;
    size_t end = out.find("Game over", at);
    return out.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

void PlayGames(int dmode) {
    std::set<std::string> openings;
    for (unsigned game = 0; openings.size() < 20; game++) {
        const std::string opening = RandomOpening(dmode, game);
        if (!openings.insert(opening).second) continue;
        RUN_T r = RunTool(std::string("play --") + (dmode == 2 ? "2d" : "3d") +
                          " --computer both --depth 3 --moves \"" + opening +
                          "\" </dev/null");
        SCOPED_TRACE(std::to_string(dmode) + "D game from " + opening);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.find("Panic"), std::string::npos) << r.out;
        EXPECT_EQ(r.err.find("Panic"), std::string::npos) << r.err;
        const size_t over = r.out.rfind("\nGame over: ");
        ASSERT_NE(over, std::string::npos) << r.out.substr(r.out.size() > 2000 ? r.out.size() - 2000 : 0);
        const char* result = nullptr;
        for (const char* text : RESULTS)
            if (r.out.find(std::string("\n") + text + "\n") != std::string::npos) result = text;
        EXPECT_NE(result, nullptr) << r.out.substr(over > 3000 ? over - 3000 : 0);
        // the computer never gives up a game that has moves left
        EXPECT_EQ(r.out.find("TamzorLoses"), std::string::npos) << r.out.substr(over > 3000 ? over - 3000 : 0);
        // the record lines: "N. move" and "N. ... move"
        size_t plies = 0;
        std::string texts;
        for (size_t at = r.out.find('\n'); at != std::string::npos; at = r.out.find('\n', at + 1)) {
            size_t i = at + 1;
            while (i < r.out.size() && isdigit((unsigned char)r.out[i])) i++;
            if (!(i > at + 1 && r.out.compare(i, 2, ". ") == 0)) continue;
            plies++;
            i += 2;
            if (r.out.compare(i, 4, "... ") == 0) i += 4;
            texts += (texts.empty() ? "" : " ") + r.out.substr(i, r.out.find('\n', i) - i);
        }
        // the game's own texts, played again as a person enters them, give
        // the position the game ended in
        const SCRATCH_DIR_T scratch("tamzor_selfplay_");
        const std::string& dir = scratch.path;
        ASSERT_FALSE(dir.empty());
        const std::string kind = dmode == 2 ? " --2d" : " --3d";
        RUN_T saved = RunTool("save" + kind + " --moves \"" + texts + "\" </dev/null", dir);
        EXPECT_EQ(saved.status, 0) << saved.err << " replaying " << texts;
        RUN_T restored = RunTool("restore </dev/null", dir);
        EXPECT_EQ(LastBoard(restored.out), LastBoard(r.out)) << texts;
        // and written as PGN, read back to the same position
        RUN_T pgn = RunTool("restore --write-pgn > game.pgn", dir);
        EXPECT_EQ(pgn.status, 0) << pgn.err;
        RUN_T board = RunTool("board --pgn game.pgn", dir);
        EXPECT_EQ(board.status, 0) << board.err;
        EXPECT_EQ(LastBoard(board.out + "Game over"), LastBoard(r.out)) << texts;
        printf("%dD game %zu from %s: %zu plies, %s\n", dmode, openings.size(), opening.c_str(), plies,
               result ? result : "no result");
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

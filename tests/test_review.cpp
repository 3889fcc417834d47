// Game review: marks by what a move lost, softened where the game is
// decided; known blunders found with the better move (both games); the
// game left as it was; cancellation; the terminal tool's annotated PGN,
// read back by our reader and an outside one.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli.h"
#include "cli_runner.h"
#include "search/review.h"
#include "test_util.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"

namespace {

constexpr ETYPE_T PAWN = 10052;
constexpr ETYPE_T MATE_IN_1 = 399999, MATE_IN_3 = 399995, MATE_IN_5 = 399991;

void NewGame(int dmode, const std::string& moves) {
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    ASSERT_TRUE(SetUpGame(opt));
    StoreShared(state.tamzor, TAMZOR_OFF);
    hash_c.HashReset();
    std::string error;
    testing::internal::CaptureStdout();
    const bool played = PlayUserMoves(moves, &error);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(played) << error;
}

GAME_REVIEW_T Review(int plies_deep) {
    REVIEW_OPTIONS_T o;
    o.seconds = 0;
    o.maxdepth = plies_deep + 1;
    GAME_REVIEW_T r;
    testing::internal::CaptureStdout();
    ReviewGame(o, &r);
    testing::internal::GetCapturedStdout();
    return r;
}

TEST(ReviewMarks, GrowWithTheLossAndSoftenWhereTheGameIsDecided) {
    // marks never shrink as the loss grows, and the three steps are where a
    // player expects them
    REVIEW_MARK_T last = MARK_NONE;
    for (double loss = 0; loss < 10; loss += 0.05) {
        const REVIEW_MARK_T m = MarkForLoss(loss);
        EXPECT_GE(m, last) << loss;
        last = m;
    }
    EXPECT_EQ(MarkForLoss(0.4), MARK_NONE);
    EXPECT_EQ(MarkForLoss(0.6), MARK_INACCURACY);
    EXPECT_EQ(MarkForLoss(1.2), MARK_MISTAKE);
    EXPECT_EQ(MarkForLoss(2.5), MARK_BLUNDER);
    // the same drop of value counts less the further the game is from even,
    // never more than the drop, and nothing is lost by a gain
    for (int drop = 1; drop <= 12; drop++) {
        double previous = 1e9;
        for (int from = 0; from <= 20; from++) {
            const double loss = ReviewLoss((from + drop) * PAWN, from * PAWN);
            EXPECT_LE(loss, drop + 1e-9);
            EXPECT_LE(loss, previous + 1e-9) << from << " " << drop;
            EXPECT_DOUBLE_EQ(loss, ReviewLoss(-from * PAWN, -(from + drop) * PAWN));
            EXPECT_EQ(ReviewLoss(from * PAWN, (from + drop) * PAWN), 0);
            previous = loss;
        }
    }
    // a queen thrown away from an even game is a blunder; from far ahead,
    // still winning after it, it is not
    EXPECT_EQ(MarkForLoss(ReviewLoss(0, -9 * PAWN)), MARK_BLUNDER);
    EXPECT_LT(MarkForLoss(ReviewLoss(18 * PAWN, 9 * PAWN)), MARK_MISTAKE);
    // a mate kept, if slower, loses nothing; a mate given away for an even game is a blunder
    EXPECT_EQ(ReviewLoss(MATE_IN_3, MATE_IN_5), 0);
    EXPECT_EQ(MarkForLoss(ReviewLoss(MATE_IN_1, 0)), MARK_BLUNDER);
    EXPECT_EQ(MarkForLoss(ReviewLoss(0, -MATE_IN_1)), MARK_BLUNDER);
    EXPECT_EQ(EvalText(3518), "+0.35");
    EXPECT_EQ(EvalText(-12062), "-1.20");
    EXPECT_EQ(EvalText(MATE_IN_3), "#3");
    EXPECT_EQ(EvalText(-(MATE_IN_1 - 1)), "#-1");
    EXPECT_STREQ(MarkText(MARK_BLUNDER), "??");
    EXPECT_EQ(MarkNag(MARK_INACCURACY), 6);
}

TEST(Review, FindsAQueenLeftEnPriseAndLeavesTheGameAsItWas) {
    // 1. e4 d5 2. Qg4?? Bxg4: the bishop takes the queen
    NewGame(2, "e2e4 d7d5 d1g4 c8g4");
    static STATE_T before;
    before = state;
    const std::string pgn_before = PgnText(PGN_TAGS_T());
    ForgetReview();
    GAME_REVIEW_T r = Review(4);
    EXPECT_EQ(memcmp(&before.position, &state.position, sizeof state.position), 0);
    EXPECT_EQ(memcmp(before.game_record, state.game_record, sizeof state.game_record), 0);
    EXPECT_EQ(memcmp(before.hash_list, state.hash_list, sizeof state.hash_list), 0);
    EXPECT_EQ(LoadShared(state.tamzor), TAMZOR_OFF);
    EXPECT_EQ(LoadShared(state.maxdepth), LoadShared(before.maxdepth));
    ASSERT_EQ(r.plies.size(), 4u);
    EXPECT_EQ(r.plies[2].mark, MARK_BLUNDER);
    ASSERT_FALSE(r.plies[2].better.empty());
    EXPECT_NE(MoveToken(r.plies[2].better.front()), "d1g4");
    // the better line is written whole: a text for each of its moves
    EXPECT_GE(r.plies[2].better.size(), 2u);
    std::istringstream words(r.plies[2].line_note);
    size_t texts = 0;
    for (std::string w; words >> w;) texts += w.back() != '.';
    EXPECT_EQ(texts, r.plies[2].better.size()) << r.plies[2].line_note;
    // the capture, and the sound opening moves, are not marked
    for (int ply : {0, 1, 3}) EXPECT_EQ(r.plies[ply].mark, MARK_NONE) << ply;

    KeepReview(r);
    EXPECT_STREQ(ReviewMarkOfPly(2), "??");
    const std::string note = ReviewNote(2);
    EXPECT_EQ(note.rfind("2. Qg4?? lost ", 0), 0u) << note;
    EXPECT_NE(note.find(": better 2. "), std::string::npos) << note;
    // the PGN carries the mark, a value after every move and the better line
    const std::string pgn = PgnText(PGN_TAGS_T());
    EXPECT_NE(pgn.find("Qg4 $4 {[%eval "), std::string::npos) << pgn;
    EXPECT_NE(pgn.find("(2. "), std::string::npos) << pgn;
    PGN_GAME_T g;
    std::string error;
    ASSERT_TRUE(PgnParse(pgn, 1, &g, &error)) << error;
    ASSERT_EQ(g.moves.size(), 4u);
    EXPECT_EQ(g.moves[2].text, "Qg4");
    // a game that went another way keeps the review of the moves they share
    NewGame(2, "e2e4 d7d5 e4d5");
    EXPECT_STREQ(ReviewMarkOfPly(2), "");
    const std::string other = PgnText(PGN_TAGS_T());
    EXPECT_NE(other.find("1. e4 {[%eval "), std::string::npos) << other;
    EXPECT_NE(other.find("exd5 *"), std::string::npos) << other;
    ForgetReview();
    NewGame(2, "e2e4 d7d5 d1g4 c8g4");
    const size_t moves = pgn_before.find("\n\n");
    EXPECT_EQ(PgnText(PGN_TAGS_T()).substr(moves), pgn_before.substr(moves));
}

TEST(Review, MarksAMateThrownAwayIn3D) {
    // White mates in one; instead the queen goes where the black king takes it
    const std::string game =
        "[Variant \"3D\"]\n[Rules \"tdcl\"]\n[Board3D \"..........Q...............................K.....k..."
        "............ q1q6q3k6 wbwb w - -\"]\n\n*\n";
    std::string error;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(PgnLoadGame(game, 1, &error)) << error;
    StoreShared(state.tamzor, TAMZOR_OFF);
    const bool played = PlayUserMoves("b3f1 g1f1", &error);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(played) << error;
    ASSERT_EQ(state.position.move_num, 2);
    ASSERT_EQ(state.position.board[F1], B_KING) << "the king took the queen";
    hash_c.HashReset();
    GAME_REVIEW_T r = Review(4);
    ASSERT_EQ(r.plies.size(), 2u);
    EXPECT_EQ(r.plies[0].mark, MARK_BLUNDER);
    ASSERT_FALSE(r.plies[0].better.empty());
    // the better move mates
    POS_T start_pos = state.oeb.pos_0, mated;
    MOVE_T better = r.plies[0].better.front();
    CreatePBoard(&start_pos);
    UpdateMaps(&start_pos);
    ASSERT_TRUE(ListedMove(&start_pos, &better));
    ASSERT_TRUE(DoMove(&mated, &start_pos, &better));
    EXPECT_TRUE(IsCheckmate(&mated)) << MoveToken(better);
}

TEST(Review, StopsWhenCancelledAndKeepsNothing) {
    NewGame(2, "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6");
    std::atomic<bool> cancel{false};
    REVIEW_OPTIONS_T o;
    o.seconds = 30;  // far longer than the test waits
    o.cancel = &cancel;
    int calls = 0;
    o.progress = [&](int done, int total) {
        EXPECT_EQ(total, 7);
        EXPECT_EQ(done, calls++);
        if (done == 1) cancel = true;
    };
    o.maxdepth = 4;  // the first position is searched, then the review stops
    GAME_REVIEW_T r;
    r.plies.resize(3);
    EXPECT_FALSE(ReviewGame(o, &r));
    EXPECT_TRUE(r.plies.empty());
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(state.position.move_num, 6);
}

TEST(ReviewTool, WritesPgnThatReadersTakeAndRefusesBadOptions) {
    ASSERT_EQ(access("/usr/games/pgn-extract", X_OK), 0) << "pgn-extract is not installed";
    const SCRATCH_DIR_T scratch("tamzor_review_");
    const std::string opera = std::string(TAMZOR_SOURCE_DIR) + "/tests/data/opera.pgn";
    RUN_T r = RunTool("review --pgn " + opera + " --depth 3");
    ASSERT_EQ(r.status, 0) << r.err;
    // a line a position searched on a standard error that is no terminal,
    // then the summary a side
    const std::vector<std::string> err = Lines(r.err);
    ASSERT_GE(err.size(), 3u);
    EXPECT_EQ(err[0].rfind("reviewed 1/", 0), 0u) << r.err;
    EXPECT_EQ(err[err.size() - 2].rfind("White: ", 0), 0u) << r.err;
    EXPECT_EQ(err.back().rfind("Black: ", 0), 0u) << r.err;
    EXPECT_NE(r.out.find("{[%eval "), std::string::npos);
    // our reader: the same moves as the file's, every move but a mate with its value
    PGN_GAME_T ours, file;
    std::string error, text;
    ASSERT_TRUE(PgnParse(r.out, 1, &ours, &error)) << error;
    ASSERT_TRUE(ReadPgnFile(opera, &text, &error));
    ASSERT_TRUE(PgnParse(text, 1, &file, &error));
    ASSERT_EQ(ours.moves.size(), file.moves.size());
    size_t evals = 0;
    for (size_t at = 0; (at = r.out.find("[%eval", at)) != std::string::npos; at++) evals++;
    EXPECT_EQ(evals + (ours.moves.back().text.back() == '#' ? 1 : 0), file.moves.size());
    // the outside reader, without a complaint
    const std::string path = scratch.path + "/reviewed.pgn";
    std::ofstream(path) << r.out;
    const std::string outside = CommandOutput("/usr/games/pgn-extract " + path + " 2>&1");
    EXPECT_NE(outside.find("1 game matched out of 1."), std::string::npos) << outside;
    for (const char* complaint : {"rror", "llegal", "nknown", "ailed", "issing"})
        EXPECT_EQ(outside.find(complaint), std::string::npos) << outside;

    // on a terminal one bar of fixed width is redrawn in place, full at the end
    const std::string tty = CommandOutput("script -qec \"" + std::string(TAMZOR_CLI) +
                                          " review --2d --moves e2e4,e7e5,g1f3 --depth 2 2>&1 >/dev/null\" /dev/null");
    const std::regex bar("reviewing \\[([#.]*)\\] [0-9]+/[0-9]+");
    std::vector<std::string> bars;
    for (auto it = std::sregex_iterator(tty.begin(), tty.end(), bar); it != std::sregex_iterator(); ++it)
        bars.push_back((*it)[1]);
    ASSERT_GE(bars.size(), 2u) << tty;
    for (const std::string& b : bars) EXPECT_EQ(b.size(), 30u) << tty;
    EXPECT_EQ(bars.back(), std::string(30, '#'));

    ExpectRefused("review --2d --moves e2e4 --seconds 0", "'0'");
    ExpectRefused("review --2d --moves e2e4 --seconds x", "'x'");
    ExpectRefused("review --2d --moves e2e4 --seconds 1 --seconds 2", "--seconds");
    ExpectRefused("review --2d --moves e2e4 --seconds", "--seconds");
    ExpectRefused("review --2d", "no moves");
    ExpectRefused("review --pgn " + opera + " --game 9", "9");
}

}  // namespace

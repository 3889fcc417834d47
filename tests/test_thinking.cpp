// The hint and the computer's-thinking panel: the panel's texts, its main
// line (legal move by move, the score from White's side whoever searches),
// and the hint task beside the live game.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "cli.h"
#include "engine_game.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"
#include "search/thinking.h"
#include "viewlogic.h"

namespace {

using namespace std::chrono_literals;

TEST(ThinkingText, ScoresNodesLinesAndTheBar) {
    const ETYPE_T pawn = 10052;
    // less than a hundredth is no score; a mate in plies is told in moves
    for (auto [v, text] : std::vector<std::pair<ETYPE_T, const char*>>{
             {0, "+0.00"}, {pawn * 35 / 100 + 1, "+0.35"}, {-pawn * 12 / 10 - 1, "-1.20"}, {-pawn / 200, "+0.00"},
             {399999 - 1, "White mates in 1"}, {399999 - 5, "White mates in 3"}, {-(399999 - 3), "Black mates in 2"}})
        EXPECT_EQ(PanelScoreText(v), text) << v;
    for (auto [n, text] : {std::pair{850, "850 nodes/s"}, {12345, "12.3k nodes/s"}, {1250000, "1.25M nodes/s"}})
        EXPECT_EQ(NpsText(n), text);

    EXPECT_EQ(NumberedLine(12, false, {"Nf3", "Nc6", "Bb5"}), "12. Nf3 Nc6 13. Bb5");
    EXPECT_EQ(NumberedLine(12, true, {"Nc6", "Bb5", "a6"}), "12... Nc6 13. Bb5 a6");
    EXPECT_EQ(NumberedLine(1, true, {"e5"}), "1... e5");
    EXPECT_EQ(NumberedLine(3, false, {}), "");

    // even in the middle, White's share growing with White's score, clamped
    // at ten pawns, mates full
    EXPECT_DOUBLE_EQ(WhiteShare(0), 0.5);
    double last = -1;
    for (ETYPE_T v = -12 * pawn; v <= 12 * pawn; v += pawn / 2) {
        const double s = WhiteShare(v);
        EXPECT_GE(s, last);
        EXPECT_GE(s, 0.0);
        EXPECT_LE(s, 1.0);
        last = s;
    }
    for (auto [v, share] : {std::pair{10 * pawn, 1.0}, {-15 * pawn, 0.0}, {399999 - 7, 1.0}, {-(399999 - 7), 0.0}})
        EXPECT_DOUBLE_EQ(WhiteShare(v), share) << v;
    EXPECT_LT(WhiteShare(-pawn), 0.5);

    THINKING_T t;
    t.any = t.black_first = true;
    t.depth = 7;
    t.white_value = -pawn;
    t.nps = 2000;
    t.number = 5;
    t.line = {"Nf6", "Nc3"};
    const std::vector<std::string> lines = ThinkingPanelLines(t, false);
    ASSERT_EQ(lines.size(), 2u);
    for (const char* part : {"Depth 7", "-1.00", "2000 nodes/s"})
        EXPECT_NE(lines[0].find(part), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "5... Nf6 6. Nc3");
}

// Searches the live position as the engine thread reports to the panel.
THINKING_T SearchReported(double seconds) {
    static POS_T copy;
    copy = state.position;
    SEARCH_LIMITS_T limits;
    limits.seconds = seconds;
    MOVE_T move;
    ThinkingBegin(&copy);
    search_progress = ThinkingProgress;
    EngineSearch(&copy, &move, limits, nullptr);
    search_progress = nullptr;
    ThinkingEnd();
    return ThinkingNow();
}

// The line's texts read back one by one in a copy of the position: each a
// legal move there.
void ExpectLineReads(const THINKING_T& t, const char* what) {
    ASSERT_TRUE(t.any) << what;
    EXPECT_FALSE(t.running) << what;
    EXPECT_GE(t.depth, 1) << what;
    ASSERT_FALSE(t.line.empty()) << what;
    static POS_T b[2];
    b[0] = state.position;
    b[0].oldb = nullptr;
    EXPECT_EQ(t.root_hash, b[0].hash1) << what;
    EXPECT_EQ(t.number, MoveNumberOfPly(b[0].move_num)) << what;
    EXPECT_EQ(t.black_first, !IsWhitesMove(&b[0])) << what;
    for (size_t i = 0; i < t.line.size(); i++) {
        MOVE_T m;
        std::string error;
        ASSERT_TRUE(ReadMove(&b[i & 1], t.line[i], &m, &error)) << what << ": " << i << " " << t.line[i] << ": " << error;
        ASSERT_TRUE(DoMove(&b[(i + 1) & 1], &b[i & 1], &m)) << what << " " << t.line[i];
        b[(i + 1) & 1].oldb = nullptr;
    }
}

TEST(ThinkingFeed, MainLineIsLegalAndTheScoreIsWhites) {
    Clutch(0);
    StoreShared(state.maxdepth, DIFF_HARD);
    // each game from the start and after a few moves (Black to move)
    for (int dmode : {2, 3})
        for (int plies : {0, 3}) {
            NewEngineGame(dmode, RULES_TDCL, DIFF_HARD);
            for (int i = 0; i < plies; i++) {
                const std::vector<MOVE_TEXT_T> legal = LegalMoveTexts(&state.position);
                std::string error;
                ASSERT_TRUE(PlayMoves(legal.at(legal.size() / 2).token, &error)) << error;
            }
            const std::string what = std::to_string(dmode) + "D after " + std::to_string(plies);
            ExpectLineReads(SearchReported(0.5), what.c_str());
            EXPECT_EQ(state.position.move_num, plies);
        }
    // the score from White's side whoever is to move
    NewEngineGame(2, RULES_TDCL, DIFF_HARD);
    std::string error;
    ASSERT_TRUE(SetUpFen("4k3/8/8/8/8/8/8/QQ2K3 b - - 0 30", &error)) << error;
    THINKING_T t = SearchReported(0.3);
    ExpectLineReads(t, "White two queens up, Black to move");
    EXPECT_GT(t.white_value, 5 * 10052);
    EXPECT_EQ(NumberedLine(t.number, t.black_first, t.line).rfind("30... ", 0), 0u);
    ASSERT_TRUE(SetUpFen("qq2k3/8/8/8/8/8/8/4K3 w - - 0 1", &error)) << error;
    t = SearchReported(0.3);
    ExpectLineReads(t, "Black two queens up, White to move");
    EXPECT_LT(t.white_value, -5 * 10052);
}

// Waits until `done` holds (under the game lock) or 20 s pass.
template <typename F>
bool WaitFor(F done) {
    const auto end = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < end) {
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            if (done()) return true;
        }
        std::this_thread::sleep_for(5ms);
    }
    return false;
}

TEST(Hint, SearchesBesideTheGameAndIsDroppedWhenTheGameMoves) {
    for (int dmode : {2, 3}) {
        NewEngineGame(dmode);
        timers.timer_limit = 1;
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            StoreShared(state.tamzor, TAMZOR_BLACK);  // the player (White) is on move
            StoreShared(state.stop_search, 1);
            DropHint();
            info_string[0] = 0;
        }
        Clutch(1);
        uint64_t hash;
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            hash = state.position.hash1;
        }
        AskHint();
        EXPECT_STREQ(info_string, "Looking for a hint...");
        ASSERT_TRUE(WaitFor([] { return !hint.searching; })) << dmode;
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            EXPECT_TRUE(hint.shown) << dmode;
            MOVE_T m = hint.move;
            EXPECT_TRUE(ListedMove(&state.position, &m)) << dmode;
            EXPECT_NE(HintCells(&hint.move), 0u);
            // the text names the move as a player may type it
            ASSERT_EQ(strncmp(info_string, "Hint: ", 6), 0) << info_string;
            MOVE_T read;
            std::string error;
            EXPECT_TRUE(ReadMove(&state.position, info_string + 6, &read, &error)) << error;
            EXPECT_EQ(MoveToken(read), MoveToken(hint.move));
            // the game untouched
            EXPECT_EQ(state.position.move_num, 0);
            EXPECT_EQ(state.position.hash1, hash);
            EXPECT_EQ(LoadShared(state.tamzor), TAMZOR_BLACK);
        }
        // the game moves: the marks go
        WatchGame();
        EXPECT_TRUE(hint.shown);
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            StoreShared(state.tamzor, TAMZOR_OFF);
            std::string error;
            ASSERT_TRUE(PlayMoves(MoveToken(hint.move), &error)) << error;
        }
        WatchGame();
        EXPECT_FALSE(hint.shown);

        // a hint still searched when the player moves says nothing
        timers.timer_limit = 3;
        AskHint();
        ASSERT_TRUE(hint.searching);
        std::this_thread::sleep_for(100ms);
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            std::string error;
            const std::vector<MOVE_TEXT_T> legal = LegalMoveTexts(&state.position);
            ASSERT_FALSE(legal.empty());
            ASSERT_TRUE(PlayMoves(legal[0].token, &error)) << error;
        }
        const auto moved_at = std::chrono::steady_clock::now();
        WatchGame();
        EXPECT_FALSE(hint.searching);
        EXPECT_STREQ(info_string, "");
        ASSERT_TRUE(WaitFor([] { return !EngineTasksPending(); }));
        EXPECT_LT(std::chrono::steady_clock::now() - moved_at, 2500ms) << "the search was not cancelled";
        std::this_thread::sleep_for(50ms);
        EXPECT_FALSE(hint.shown);
        EXPECT_STREQ(info_string, "");
    }
    // none while the computer is on move, nor in a game that is over
    NewEngineGame(2);
    StoreShared(state.tamzor, TAMZOR_WHITE);
    StoreShared(state.stop_search, 1);
    Clutch(0);
    AskHint();
    EXPECT_STREQ(info_string, "No hint: it is Tamzor's move");
    StoreShared(state.tamzor, TAMZOR_OFF);
    state.position.winner = 1;
    AskHint();
    EXPECT_STREQ(info_string, "No hint: the game is over");
    EXPECT_FALSE(hint.searching);
    state.position.winner = 0;
}

}  // namespace

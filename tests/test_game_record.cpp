// The played game: results and their texts, undo, replay, the move list and
// the record's end.
#include <gtest/gtest.h>

#include <string>

#include "cli.h"
#include "test_util.h"
#include "movegen/movegen.h"
#include "position/position.h"

namespace {

// Plays a token as a user does, through PlayerMoved.
void PlayToken(const std::string& t) {
    MOVE_T m;
    std::string error;
    ASSERT_TRUE(MoveFromToken(&state.position, t, &m, &error)) << t << ": " << error;
    EXPECT_EQ(PlayerMoved(&state.position, &m), 1) << t;
}

// A game from the start (or a FEN) with the moves given as tokens. Returns what was printed.
std::string Play(int dmode, const std::vector<std::string>& tokens, const char* fen = nullptr) {
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    EXPECT_TRUE(SetUpGame(opt));
    std::string error;
    EXPECT_TRUE(!fen || SetUpFen(fen, &error)) << error;
    testing::internal::CaptureStdout();
    for (const std::string& t : tokens) PlayToken(t);
    return testing::internal::GetCapturedStdout();
}

// The result FindWinner gives for the move `token` in the current game.
std::string JudgeMove(const std::string& token, int* winner) {
    MOVE_T m;
    std::string error;
    EXPECT_TRUE(MoveFromToken(&state.position, token, &m, &error)) << error;
    testing::internal::CaptureStdout();
    const int r = FindWinner(&state.position, &m);
    *winner = r ? state.position.winner : 0;
    return testing::internal::GetCapturedStdout();
}

const std::vector<std::string> knights = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6",
                                          "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"};

TEST(GameRecord, LinesNumberTheMovesAndMarkCheckAndPromotion) {
    EXPECT_EQ(Play(2, {"e2e4", "e7e5", "g1f3"}), "\n1. e4\n1. ... e5\n2. Nf3");
    EXPECT_EQ(state.game_record[0].from, (SQ_T)E2);
    EXPECT_EQ(state.game_record[2].to, (SQ_T)F3);
    testing::internal::CaptureStdout();
    ListGame(false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n1. e4\n1. ... e5\n2. Nf3");
    // an illegal move changes nothing
    Play(2, {"e2e4"});
    const POS_T before = state.position;
    MOVE_T m;
    InitMove(&m, B_PAWN, E7, E4, INF_VALUE, '-', false);
    testing::internal::CaptureStdout();
    EXPECT_EQ(PlayerMoved(&state.position, &m), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(memcmp(before.board, state.position.board, sizeof before.board), 0);
    EXPECT_EQ(state.position.move_num, 1);
    std::string out = Play(2, {"b7b8n"}, "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_NE(out.find("b8N"), std::string::npos) << out;
    out = Play(2, {"b7b8q"}, "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_NE(out.find("b8Q+"), std::string::npos) << out;
    EXPECT_EQ(state.position.flags & 0x1800, 0u);
    // a check with a reply keeps its '+'
    Play(2, {"a1a8"}, "4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
    EXPECT_STREQ(GameListGet(1), "Ra8+");
}

// Every end: its text as the last move is judged, the winner, and its line for the move list.
TEST(Results, EachEndHasItsTextWinnerAndListLine) {
    const struct {
        const char* fen;
        std::vector<std::string> moves;
        const char *text, *line;
        int winner;
    } ends[] = {
        {nullptr, {"f2f3", "e7e5", "g2g4", "d8h4"}, "\nWhite is mated", "0-1 Black mates", -1},
        {"k7/8/1K6/8/8/8/8/2Q5 w - - 0 1", {"c1c7"}, "\nStalemate", "1/2-1/2 stalemate", 2},
        {"4k3/8/8/8/8/8/3r4/3BK3 w - - 0 1", {"e1d2"}, "\nDraw - insufficient material",
         "1/2-1/2 insufficient material", 2},
        {nullptr, knights, "\nDraw - I'm repeating", "1/2-1/2 repetition", 2},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 101 80", {"e1e2"}, "\nDraw - fifty moves", "1/2-1/2 fifty moves", 2},
    };
    for (const auto& e : ends) {
        SCOPED_TRACE(e.line);
        Play(2, std::vector<std::string>(e.moves.begin(), e.moves.end() - 1), e.fen);
        EXPECT_TRUE(NoMaterial(&state.position) == false);
        int winner;
        EXPECT_EQ(JudgeMove(e.moves.back(), &winner), e.text);
        EXPECT_EQ(winner, e.winner);
        Play(2, e.moves, e.fen);
        const char *text = nullptr, *line = nullptr;
        EXPECT_EQ(JudgeReached(&state.position, "\nDraw - I'm repeating", &text, &line), e.winner);
        EXPECT_STREQ(line, e.line);
        EXPECT_STREQ(text, e.text);
    }
    // the mating move is written with '#'; rebuilt to its end, as after a replay, the result stays
    const std::string out = Play(2, ends[0].moves);
    EXPECT_NE(out.find("\n2. ... Qh4#"), std::string::npos) << out;
    EXPECT_STREQ(GameListGet(4), "Qh4#");
    testing::internal::CaptureStdout();
    UndoMoves(0);
    EXPECT_EQ(state.position.winner, -1);
    EXPECT_STREQ(GameListGet(4), "Qh4#");
    UndoMoves(1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(state.position.winner, 0);
    // 3D: the rook steps to e9 and checks along rank 9 across the empty pins;
    // every flight square is covered and the king's board is boxed in
    Setup3D({ABW_QL4, ABW_QL6, ABW_QL5, ABW_KL6}, {{H1, W_KING}, {E7, W_QUEEN}, {D7, W_ROOK}, {A8, B_KING}});
    int winner;
    EXPECT_EQ(JudgeMove("d7d8", &winner), "\nBlack is mated");
    EXPECT_EQ(winner, 1);
    // a decided game is not judged again
    Play(2, {"e2e4"});
    state.position.winner = 1;
    testing::internal::CaptureStdout();
    EXPECT_EQ(FindWinner(&state.position, nullptr), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(state.position.winner, 1);
}

TEST(Results, RepetitionCountsOnlyTheSamePosition) {
    Play(2, std::vector<std::string>(knights.begin(), knights.end() - 1));
    // a position repeated before the move: the player to move repeated it
    POS_T* b = &state.position;
    EXPECT_EQ(CheckRepetition(b, 1), 1);
    EXPECT_EQ(CheckRepetition(b, 4), 0);
    b->fifty_count = 1;  // just after a capture nothing earlier counts
    EXPECT_EQ(CheckRepetition(b, 1), 0);
    b->fifty_count = 102;
    EXPECT_EQ(CheckRepetition(b, 1000), 1);
    // Empty boards walk round: the same men come back every four plies, with
    // the boards on other pins, until the fourth time, where all are home.
    Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6}, {{H1, W_KING}, {E2, W_PAWN}, {H8, B_KING}, {E7, B_PAWN}});
    testing::internal::CaptureStdout();
    for (const char* token : {"qlw@ql3", "qlb@ql4", "klw@kl3", "klb@kl4", "qlw@ql2", "qlb@ql5", "klw@kl2",
                              "klb@kl5", "qlw@ql1", "qlb@ql6", "klw@kl1"})
        PlayToken(token);
    testing::internal::GetCapturedStdout();
    int winner;
    EXPECT_EQ(JudgeMove("klb@kl6", &winner), "") << "three of the four were other positions";
    EXPECT_EQ(winner, 0);
    EXPECT_EQ(CheckRepetition(&state.position, 1), 0);
}

TEST(Undo, TakesBackMovesAndRebuildsTheStart) {
    Play(2, {"e2e4", "e7e5"});
    const uint64_t after_two = state.position.hash1;
    Play(2, {"e2e4", "e7e5", "g1f3", "b8c6"});
    testing::internal::CaptureStdout();
    UndoMoves(2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nmove undone");
    EXPECT_EQ(state.position.move_num, 2);
    EXPECT_EQ(state.position.hash1, after_two);
    EXPECT_EQ(state.tamzor, TAMZOR_OFF);
    testing::internal::CaptureStdout();
    UndoMoves(50);  // more than were played: the start
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(state.position.move_num, 0);
    EXPECT_EQ(state.position.board[E2], W_PAWN);
}

TEST(Replay, StepsThroughTheGameFromItsStartAndComesBack) {
    Play(2, {"e2e4", "e7e5", "g1f3"});
    uint64_t end_key = state.position.hash1;
    ReplayMoves(0);
    EXPECT_EQ(replay, 3);
    ReplayMoves(-200);
    EXPECT_EQ(replay, 0);
    EXPECT_EQ(state.position.board[E2], W_PAWN);
    EXPECT_EQ(state.position.move_num, 3);  // the game's length stays
    ReplayMoves(1);
    EXPECT_EQ(state.position.board[E4], W_PAWN);
    ReplayMoves(200);
    EXPECT_EQ(replay, 3);
    ReplayExit();
    EXPECT_EQ(replay, -1);
    EXPECT_EQ(state.position.hash1, end_key);
    // a game from an edited start replays from that start
    Play(2, {"e1e2", "e8d8", "e2d3"}, "4k3/8/8/8/8/8/8/4K2R w - - 0 1");
    end_key = state.position.hash1;
    ReplayMoves(0);
    ReplayMoves(-200);
    EXPECT_EQ(state.position.board[E1], W_KING);
    EXPECT_EQ(state.position.board[H1], W_ROOK);
    EXPECT_EQ(state.position.board[D1], 0);
    ReplayExit();
    EXPECT_EQ(state.position.hash1, end_key);
    testing::internal::CaptureStdout();
    UndoMoves(1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(state.position.board[E2], W_KING);
}

TEST(GameRecord, AGameThatFillsTheRecordEndsDrawn) {
    // knights back and forth; PlayerMoved alone does not judge repetitions
    Play(2, {});
    testing::internal::CaptureStdout();
    for (int ply = 0; ply < GAME_MAX_PLIES; ply++) PlayToken(knights[ply % 4]);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Draw - the game record is full"), std::string::npos);
    EXPECT_EQ(state.position.winner, 2);
    MOVE_T m;
    std::string error;
    ASSERT_TRUE(MoveFromToken(&state.position, knights[0], &m, &error));
    EXPECT_EQ(PlayerMoved(&state.position, &m), 0);  // nothing is written past the record
    EXPECT_STRNE(GameListGet(GAME_MAX_PLIES), "");
}

}  // namespace

// The window program's input logic that needs no display.
#include <gtest/gtest.h>

#include "cli.h"
#include "viewlogic.h"

namespace {
void NewGame(int dmode) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    NewGameState(dmode);
}
}  // namespace

TEST(PickNames, FirstRecordWithTwoNamesDecides) {
    // records: {names, zmin, zmax, names...}
    const unsigned int cell[] = {1, 0, 0, 7, 2, 0, 0, 3, 5, 2, 0, 0, 6, 1};
    EXPECT_EQ(DecodePickHits(cell, 3, false), 3u * 8 + 5);
    const unsigned int post[] = {2, 0, 0, 2, 116};
    EXPECT_EQ(DecodePickHits(post, 1, false), (SQ_T)AB_KLW);
    const unsigned int none[] = {1, 0, 0, 4};
    EXPECT_EQ(DecodePickHits(none, 1, false), NO_SQUARE);
    EXPECT_EQ(DecodePickHits(none, 0, false), NO_SQUARE);
}

TEST(MouseMoves, CastlingIsRecognisedFromRightsAndTarget2D) {
    NewGame(2);
    POS_T b = state.position;
    EXPECT_EQ(MouseMoveSymbol(&b, 2, W_KING, G1), 'S');
    EXPECT_EQ(MouseMoveSymbol(&b, 2, W_KING, C1), 'L');
    EXPECT_EQ(MouseMoveSymbol(&b, 2, B_KING, G8), 'S');
    EXPECT_EQ(MouseMoveSymbol(&b, 2, B_KING, C8), 'L');
    EXPECT_EQ(MouseMoveSymbol(&b, 2, W_KING, F2), 'x');   // own pawn there: a capture as typed
    EXPECT_EQ(MouseMoveSymbol(&b, 2, W_QUEEN, C1), 'x');
    b.flags &= ~(uint64_t)FLAG_WK_CASTLE;
    b.board[G1] = 0;
    EXPECT_EQ(MouseMoveSymbol(&b, 2, W_KING, G1), '-');
}

TEST(MouseMoves, CastlingIsRecognisedFromRightsAndTarget3D) {
    NewGame(3);
    POS_T b = state.position;
    EXPECT_EQ(MouseMoveSymbol(&b, 3, W_KING, D1), 'S');  // onto the own rook
    EXPECT_EQ(MouseMoveSymbol(&b, 3, W_KING, B1), 'L');
    EXPECT_EQ(MouseMoveSymbol(&b, 3, B_KING, D8), 'S');
    EXPECT_EQ(MouseMoveSymbol(&b, 3, B_KING, B8), 'L');
    EXPECT_EQ(MouseMoveSymbol(&b, 3, W_KING, C2), 'x');
    b.flags = 0;
    EXPECT_EQ(MouseMoveSymbol(&b, 3, W_KING, D1), 'x');
}

TEST(MouseMoves, BuildsTheMoveOfTwoClicks) {
    NewGame(2);
    MOVE_T m;
    ASSERT_TRUE(BuildMouseMove(&state.position, 2, E2, E4, &m));
    EXPECT_EQ(m.from, (SQ_T)E2);
    EXPECT_EQ(m.to, (SQ_T)E4);
    EXPECT_EQ(m.piece_moving, W_PAWN);
    EXPECT_EQ(m.v, INF_VALUE);
    EXPECT_EQ(m.move_symbol, '-');
    EXPECT_EQ(m.check, 0);
    EXPECT_FALSE(BuildMouseMove(&state.position, 2, E4, E5, &m));
    NewGame(3);
    BuildBoardMove(&state.position, AB_KLB, ABW_KL5, &m);
    EXPECT_EQ(m.piece_moving, AB_KLB);
    EXPECT_EQ(m.from, (SQ_T)ABW_KL6);
    EXPECT_EQ(m.to, (SQ_T)ABW_KL5);
    EXPECT_EQ(m.move_symbol, 'T');
}

TEST(MenuMarks, CurrentValueInCapitalsOrArrow) {
    char out[32];
    EXPECT_STREQ(MarkedLabel("plays black", true, false, out, sizeof out), "PLAYS BLACK");
    EXPECT_STREQ(MarkedLabel("plays black", false, false, out, sizeof out), "plays black");
    EXPECT_STREQ(MarkedLabel(" 5s", true, true, out, sizeof out), ">5s");
    EXPECT_STREQ(MarkedLabel(" 1m", false, true, out, sizeof out), " 1m");
    EXPECT_STREQ(MarkedLabel("tdcl", true, false, out, sizeof out), "TDCL");
}

TEST(MenuMarks, OutOfRangeSettingsAreNormalised) {
    NewGame(3);
    StoreShared(state.maxdepth, 7);
    StoreShared(state.rules, 0);
    StoreShared(state.notation, 5);
    state.spread = 9;
    timers.timer_limit = 7;
    menu_mesh_pieces = 3;
    testing::internal::CaptureStderr();
    StoreShared(state.tamzor, 5);
    NormaliseMenuSettings();
    std::string out = testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find("DoComputerMenu error"), std::string::npos);
    EXPECT_EQ(state.tamzor, TAMZOR_OFF);
    EXPECT_EQ(state.maxdepth, DIFF_EASY);
    EXPECT_EQ(state.rules, RULES_TDCL);
    EXPECT_EQ(state.notation, NOTATION_STANDARD);
    EXPECT_EQ(state.spread, SPREAD_OFF);
    EXPECT_EQ(timers.timer_limit.load(), 5u);
    EXPECT_EQ(menu_mesh_pieces, 0);
    StoreShared(state.maxdepth, DIFF_HARD);
}

TEST(BoardEditing, NoSquareOnlyClearsTheOption) {
    NewGame(2);
    POS_T before = state.position;
    editing_option = 12;
    EXPECT_EQ(GotEditingSquare(NO_SQUARE), 0);
    EXPECT_EQ(editing_option, 0);
    EXPECT_EQ(memcmp(before.board, state.position.board, sizeof before.board), 0);
    EXPECT_EQ(state.oeb.inited, 0);
}

TEST(BoardEditing, AddsAndRemovesPiecesAndKeepsTheStart) {
    NewGame(2);
    editing_option = 15;  // a white queen
    testing::internal::CaptureStdout();
    EXPECT_EQ(GotEditingSquare(E4), 1);
    editing_option = 10;  // a black king
    EXPECT_EQ(GotEditingSquare(A5), 1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\nset white Q at 35"), std::string::npos) << out;
    EXPECT_NE(out.find("\nset black K at 4"), std::string::npos) << out;
    EXPECT_EQ(state.position.board[E4], W_QUEEN);
    EXPECT_EQ(state.position.board[A5], B_KING);
    EXPECT_EQ(editing_option, 0);
    EXPECT_EQ(state.oeb.inited, 1);
    EXPECT_EQ(state.oeb.pos_0.board[E4], W_QUEEN);
    editing_option = 1;
    testing::internal::CaptureStdout();
    EXPECT_EQ(GotEditingSquare(E4), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(state.position.board[E4], 0);
    bool slot_left = false;
    for (const PS_T& s : state.position.pieces)
        if (s.p == W_QUEEN && s.pos == E4) slot_left = true;
    EXPECT_FALSE(slot_left);
}

// An edit that takes away the pawn of a double step takes its en passant
// square too; one elsewhere leaves it.
TEST(BoardEditing, TheEnPassantSquareGoesWithItsPawn) {
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    ASSERT_TRUE(SetUpGame(opt));
    std::string error;
    ASSERT_TRUE(SetUpFen("4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1", &error)) << error;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(PlayMoves("e2e4", &error)) << error;
    editing_option = 15;  // a white queen, far away
    EXPECT_EQ(GotEditingSquare(A1), 1);
    EXPECT_EQ(state.position.enpassant, (SQ_T)E3);
    editing_option = 1;
    EXPECT_EQ(GotEditingSquare(E4), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(state.position.enpassant, 0u);
    EXPECT_EQ(state.oeb.pos_0.enpassant, 0u);
    for (const MOVE_TEXT_T& m : LegalMoveTexts(&state.position)) EXPECT_NE(m.move.to, (SQ_T)E3) << m.token;
}

TEST(KKey, MovesToTheNextFreePinAndWraps) {
    NewGame(3);
    POS_T* b = &state.position;
    testing::internal::CaptureStdout();
    // QL1 -> QL2 (free)
    EXPECT_EQ(KeyPinCycle(b, 0), ABW_QL2);
    // QL6 -> KL1 is taken -> KL2
    EXPECT_EQ(KeyPinCycle(b, 1), ABW_KL2);
    // KL6 -> wraps to QL1, free now
    EXPECT_EQ(KeyPinCycle(b, 3), ABW_QL1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\nj=1 k=6\nj=1 k=7"), std::string::npos) << out;
    EXPECT_NE(out.find("\nj=3 k=0"), std::string::npos) << out;
    EXPECT_EQ(b->whereis_board[0], ABW_QL2);
    EXPECT_EQ(b->whereis_board[1], ABW_KL2);
    EXPECT_EQ(b->whereis_board[3], ABW_QL1);
}

TEST(MouseMoves, FlagIsTheCoresPromotionFlag) {
    *MouseSelectedMove() = 1;
    EXPECT_EQ(msm, 1);
    *MouseSelectedMove() = 0;
    EXPECT_EQ(msm, 0);
}

TEST(Promotion, WithoutTheMessageBoxAQueenAndTheGameGoesOn) {
    // no display to show the box on
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    CORE_HOOKS_T saved = core_hooks;
    core_hooks.ask_promotion = AskPromotion;
    MOVE_T m;
    InitMove(&m, W_PAWN, A7, A8, INF_VALUE, '-', false);
    *MouseSelectedMove() = 1;
    testing::internal::CaptureStdout();
    const int kind = GetPromotedPiece(&m);
    std::string out = testing::internal::GetCapturedStdout();
    *MouseSelectedMove() = 0;
    core_hooks = saved;
    EXPECT_EQ(kind, 5);
    EXPECT_EQ(m.move_symbol, 'Q');
    EXPECT_NE(out.find("\npromotion: no message box"), std::string::npos) << out;
}

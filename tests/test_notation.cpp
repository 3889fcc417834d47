// Names of squares, cells and pins in the three notation styles.
#include <gtest/gtest.h>

#include <string>

#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "shell/shell.h"

namespace {

std::string Name(SQ_T sq) { return PosStr(&state.position, sq); }

TEST(Notation, TwoDimensionalNames) {
    ASSERT_TRUE(NewGameState(2));
    EXPECT_EQ(Name(E4), "e4");
    EXPECT_EQ(Name(A1), "a1");
    EXPECT_EQ(Name(H8), "h8");
    EXPECT_EQ(posstr3D(&state.position, E4), nullptr);
}

TEST(Notation, StartCellsInEachStyle) {
    ASSERT_TRUE(NewGameState(3));
    state.notation = NOTATION_ZARVIC;
    EXPECT_EQ(Name(B1), "a0");
    EXPECT_EQ(Name(D1), "e0");
    EXPECT_EQ(Name(E2), "a2");
    EXPECT_EQ(Name(A3), "a3");
    EXPECT_EQ(Name(B2), "a1");
    EXPECT_EQ(Name(A1), "z0");
    state.notation = NOTATION_STANDARD;
    EXPECT_EQ(Name(E2), "b2");
    EXPECT_EQ(Name(A3), "b3");
    EXPECT_EQ(Name(D1), "f0");
    EXPECT_EQ(Name(B2), "b1");
    state.notation = 7;
    EXPECT_EQ(PosStr(&state.position, E2), nullptr);
}

TEST(Notation, EveryCellOfAPlacementHasItsOwnName) {
    ASSERT_TRUE(NewGameState(3));
    for (int style : {0, 1}) {
        state.notation = style;
        for (const auto& pins : AllPlacements()) {
            // skip most placements; the pattern of names only depends on the pins
            if ((pins[0] * 7 + pins[1] * 3 + pins[2] + pins[3]) % 53) continue;
            for (int i = 0; i < 4; i++) state.position.whereis_board[i] = pins[i];
            std::set<std::string> names;
            for (SQ_T sq = 0; sq < 64; sq++) {
                std::string n = Name(sq);
                ASSERT_EQ(n.size(), 2u);
                names.insert(n + std::to_string(GetLevel(&state.position, sq)));
            }
            ASSERT_EQ(names.size(), 64u);
        }
    }
}

TEST(Notation, KingsLineBlackBoardRightColumn) {
    ASSERT_TRUE(NewGameState(3));
    state.notation = NOTATION_ZARVIC;
    EXPECT_EQ(Name(D8), "e9");
    EXPECT_EQ(Name(D7), "e8");
    EXPECT_EQ(Name(C8), "d9");
    state.notation = NOTATION_STANDARD;
    EXPECT_EQ(Name(D8), "f9");
    EXPECT_EQ(Name(C7), "e8");
}

TEST(Notation, RotatingBuffersHoldThreeEarlierResults) {
    ASSERT_TRUE(NewGameState(2));
    char* a = PosStr(&state.position, A1);
    char* b = PosStr(&state.position, B2);
    char* c = PosStr(&state.position, C3);
    char* d = PosStr(&state.position, D4);
    EXPECT_STREQ(a, "a1");
    EXPECT_STREQ(b, "b2");
    EXPECT_STREQ(c, "c3");
    EXPECT_STREQ(d, "d4");
}

TEST(Notation, PinNames) {
    ASSERT_TRUE(NewGameState(3));
    POS_T* b = &state.position;
    EXPECT_STREQ(GetAttackBoardString(b), "q1q6k1k6");
    EXPECT_STREQ(GetShortABStr(ABW_KL4), "k4");
    EXPECT_STREQ(GetShortABStr(17), "??");
    state.notation = NOTATION_ALGEBRAIC;
    EXPECT_STREQ(GetABString(b, ABW_QL3), "Q3");
    EXPECT_STREQ(GetABStringBySquare(b, B8), "Q6");
    state.notation = NOTATION_STANDARD;
    EXPECT_STREQ(GetABString(b, ABW_KL5), "KL5");
    EXPECT_STREQ(GetABStringBySquare(b, D2), "KL1");
    EXPECT_STREQ(GetABStringBySquare(b, ABW_KL6), "KL6");  // a pin finds its board
    testing::internal::CaptureStderr();
    EXPECT_EQ(GetABString(b, 17), nullptr);
    EXPECT_STREQ(GetABStringBySquare(b, ABW_QL3), "KL6");  // no board there: board 3
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Panic: Can't find AB string!1\nPanic: Non-AB for string @ GetABString!\n");
}

TEST(Notation, AttackCellNamesFollowTheBoard) {
    ASSERT_TRUE(NewGameState(3));
    state.notation = NOTATION_ZARVIC;
    state.position.whereis_board[0] = ABW_QL3;
    EXPECT_EQ(Name(A1), "z2");
    EXPECT_EQ(Name(B2), "a3");
    state.position.whereis_board[0] = ABW_KL4;
    EXPECT_EQ(Name(A1), "d6");
    EXPECT_EQ(Name(B2), "e7");
}

}  // namespace

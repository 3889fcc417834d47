// Names of squares, cells and pins in the three notation styles.
#include <gtest/gtest.h>

#include <string>

#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "shell/shell.h"

namespace {

std::string Name(SQ_T sq) { return PosStr(&state.position, sq); }

TEST(Notation, CellNamesInEachStyle) {
    ASSERT_TRUE(NewGameState(2));
    EXPECT_EQ(posstr3D(&state.position, E4), nullptr);
    // the rotating buffers hold three earlier results
    const char* names[] = {PosStr(&state.position, A1), PosStr(&state.position, B2), PosStr(&state.position, E4),
                           PosStr(&state.position, H8)};
    EXPECT_STREQ(names[0], "a1");
    EXPECT_STREQ(names[1], "b2");
    EXPECT_STREQ(names[2], "e4");
    EXPECT_STREQ(names[3], "h8");
    // 3D: the start's cells, then the attack cells of a board moved
    const struct {
        int notation, qlw;
        SQ_T sq;
        const char* name;
    } cells[] = {
        {NOTATION_ZARVIC, ABW_QL1, B1, "a0"},   {NOTATION_ZARVIC, ABW_QL1, D1, "e0"},
        {NOTATION_ZARVIC, ABW_QL1, E2, "a2"},   {NOTATION_ZARVIC, ABW_QL1, A3, "a3"},
        {NOTATION_ZARVIC, ABW_QL1, B2, "a1"},   {NOTATION_ZARVIC, ABW_QL1, A1, "z0"},
        {NOTATION_ZARVIC, ABW_QL1, D8, "e9"},   {NOTATION_ZARVIC, ABW_QL1, D7, "e8"},
        {NOTATION_ZARVIC, ABW_QL1, C8, "d9"},   {NOTATION_STANDARD, ABW_QL1, E2, "b2"},
        {NOTATION_STANDARD, ABW_QL1, A3, "b3"}, {NOTATION_STANDARD, ABW_QL1, D1, "f0"},
        {NOTATION_STANDARD, ABW_QL1, B2, "b1"}, {NOTATION_STANDARD, ABW_QL1, D8, "f9"},
        {NOTATION_STANDARD, ABW_QL1, C7, "e8"}, {NOTATION_ZARVIC, ABW_QL3, A1, "z2"},
        {NOTATION_ZARVIC, ABW_QL3, B2, "a3"},   {NOTATION_ZARVIC, ABW_KL4, A1, "d6"},
        {NOTATION_ZARVIC, ABW_KL4, B2, "e7"},
    };
    for (const auto& c : cells) {
        ASSERT_TRUE(NewGameState(3));
        state.notation = c.notation;
        state.position.whereis_board[0] = c.qlw;
        EXPECT_EQ(Name(c.sq), c.name) << "notation " << c.notation << ", board at " << c.qlw << ", cell " << c.sq;
    }
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

}  // namespace

// Geometry maps: line directions and capture reach, and the jumps between
// attack boards across empty pins.
#include <gtest/gtest.h>

#include <array>

#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"

namespace {

TEST(Geometry2D, CaptureAndLineMaps) {
    state.dmode = 2;
    POS_T p{};
    UpdateMaps(&p);
    EXPECT_EQ(capture_map[W_PAWN + 6][B2][C3], 1);
    EXPECT_EQ(capture_map[W_PAWN + 6][B2][A3], 1);
    EXPECT_EQ(capture_map[W_PAWN + 6][B2][B3], 0);
    for (SQ_T sq = 0; sq < 64; sq++) {
        if (YPOS(sq) != 0 && YPOS(sq) != 7) continue;
        for (SQ_T t = 0; t < 64; t++) ASSERT_EQ(capture_map[W_PAWN + 6][sq][t], 0);
    }
    EXPECT_EQ(sliding_map[A1][H8], NORTH_EAST);
    EXPECT_EQ(sliding_map[A1][B3], 0);
    EXPECT_EQ(sliding_map[A8][H1], SOUTH_EAST);
    EXPECT_EQ(sliding_map[E1][E8], NORTH);
    EXPECT_EQ(sliding_map[H4][A4], WEST);
    EXPECT_TRUE(SameLine(A1, C3, H8));
    EXPECT_FALSE(SameLine(A1, H8, C3));
    EXPECT_FALSE(SameLine(A1, B3, C5));
    for (int a = 0; a < 64; a++)
        for (int b = 0; b < 64; b++) {
            ASSERT_EQ(sliding_map[a][b], -sliding_map[b][a]);
            // a line exists exactly where a queen could capture
            ASSERT_EQ(sliding_map[a][b] != 0, capture_map[W_QUEEN + 6][a][b] == 1);
        }
}

// The line map built the slow way, one UMJump search per pair as the maps
// are defined.
void ExpectMapsMatchPairwiseSearch(POS_T* p) {
    UpdateMaps(p);
    signed char built[64][64];
    memcpy(built, sliding_map, sizeof built);
    signed char naive[64][64] = {};
    for (int i = 0; i < 64; i++)
        for (int j = 0; j < 64; j++) {
            if (i == j) continue;
            for (int d : {EAST, NORTH, NORTH_EAST, SOUTH_EAST}) {
                if (UMJump(p, (SQ_T)j, (SQ_T)i, d)) {
                    naive[i][j] = (signed char)d;
                    naive[j][i] = (signed char)-d;
                }
            }
        }
    for (int i = 0; i < 64; i++)
        for (int j = 0; j < 64; j++) {
            ASSERT_EQ(built[i][j], naive[i][j]) << GetAttackBoardString(p) << " " << i << "," << j;
            ASSERT_EQ(built[i][j], -built[j][i]);
        }
}

TEST(Geometry3D, MapsMatchThePairwiseDefinition) {
    state.dmode = 3;
    BoardConfigCacheClear();
    // the start, boards with gaps between them, and two pairs
    for (auto [ql, ql2, kl, kl2] : {std::array{ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6},
                                    {ABW_QL1, ABW_QL4, ABW_KL3, ABW_KL6}, {ABW_QL2, ABW_QL5, ABW_KL1, ABW_KL4}}) {
        POS_T p = Placement(ql, ql2, kl, kl2);
        ExpectMapsMatchPairwiseSearch(&p);
    }
}

TEST(Geometry3D, LineMapIsAntisymmetricForManyPlacements) {
    state.dmode = 3;
    BoardConfigCacheClear();
    auto all = AllPlacements();
    for (size_t i = 0; i < all.size(); i += 397) {
        POS_T p = Placement(all[i][0], all[i][1], all[i][2], all[i][3]);
        UpdateMaps(&p);
        for (int a = 0; a < 64; a++)
            for (int b = 0; b < 64; b++) ASSERT_EQ(sliding_map[a][b], -sliding_map[b][a]);
        // neighbours along a line step have that line's direction
        for (SQ_T a = 0; a < 64; a++)
            for (int d : {NORTH, EAST, NORTH_EAST, SOUTH_EAST})
                for (SQ_T t : Step(&p, a, d)) ASSERT_EQ(sliding_map[a][t], d);
    }
}

TEST(Geometry3D, JumpsAcrossEmptyPinsAndTheFarRanks) {
    state.dmode = 3;
    BoardConfigCacheClear();
    // QLW on QL1, a board on each of QL5 and QL2 (pin 5's wins), nothing on QL3
    POS_T p = Placement(ABW_QL1, ABW_QL5, ABW_QL2, ABW_KL6);
    SQ_T t[7];
    BTO_T rec{0, t};
    ASSERT_EQ(UMDirTo(&p, A2, NORTH, &rec), 1);
    EXPECT_EQ(t[0], (SQ_T)A7);  // cell c of the board on QL5
    EXPECT_TRUE(UMJump(&p, A7, A2, NORTH));
    EXPECT_FALSE(UMJump(&p, A2, A2, NORTH));
    // diagonals never jump
    EXPECT_EQ(UMDirTo(&p, A2, NORTH_WEST, &rec), 0);
    // going south from the QL5 board's cell c lands on the QLW board's cell a
    ASSERT_EQ(UMDirTo(&p, A7, SOUTH, &rec), 1);
    EXPECT_EQ(t[0], (SQ_T)A2);
    EXPECT_EQ(UMDirTo(&p, A1, SOUTH, &rec), 0);  // nothing lies south of rank 0
    // the same jump is part of the file-z line in the maps
    UpdateMaps(&p);
    EXPECT_EQ(sliding_map[A1][A7], NORTH);
    EXPECT_EQ(sliding_map[A8][A2], SOUTH);

    // rows jump across the far ranks, in the start placement
    BoardConfigCacheClear();
    p = Placement(ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6);
    ASSERT_EQ(UMDirTo(&p, B8, EAST, &rec), 1);  // QLB cell b (a9) to KLB cell a (d9)
    EXPECT_EQ(t[0], (SQ_T)C8);
    ASSERT_EQ(UMDirTo(&p, C8, WEST, &rec), 1);
    EXPECT_EQ(t[0], (SQ_T)B8);
    ASSERT_EQ(UMDirTo(&p, B1, EAST, &rec), 1);  // rank 0: QLW cell d to KLW cell c
    EXPECT_EQ(t[0], (SQ_T)C1);
    EXPECT_EQ(sliding_map[A1][D1], EAST);  // the back row is one line
    EXPECT_EQ(capture_map[W_ROOK + 6][A1][D1], 1);
}

TEST(Geometry3D, KeptLineMapsMatchAFreshBuild) {
    state.dmode = 3;
    BoardConfigCacheClear();
    POS_T a = Placement(ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6);
    POS_T b = Placement(ABW_QL2, ABW_QL4, ABW_KL5, ABW_KL3);
    UpdateMaps(&a);
    signed char fresh_a[64][64];
    memcpy(fresh_a, sliding_map, sizeof fresh_a);
    UpdateMaps(&b);
    signed char fresh_b[64][64];
    memcpy(fresh_b, sliding_map, sizeof fresh_b);
    EXPECT_NE(memcmp(fresh_a, fresh_b, sizeof fresh_a), 0);
    // switching back through DirTo restores each placement's own map
    Step(&a, E1, NORTH);
    EXPECT_EQ(memcmp(sliding_map, fresh_a, sizeof fresh_a), 0);
    Step(&b, E1, NORTH);
    EXPECT_EQ(memcmp(sliding_map, fresh_b, sizeof fresh_b), 0);
}

}  // namespace

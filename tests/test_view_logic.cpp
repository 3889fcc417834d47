// The window program's input logic that needs no display.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli.h"
#include "viewlogic.h"
#include "window_session.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
void NewGame(int dmode) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    NewGameState(dmode);
}
}  // namespace

// Hit records {names, zmin, zmax, names...}, as GL selection writes them.
struct RECORDS_T {
    std::vector<unsigned int> words;
    int count = 0;
    RECORDS_T& Add(unsigned int depth, unsigned int a, unsigned int b) {
        words.insert(words.end(), {2, depth, depth + 5, a, b});
        count++;
        return *this;
    }
    RECORDS_T& Cell(SQ_T sq, unsigned int depth) { return Add(depth, sq / 8, sq % 8); }
    RECORDS_T& Piece(SQ_T sq, unsigned int depth) { return Add(depth, PIECE_PICK_NAME, sq); }
    SQ_T Pick(bool cells_first = false, bool see_through = false) const {
        return DecodePickHits(words.data(), count, false, 0, 0, cells_first, see_through);
    }
};

TEST(PickNames, TheNearestThingWinsWhateverTheDrawingOrder) {
    // an attack board's cell in front of a main level's cell: either order
    EXPECT_EQ(RECORDS_T().Cell(3, 900).Cell(60, 400).Pick(), 60u);
    EXPECT_EQ(RECORDS_T().Cell(60, 400).Cell(3, 900).Pick(), 60u);
    // a piece stands in front of its own cell and of the cells behind
    EXPECT_EQ(RECORDS_T().Cell(10, 500).Piece(20, 300).Cell(20, 600).Pick(), 20u);
    // two pieces, one hiding the other: the front one
    EXPECT_EQ(RECORDS_T().Piece(56, 700).Piece(60, 350).Pick(false, true), 60u);
    // opaque cells hide a piece behind them; half-transparent ones let it show
    const RECORDS_T behind = RECORDS_T().Cell(61, 200).Piece(56, 450).Cell(56, 800);
    EXPECT_EQ(behind.Pick(false, false), 61u);
    EXPECT_EQ(behind.Pick(false, true), 56u);
    EXPECT_EQ(RECORDS_T().Pick(), NO_SQUARE);
    const unsigned int odd[] = {1, 0, 0, 4, 3, 0, 0, 1, 2, 3};
    EXPECT_EQ(DecodePickHits(odd, 2, false), NO_SQUARE);
}

TEST(PickNames, PostsRingsMarkersAndTheSecondClicksCells) {
    // the thin post in front of a piece is what shows; its wider ring is not
    EXPECT_EQ(RECORDS_T().Piece(40, 500).Add(450, 2, AB_KLW).Pick(false, true), (SQ_T)AB_KLW);
    EXPECT_EQ(RECORDS_T().Piece(40, 500).Add(300, RING_PICK_NAME, AB_KLW).Pick(false, true), 40u);
    // over cells alone the ring takes the board, seen through a cell or not
    const RECORDS_T ring = RECORDS_T().Cell(17, 200).Add(400, RING_PICK_NAME, AB_KLW).Cell(33, 700);
    EXPECT_EQ(ring.Pick(false, true), (SQ_T)AB_KLW);
    EXPECT_EQ(ring.Pick(false, false), 17u);
    // the second click of a piece's move wants a cell: the enemy piece's,
    // even where a post stands in front of it
    const RECORDS_T capture = RECORDS_T().Add(100, 2, AB_QLW).Piece(44, 300).Cell(12, 200);
    EXPECT_EQ(capture.Pick(false, true), (SQ_T)AB_QLW);
    EXPECT_EQ(capture.Pick(true, true), 44u);
    EXPECT_EQ(capture.Pick(true, false), 12u);
    EXPECT_EQ(RECORDS_T().Add(100, RING_PICK_NAME, AB_QLB).Pick(true, true), (SQ_T)AB_QLB);
    // a cell, a post and a pin marker under one pixel, in drawing order
    const unsigned int all[] = {2, 0, 0, 1, 2, 2, 0, 0, 0, 100, 2, 0, 0, PIN_PICK_NAME, ABW_QL3};
    EXPECT_EQ(DecodePickHits(all, 3, false), (SQ_T)ABW_QL3);
    EXPECT_EQ(DecodePickHits(all, 2, false), (SQ_T)AB_QLW);
    EXPECT_EQ(DecodePickHits(all, 2, false, 0, 0, true), 10u);
    const unsigned int post_only[] = {2, 0, 0, 2, 116};
    EXPECT_EQ(DecodePickHits(post_only, 1, false, 0, 0, true), (SQ_T)AB_KLW);
}

TEST(PickNames, TheStackUnderThePointerNearestFirst) {
    const RECORDS_T r = RECORDS_T().Cell(56, 800).Add(500, 2, AB_KLW).Piece(56, 600).Cell(16, 100)
                            .Add(300, RING_PICK_NAME, AB_KLW).Piece(16, 150);
    const std::vector<PICK_HIT_T> stack = PickStack(PickHits(r.words.data(), r.count), false);
    ASSERT_EQ(stack.size(), 3u);
    EXPECT_EQ(stack[0].target, 16u);
    EXPECT_EQ(stack[0].depth, 100u);
    EXPECT_EQ(stack[1].kind, PICK_HIT_T::POST);
    EXPECT_EQ(stack[1].depth, 300u);
    EXPECT_EQ(stack[2].target, 56u);
    EXPECT_EQ(stack[2].depth, 600u);
    const std::vector<PICK_HIT_T> cells = PickStack(PickHits(r.words.data(), r.count), true);
    ASSERT_EQ(cells.size(), 2u);

    // Tab steps down the stack and round; a moved pointer starts again
    NewGame(3);
    STEPPED_T step;
    char text[64];
    std::vector<std::string> seen;
    for (int i = 0; i < 4; i++) {
        ASSERT_TRUE(StepUnder(&state.position, stack, 5, 7, &step, text, sizeof text));
        seen.push_back(text);
    }
    EXPECT_EQ(seen[0].substr(seen[0].find('(')), "(1 of 3): Enter takes it") << seen[0];
    EXPECT_EQ(seen[1], "board KL white (2 of 3): Enter takes it");
    EXPECT_NE(seen[2].find(" white knight (3 of 3)"), std::string::npos) << seen[2];
    EXPECT_EQ(seen[3], seen[0]);
    StepUnder(&state.position, stack, 5, 7, &step, text, sizeof text);
    StepUnder(&state.position, stack, 6, 7, &step, text, sizeof text);
    EXPECT_EQ(text, seen[0]);
    EXPECT_FALSE(StepUnder(&state.position, {}, 6, 7, &step, text, sizeof text));
    EXPECT_EQ(step.target, NO_SQUARE);
}

// An own piece on the target is a capture as typed, unless it is castling.
TEST(MouseMoves, CastlingIsRecognisedFromRightsAndTarget) {
    struct ROW_T {
        int dmode, piece;
        SQ_T to;
        char symbol;
    };
    for (const ROW_T& r : {ROW_T{2, W_KING, G1, 'S'}, {2, W_KING, C1, 'L'}, {2, B_KING, G8, 'S'},
                           {2, B_KING, C8, 'L'}, {2, W_KING, F2, 'x'}, {2, W_QUEEN, C1, 'x'},
                           {3, W_KING, D1, 'S'}, {3, W_KING, B1, 'L'}, {3, B_KING, D8, 'S'},
                           {3, B_KING, B8, 'L'}, {3, W_KING, C2, 'x'}}) {
        NewGame(r.dmode);
        EXPECT_EQ(MouseMoveSymbol(&state.position, r.dmode, r.piece, r.to), r.symbol)
            << r.dmode << "D " << r.piece << " to " << r.to;
    }
    POS_T b = state.position;  // 3D, without the rights
    b.flags = 0;
    EXPECT_EQ(MouseMoveSymbol(&b, 3, W_KING, D1), 'x');
    NewGame(2);
    b = state.position;
    b.flags &= ~(uint64_t)FLAG_WK_CASTLE;
    b.board[G1] = 0;
    EXPECT_EQ(MouseMoveSymbol(&b, 2, W_KING, G1), '-');
    EXPECT_EQ(MouseSelectedMove(), &msm) << "the flag the window sets is the core's promotion flag";
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
    // an example after the colon is shown as written
    for (auto [label, marked, arrow, shown] :
         {std::tuple{"plays black", true, false, "PLAYS BLACK"}, {"plays black", false, false, "plays black"},
          {" 5s", true, true, ">5s"}, {" 1m", false, true, " 1m"},
          {"tournament: b3N, z0QL1", true, false, "TOURNAMENT: b3N, z0QL1"}})
        EXPECT_STREQ(MarkedLabel(label, marked, arrow, out, sizeof out), shown);
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
    EXPECT_EQ(state.maxdepth, 1600) << "an old difficulty of 7 plies is the medium level";
    EXPECT_EQ(state.rules, RULES_TDCL);
    EXPECT_EQ(state.notation, NOTATION_DEFAULT);
    EXPECT_EQ(state.spread, SPREAD_OFF);
    EXPECT_EQ(timers.timer_limit.load(), 5u);
    EXPECT_EQ(menu_mesh_pieces, 0);
    StoreShared(state.maxdepth, DIFF_HARD);
}

// No square only clears the option; a piece is added or removed, and the
// edited position becomes the game's start.
TEST(BoardEditing, AddsAndRemovesPiecesKeepsTheStartAndItsEnPassant) {
    NewGame(2);
    POS_T before = state.position;
    editing_option = 12;
    EXPECT_EQ(GotEditingSquare(NO_SQUARE), 0);
    EXPECT_EQ(editing_option, 0);
    EXPECT_EQ(memcmp(before.board, state.position.board, sizeof before.board), 0);
    EXPECT_EQ(state.oeb.inited, 0);
    editing_option = 1;  // room for another queen: a pawn off
    testing::internal::CaptureStdout();
    EXPECT_EQ(GotEditingSquare(A2), 1);
    editing_option = 15;  // a white queen
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

    // An edit that takes away the pawn of a double step takes its en passant
    // square too; one elsewhere leaves it.
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

// An edit that leaves no position to play is taken back with its reason on
// the info line, the game on the board as it was; a king put down moves.
TEST(BoardEditing, RefusesWhatLeavesNoPositionAndMovesAKing) {
    for (int dmode : {2, 3}) {
        SCOPED_TRACE(dmode);
        NewGame(dmode);
        testing::internal::CaptureStdout();
        std::string error;
        ASSERT_TRUE(PlayMoves(dmode == 2 ? "e2e4 e7e5" : "e2a3 e8f6", &error)) << error;
        const POS_T before = state.position;
        static POS_T before_copy;
        before_copy = before;
        const int inited = state.oeb.inited;
        auto unchanged = [&] {
            EXPECT_EQ(memcmp(before.board, state.position.board, sizeof before.board), 0);
            EXPECT_EQ(memcmp(before.pieces, state.position.pieces, sizeof before.pieces), 0);
            EXPECT_EQ(state.position.move_num, 2);
            EXPECT_EQ(state.position.winner, 0);
            EXPECT_EQ(state.oeb.inited, inited);
        };
        SQ_T empty = NO_SQUARE, king = NO_SQUARE;
        for (SQ_T sq = 0; sq < 64; sq++) {
            if (!state.position.board[sq] && empty == NO_SQUARE) empty = sq;
            if (state.position.board[sq] == W_KING) king = sq;
        }
        // a 17th piece: each side's 16 places are full
        for (int option : {8 /* black knight */, 15 /* white queen */}) {
            info_string[0] = 0;
            editing_option = option;
            EXPECT_EQ(GotEditingSquare(empty), 1);
            EXPECT_EQ(editing_option, 0);
            EXPECT_NE(std::string(info_string).find("no room for another"), std::string::npos) << info_string;
            unchanged();
        }
        // the king taken off, or another piece put in its place: the board
        // may be built on, but nothing moves and the info line says why
        {
            info_string[0] = 0;
            editing_option = 1;
            EXPECT_EQ(GotEditingSquare(king), 1);
            EXPECT_STREQ(info_string, "White has no king: put one on the board to play");
            EXPECT_STREQ(MissingKing(&state.position), "White");
            MOVE_T m;
            for (const MOVE_TEXT_T& t : LegalMoveTexts(&before_copy)) {
                m = t.move;
                char why[96];
                EXPECT_TRUE(RefusalReason(&state.position, &m, why, sizeof why));
                EXPECT_STREQ(why, "White has no king on the board");
                break;
            }
        }
        // a king put down moves there (from wherever its side had one), and
        // the game goes on from it
        editing_option = 16;
        info_string[0] = 0;
        EXPECT_EQ(GotEditingSquare(empty), 1);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(state.position.board[empty], W_KING);
        EXPECT_EQ(state.position.board[king], 0);
        EXPECT_EQ(MissingKing(&state.position), nullptr);
        EXPECT_STREQ(info_string, "");
        EXPECT_EQ(std::count(state.position.board, state.position.board + 64, W_KING), 1);
        EXPECT_EQ(state.position.pieces[0].p, W_KING);
        EXPECT_EQ(state.position.pieces[0].pos, empty);
        EXPECT_EQ(state.oeb.inited, 1);
    }
}

TEST(KKey, MovesToTheNextFreePinAndWrapsAKingsBoardStays) {
    NewGame(3);
    POS_T* b = &state.position;
    testing::internal::CaptureStdout();
    // QL1 -> QL2 (free)
    EXPECT_EQ(KeyPinCycle(b, 0), ABW_QL2);
    // QL6 -> KL1 is taken -> KL2
    EXPECT_EQ(KeyPinCycle(b, 1), ABW_KL2);
    // KL6 -> wraps to QL1, free now (the board's men, its king among them, taken off)
    for (SQ_T cell : {22u, 23u, 30u, 31u}) b->board[cell] = 0;
    EXPECT_EQ(KeyPinCycle(b, 3), ABW_QL1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\nj=1 k=6\nj=1 k=7"), std::string::npos) << out;
    EXPECT_NE(out.find("\nj=3 k=0"), std::string::npos) << out;
    EXPECT_EQ(b->whereis_board[0], ABW_QL2);
    EXPECT_EQ(b->whereis_board[1], ABW_KL2);
    EXPECT_EQ(b->whereis_board[3], ABW_QL1);

    // a king's board stays; the edit is the start
    NewGame(3);
    const int pin = b->whereis_board[2];
    b->board[C1] = W_KING;  // on White's king-side board
    EXPECT_EQ(KeyPinCycle(b, 2), -1);
    EXPECT_EQ(b->whereis_board[2], pin);
    for (SQ_T cell : {16u, 17u, 24u, 25u}) b->board[cell] = 0;
    testing::internal::CaptureStdout();
    const int to = KeyPinCycle(b, 2);
    TakeEditAsStart(b);
    testing::internal::GetCapturedStdout();
    ASSERT_GT(to, 0);
    EXPECT_EQ(state.oeb.inited, 1);
    EXPECT_EQ(state.oeb.pos_0.whereis_board[2], to);
}

// The picture, the list and the tray tile the window: nothing overlaps or
// leaves it, and the picture takes all the room they leave; the promotion
// chooser and the status text keep their places.
TEST(Layout, PictureListTrayChooserAndTextKeepTheirPlaces) {
    for (int w : {300, 420, 640, 800, 1000, 1600})
        for (int h : {200, 330, 700, 800, 1200})
            for (bool panel : {false, true})
                for (bool tray : {false, true}) {
                    const LAYOUT_T l = ViewLayout(w, h, panel, tray);
                    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + (panel ? " list" : "") +
                                 (tray ? " tray" : ""));
                    // the chooser's cells are told apart by the click; the
                    // box and the status text keep to the window, the text
                    // off the move list
                    const PROMOTION_BOX_T box = PromotionBox(l);
                    EXPECT_GE(box.x, 0);
                    EXPECT_LE(box.x + box.w, w);
                    for (int i = 0; i < 4; i++) {
                        const int x = box.cells_x + i * (box.cell + box.gap) + box.cell / 2;
                        EXPECT_EQ(PromotionBoxHit(l, x, box.cells_y + box.cell / 2), i);
                        EXPECT_EQ(PromotionBoxHit(l, x, box.cells_y + box.cell + box.hint_h / 2), -1);
                    }
                    EXPECT_EQ(PromotionBoxHit(l, box.x - 1, box.y), -2);
                    EXPECT_EQ(PromotionBoxHit(l, box.x, box.y + box.h), -2);
                    const TEXT_AREA_T text = StatusTextArea(l);
                    EXPECT_GE(text.left, l.pic_x);
                    EXPECT_LT(text.left, text.right);
                    EXPECT_LE(text.right, l.pic_x + l.pic_w);
                    EXPECT_LE(text.right, panel ? l.panel_x : w);
                    EXPECT_EQ(l.panel_w > 0, panel);
                    EXPECT_EQ(l.tray_h > 0, tray);
                    EXPECT_EQ(l.panel_x + l.panel_w, w);
                    EXPECT_EQ(l.pic_x, 0);
                    EXPECT_EQ(l.pic_x + l.pic_w, l.panel_x);
                    EXPECT_EQ(l.pic_y, l.tray_y + l.tray_h);
                    EXPECT_EQ(l.pic_y + l.pic_h, h);
                    EXPECT_LE(l.tray_h, h / 5);
                    if (tray) {
                        EXPECT_EQ(l.tray_w, l.pic_w);
                    }
                }
    const LAYOUT_T full = ViewLayout(800, 800, false, false);
    EXPECT_EQ(full.pic_w * full.pic_h, 800 * 800);
}

// The lens: the board keeps its width however narrow the picture, and a
// wide picture shows more beside it rather than less above.
TEST(Layout, CameraKeepsTheBoardInView) {
    for (int dmode : {2, 3}) {
        const CAMERA_T c = ViewCamera(dmode);
        double th0, tv0;
        CameraTangents(c, 1.0, &th0, &tv0);
        for (double aspect : {0.3, 0.6, 0.9, 1.0, 1.5, 3.0}) {
            double th, tv;
            CameraTangents(c, aspect, &th, &tv);
            EXPECT_NEAR(th / tv, aspect, 1e-9);
            EXPECT_GE(th, th0 * c.min_aspect - 1e-9) << aspect;  // never narrower than that
            EXPECT_GE(tv, tv0 - 1e-9) << aspect;
        }
    }
    // the same size at the board's centre in both games
    const CAMERA_T a = ViewCamera(2), b = ViewCamera(3);
    EXPECT_NEAR(a.eye * std::tan(a.fovy * M_PI / 360), b.eye * std::tan(b.fovy * M_PI / 360), 0.05);
}

TEST(MoveList, PairsNumberedAndTheCurrentPlyMarked) {
    NewGame(2);
    MOVE_LINE_T lines[8];
    // three plies from the start: two lines, the third ply current
    int n = MoveListLines(0, 3, 3, lines, 8);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(lines[0].number, 1);
    EXPECT_EQ(lines[1].number, 2);
    EXPECT_NE(lines[1].white, nullptr);
    EXPECT_EQ(lines[1].black, nullptr);
    EXPECT_EQ(lines[1].current, 1);
    EXPECT_EQ(lines[0].current, 0);
    // a game begun on Black's move: its first line has no White move
    n = MoveListLines(5, 8, 6, lines, 8);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[0].white, nullptr);
    EXPECT_EQ(lines[0].current, -1);
    EXPECT_EQ(MoveListLines(0, 40, 40, lines, 8), 8);  // no more than room
    EXPECT_EQ(MoveListLines(4, 4, 4, lines, 8), 0);
    // the end shows, or the current line when it lies further up
    EXPECT_EQ(FirstShownLine(10, 20, 9), 0);
    EXPECT_EQ(FirstShownLine(30, 10, 29), 20);
    EXPECT_EQ(FirstShownLine(30, 10, 3), 3);
    EXPECT_EQ(FirstShownLine(30, 10, -1), 20);
    for (int count = 0; count < 40; count++)
        for (int cur = -1; cur < count; cur++) {
            const int first = FirstShownLine(count, 10, cur);
            EXPECT_TRUE(cur < 0 || (cur >= first && cur < first + 10));
            EXPECT_GE(first, 0);
        }
}

TEST(LastMove, FromAndToOrTheBoardsFourCells) {
    NewGame(3);
    MOVE_T m;
    InitMove(&m, W_PAWN, E2, E4, INF_VALUE, '-', false);
    EXPECT_EQ(LastMoveCells(&state.position, &m), (1ull << E2) | (1ull << E4));
    for (int k = 0; k < 4; k++) {
        InitMove(&m, ab_of_index[k], ABW_QL1, ABW_QL3, INF_VALUE, 'T', false);
        const uint64_t cells = LastMoveCells(&state.position, &m);
        EXPECT_EQ(BitCount(cells), 4);
        for (int sq = 0; sq < 64; sq++) {
            if (!(cells >> sq & 1)) continue;
            EXPECT_EQ(BoardOfCell(sq), k) << sq;
        }
    }
    MOVE_T none{};
    EXPECT_EQ(LastMoveCells(&state.position, &none), 0u);
}

TEST(Undo, ThePlayerIsOnMoveAfterwards) {
    // computer Black: after its reply (ply 2) one ply would leave it on move
    EXPECT_EQ(UndoPlies(2, 0, 1, TAMZOR_BLACK), 2);
    EXPECT_EQ(UndoPlies(1, 0, 1, TAMZOR_BLACK), 1);  // it had not answered yet
    EXPECT_EQ(UndoPlies(1, 0, 1, TAMZOR_WHITE), 1);  // its first move cannot go
    EXPECT_EQ(UndoPlies(6, 0, 2, TAMZOR_OFF), 2);
    EXPECT_EQ(UndoPlies(6, 0, 0, TAMZOR_BLACK), 0);  // a rebuild in place
    for (int side : {TAMZOR_WHITE, TAMZOR_BLACK})
        for (int num = 0; num < 12; num++)
            for (int n = 1; n < 5; n++) {
                const int target = imax(0, num - UndoPlies(num, 0, n, side));
                const int to_move = target % 2 ? TAMZOR_BLACK : TAMZOR_WHITE;
                EXPECT_TRUE(to_move != side || target == 0) << num << " " << n;
            }
}

TEST(ConfirmKeys, KeysAndMenuEntriesActOnTheSecondPressOtherwiseForget) {
    info_string[0] = 0;
    EXPECT_TRUE(ConfirmKey('Q', "Q again", false));  // nothing at risk
    EXPECT_FALSE(ConfirmKey('Q', "Q again", true));
    EXPECT_STREQ(info_string, "Q again");
    EXPECT_TRUE(ConfirmKey('Q', "Q again", true));
    EXPECT_FALSE(ConfirmKey('Q', "Q again", true));
    ForgetConfirm();
    EXPECT_STREQ(info_string, "");
    EXPECT_FALSE(ConfirmKey('Q', "Q again", true));
    EXPECT_FALSE(ConfirmKey(27, "Esc again", true));  // another key asks anew
    EXPECT_TRUE(ConfirmKey(27, "Esc again", true));
    // a first press is forgotten after a while, its question with it: a late
    // second press asks again
    const uint64_t start = TickCount();
    EXPECT_FALSE(ConfirmKey(27, "Esc again", true));
    EXPECT_FALSE(ForgetStaleConfirm(start + CONFIRM_MS - 1000));
    EXPECT_STREQ(info_string, "Esc again");
    EXPECT_TRUE(ForgetStaleConfirm(TickCount() + CONFIRM_MS));
    EXPECT_STREQ(info_string, "");
    EXPECT_FALSE(ForgetStaleConfirm(TickCount() + CONFIRM_MS)) << "nothing left to forget";
    EXPECT_FALSE(ConfirmKey(27, "Esc again", true));
    ForgetConfirm();

    // Menu entries that end or replace the game ask like the keys: the same
    // entry again acts, anything else forgets; each has its own question.
    info_string[0] = 0;
    EXPECT_TRUE(ConfirmMenuAction(CONFIRM_NEW_GAME, false));  // nothing at risk
    EXPECT_FALSE(ConfirmMenuAction(CONFIRM_NEW_GAME, true));
    EXPECT_STREQ(info_string, "New game again: a new game in place of this one");
    EXPECT_TRUE(ConfirmMenuAction(CONFIRM_NEW_GAME, true));
    EXPECT_STREQ(info_string, "");
    EXPECT_FALSE(ConfirmMenuAction(CONFIRM_QUIT, true));
    EXPECT_FALSE(ConfirmKey('Q', "Q again to quit", true)) << "the key is not the entry";
    EXPECT_FALSE(ConfirmMenuAction(CONFIRM_QUIT, true));
    ForgetConfirm();  // another entry was chosen
    EXPECT_STREQ(info_string, "");
    EXPECT_FALSE(ConfirmMenuAction(CONFIRM_QUIT, true));
    std::vector<std::string> questions;
    for (int a = CONFIRM_NEW_GAME; a <= CONFIRM_CLEAR_BOARD; a++) {
        ForgetConfirm();
        EXPECT_FALSE(ConfirmMenuAction(a, true));
        EXPECT_LT(strlen(info_string), 52u) << info_string;
        for (const std::string& q : questions) EXPECT_NE(q, info_string);
        questions.push_back(info_string);
    }
    ForgetConfirm();
}

// An orthographic view as wide as the board turned any way: no cell falls outside it.
TEST(Layout, OrthographicViewHoldsEveryCell) {
    for (int dmode : {2, 3}) {
        NewGame(dmode);
        const float h0 = OrthoHalfSize(&state.position, 1.6f, 0, 0, 0);
        EXPECT_GE(h0, 8.0f);
        for (float xang : {0.f, 300.f, 330.f})
            for (float yang : {0.f, 45.f, 180.f}) {
                const float h = OrthoHalfSize(&state.position, 1.6f, xang, yang, 0);
                for (int x = 0; x < 8; x++)
                    for (int y = 0; y < 8; y++) {
                        P3D_T c;
                        GetCoords(&state.position, x, y, &c);
                        EXPECT_LE(std::hypot(c.x, c.y, c.z) * 1.6f, h * 1.4143f);
                    }
            }
    }
}

// The window's command line: its own options answer without a display,
// GLUT's pass through, anything else is refused.
TEST(WindowArgs, OptionsFilesAndRefusals) {
    auto parse = [](std::vector<std::string> words) {
        words.insert(words.begin(), "tamzor");
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        return ParseWindowArgs((int)argv.size(), argv.data());
    };
    EXPECT_EQ(parse({}).action, WINDOW_ARGS_T::RUN);
    EXPECT_EQ(parse({"--help"}).action, WINDOW_ARGS_T::HELP);
    EXPECT_EQ(parse({"game.pgn", "--version"}).action, WINDOW_ARGS_T::VERSION);
    const WINDOW_ARGS_T run = parse({"-display", ":3", "--log", "-iconic", "game.pgn"});
    EXPECT_EQ(run.action, WINDOW_ARGS_T::RUN);
    EXPECT_TRUE(run.log);
    EXPECT_EQ(run.file, "game.pgn");
    EXPECT_EQ(run.display, ":3");
    for (auto bad : std::vector<std::vector<std::string>>{{"--nonsense"}, {"-x"}, {"a.pgn", "b.pgn"}, {"-display"}}) {
        const WINDOW_ARGS_T a = parse(bad);
        EXPECT_EQ(a.action, WINDOW_ARGS_T::USAGE_ERROR) << bad[0];
        EXPECT_FALSE(a.error.empty());
    }
}

// Every piece of a new game stands on the screen, in both games: its
// outline, a cylinder as wide as the widest model and as tall as its kind,
// is taller than wide in the view a game opens with, on each cell.
TEST(Layout, PiecesStandInTheOpeningView) {
    const double heights[7] = {0, 0.75, 1.02, 1.1, 0.87, 1.33, 1.5}, radius = 0.3;
    for (int dmode : {2, 3}) {
        NewGame(dmode);
        const VIEW_PRESET_T v = ViewPreset(dmode);
        for (int sq = 0; sq < 64; sq++) {
            const int piece = state.position.board[sq];
            if (!piece) continue;
            P3D_T c;
            GetCoords(&state.position, XPOS(sq), YPOS(sq), &c);
            int x0 = 1 << 20, x1 = -x0, y0 = x0, y1 = -x0;
            for (int k = 0; k < 16; k++)
                for (double h : {0.0, heights[piece < 0 ? -piece : piece]}) {
                    int x, y;
                    const double a = k * M_PI / 8;
                    Project(c.x + 0.5 + radius * std::cos(a), c.y + 0.5 + radius * std::sin(a), c.z + h, v.xang,
                            v.scale, &x, &y, ViewLayout(800, 800, true), dmode);
                    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                }
            EXPECT_GT(y1 - y0, x1 - x0) << dmode << "D, piece " << piece << " on " << sq;
        }
    }
}

// However many pieces are taken, a row of the tray keeps within it.
TEST(Layout, CapturedRowsKeepInTheirTray) {
    for (float room : {100.f, 400.f, 900.f})
        for (int count = 0; count <= 15; count++) {
            const float step = TrayStep(count, room, 30);
            EXPECT_GT(step, 0);
            EXPECT_LE(step, 30 * 0.75f);
            if (count > 1) {
                EXPECT_LE(step * (count - 1), room + 1e-3) << count;
            }
        }
}

TEST(CellPrompt, TypingBackspaceEscAndEnter) {
    LINE_INPUT_C line;
    EXPECT_EQ(line.Key('a'), LINE_INPUT_C::CANCELLED) << "closed: nothing typed";
    line.Open("Cell: ");
    for (char c : std::string("d1x")) EXPECT_EQ(line.Key((unsigned char)c), LINE_INPUT_C::TYPING);
    EXPECT_EQ(line.Shown(), "Cell: d1x_");
    line.Key(8);
    line.Key('W');
    EXPECT_EQ(line.Text(), "d1W");
    EXPECT_EQ(line.Key('\r'), LINE_INPUT_C::ENTERED);
    EXPECT_TRUE(line.IsOpen());
    line.Refuse("no cell d1W");
    EXPECT_EQ(line.Shown(), "Cell: d1W_   no cell d1W");
    line.Key(127);
    EXPECT_EQ(line.Shown(), "Cell: d1_") << "the next key answers the reason";
    line.Refuse("d1? d1KL1 or d1W");
    line.Key('e');
    EXPECT_EQ(line.Shown(), "Cell: e_") << "a letter after a refusal starts anew";
    for (int i = 0; i < 40; i++) line.Key('z');
    EXPECT_EQ(line.Text().size(), LINE_INPUT_C::MAX_TEXT);
    line.Key('\t');
    EXPECT_EQ(line.Text().size(), LINE_INPUT_C::MAX_TEXT);
    EXPECT_EQ(line.Key(27), LINE_INPUT_C::CANCELLED);
    EXPECT_FALSE(line.IsOpen());
    line.Open("Cell: ");
    EXPECT_EQ(line.Text(), "");
}

TEST(CellPrompt, EveryCellByItsNameInEachNotation) {
    for (int dmode : {2, 3}) {
        for (int notation : {NOTATION_ZARVIC, NOTATION_STANDARD, NOTATION_ALGEBRAIC}) {
            NewGame(dmode);
            StoreShared(state.notation, notation);
            POS_T* b = &state.position;
            for (SQ_T sq = 0; sq < 64; sq++) {
                char name[24];
                CellName(b, sq, name, sizeof name);
                std::string lower = name;
                for (char& c : lower) c = (char)tolower(c);
                SQ_T got = NO_SQUARE;
                std::string reason;
                EXPECT_TRUE(CellFromName(b, " " + lower, false, &got, &reason)) << name << ": " << reason;
                EXPECT_EQ(got, sq) << name;
            }
        }
    }
    NewGame(3);
    POS_T* b = &state.position;
    SQ_T sq = NO_SQUARE;
    std::string reason;
    ASSERT_TRUE(CellFromName(b, "d1W", false, &sq, &reason));
    EXPECT_EQ(b->board[sq], W_KNIGHT);
    EXPECT_FALSE(CellFromName(b, "d1", false, &sq, &reason));
    EXPECT_EQ(reason, "d1KL1 or d1W?");
    ASSERT_TRUE(CellFromName(b, "B1", false, &sq, &reason)) << "one cell has b1 without its level";
    EXPECT_EQ(b->board[sq], W_BISHOP);
    EXPECT_FALSE(CellFromName(b, "d9W", false, &sq, &reason));
    EXPECT_EQ(reason, "no cell d9W");
    EXPECT_FALSE(CellFromName(b, "  ", false, &sq, &reason));
    EXPECT_FALSE(CellFromName(b, "ql3", false, &sq, &reason));
    ASSERT_TRUE(CellFromName(b, "ql3", true, &sq, &reason)) << "a pin, while a board is chosen";
    EXPECT_EQ(sq, (SQ_T)ABW_QL3);
}

// A cell taken by name or by Tab acts as a click: choose the piece, then
// move it; Esc drops one thing at a time.
TEST(CellPrompt, ChoosingAndMovingLikeAClick) {
    NewGame(3);
    StoreShared(state.tamzor, TAMZOR_OFF);
    POS_T* b = &state.position;
    SQ_T knight, to;
    std::string reason;
    ASSERT_TRUE(CellFromName(b, "d1W", false, &knight, &reason));
    ASSERT_TRUE(CellFromName(b, "c3N", false, &to, &reason));
    testing::internal::CaptureStdout();
    ActOnPick(knight);
    EXPECT_EQ(state.selected, knight);
    stepped.target = to;
    EXPECT_TRUE(ClearPending());
    EXPECT_EQ(stepped.target, NO_SQUARE);
    EXPECT_EQ(state.selected, knight) << "the stepped cell went first";
    EXPECT_TRUE(ClearPending());
    EXPECT_EQ(state.selected, NO_SQUARE);
    EXPECT_FALSE(ClearPending());
    ActOnPick(knight);
    ActOnPick(to);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\nselected Nd1W"), std::string::npos) << out;
    EXPECT_EQ(b->move_num, 1);
    EXPECT_EQ(b->board[to], W_KNIGHT);
    EXPECT_EQ(state.selected, NO_SQUARE);
    // an empty cell chooses nothing; a board is chosen by its post, once
    // it may move (its pieces gone but one)
    testing::internal::CaptureStdout();
    ActOnPick(knight);
    EXPECT_EQ(state.selected, NO_SQUARE);
    for (SQ_T sq : {A8, B8, A7}) b->board[sq] = 0;
    TakeEditAsStart(b);
    ActOnPick(AB_QLB);
    out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(state.selected, (SQ_T)AB_QLB) << out;
    EXPECT_NE(out.find("\nselected QL black"), std::string::npos) << out;
    state.selected = NO_SQUARE;
}

// A click on another piece of the side to move chooses it instead, unless
// the chosen piece may go there (the 3D castle: the king onto its rook).
TEST(CellPrompt, AnotherOwnPieceIsChosenInsteadUnlessTheMoveIsLegal) {
    testing::internal::CaptureStdout();
    NewGame(2);
    StoreShared(state.tamzor, TAMZOR_OFF);
    POS_T* b = &state.position;
    ActOnPick(G1);
    ActOnPick(F2);
    EXPECT_EQ(state.selected, (SQ_T)F2);
    EXPECT_EQ(b->move_num, 0);
    ActOnPick(F4);
    EXPECT_EQ(b->board[F4], W_PAWN);
    // the other side's piece is no choice: the move is refused as before
    ActOnPick(B8);
    info_string[0] = 0;
    ActOnPick(D2);
    EXPECT_EQ(state.selected, NO_SQUARE);
    EXPECT_EQ(b->move_num, 1);
    EXPECT_STREQ(info_string, "Nb8-d2: a knight moves two cells, then one to the side");

    NewGame(3);
    StoreShared(state.tamzor, TAMZOR_OFF);
    b = &state.position;
    ActOnPick(C1);
    ActOnPick(D1);  // its own rook: castling
    EXPECT_EQ(b->move_num, 1);
    EXPECT_EQ(b->board[D1], W_KING);
    EXPECT_EQ(state.selected, NO_SQUARE);
    // a board that may not move says why and is not chosen; the next click
    // chooses afresh
    NewGame(3);
    StoreShared(state.tamzor, TAMZOR_OFF);
    info_string[0] = 0;
    ActOnPick(AB_QLW);
    EXPECT_EQ(state.selected, NO_SQUARE);
    EXPECT_STREQ(info_string, "QL white cannot move: a board may carry one piece at most");
    ActOnPick(AB_KLB);
    EXPECT_STREQ(info_string, "KL black cannot move: that board is Black's");
    ActOnPick(A1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(state.selected, (SQ_T)A1);
    EXPECT_EQ(state.position.move_num, 0);
    state.selected = NO_SQUARE;
}

// The thinking panel keeps a line searched in any position of the game on
// the board, and forgets one of a game that is gone.
TEST(ThinkingPanel, BelongsToTheGameOnTheBoard) {
    NewGame(2);
    testing::internal::CaptureStdout();
    const uint64_t start = state.position.hash1;
    std::string error;
    ASSERT_TRUE(PlayMoves("e2e4 e7e5 g1f3", &error)) << error;
    const uint64_t middle = state.position.hash1;
    EXPECT_TRUE(ThoughtInGame(start));
    EXPECT_TRUE(ThoughtInGame(middle));
    EXPECT_FALSE(ThoughtInGame(start ^ middle));
    UndoMoves(2);
    EXPECT_FALSE(ThoughtInGame(middle)) << "undone past it";
    NewGame(3);
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(ThoughtInGame(middle)) << "a new game";
}

// Each settings menu marks one entry, the live value, and a change made any
// way (a key, a menu, a restored game) shows in its menu's marks once.
TEST(MenuMarks, MarksFollowTheStateHoweverItChanged) {
    NewGame(3);
    StoreShared(state.maxdepth, DIFF_HARD);  // the window's start values
    timers.timer_limit = 5;
    const int axes = AxesOnOff, side = computer_side;
    int shown[SETTING_MENUS];
    for (int which = 0; which < SETTING_MENUS; which++) shown[which] = CurrentSetting(which);
    EXPECT_EQ(StaleMarks(shown), 0u);
    for (int which = 0; which < SETTING_MENUS; which++) {
        const SETTING_MENU_T& m = SettingMenu(which);
        int marked = 0;
        for (int i = 0; i < m.count; i++) {
            char label[32];
            marked += strcmp(SettingLabel(which, i, shown[which], label, sizeof label), m.entries[i].label) != 0;
        }
        EXPECT_EQ(marked, 1) << "menu " << which;
    }
    // D and A, as the keys make the changes
    StoreShared(state.maxdepth, 800);
    AxesOnOff = !AxesOnOff;
    EXPECT_EQ(StaleMarks(shown), (1u << SET_DIFFICULTY) | (1u << SET_AXES));
    EXPECT_EQ(StaleMarks(shown), 0u) << "rewritten once";
    char label[32];
    EXPECT_STREQ(SettingLabel(SET_DIFFICULTY, 0, shown[SET_DIFFICULTY], label, sizeof label), ">800");
    EXPECT_STREQ(SettingLabel(SET_DIFFICULTY, 2, shown[SET_DIFFICULTY], label, sizeof label), " 1200");
    timers.timer_limit = 30;
    EXPECT_EQ(StaleMarks(shown), 1u << SET_TIME_LIMIT);
    EXPECT_STREQ(SettingLabel(SET_TIME_LIMIT, 2, shown[SET_TIME_LIMIT], label, sizeof label), ">30s");
    timers.timer_limit = 5;
    // a new game leaves the rules at none: the boards move as under tournament rules
    StoreShared(state.rules, RULES_NONE);
    EXPECT_EQ(CurrentSetting(SET_RULES), RULES_TOURNAMENT);
    // the computer: both sides, and through a decided game the side undo gives back
    state.demo_mode = 1;
    EXPECT_EQ(CurrentSetting(SET_COMPUTER), TAMZOR_BOTH);
    state.demo_mode = 0;
    computer_side = TAMZOR_WHITE;
    StoreShared(state.tamzor, TAMZOR_OFF);
    state.position.winner = 1;
    EXPECT_EQ(CurrentSetting(SET_COMPUTER), TAMZOR_WHITE);
    state.position.winner = 0;
    EXPECT_EQ(CurrentSetting(SET_COMPUTER), TAMZOR_OFF);
    AxesOnOff = axes;
    computer_side = side;
    StoreShared(state.maxdepth, DIFF_HARD);
}

// A restored or loaded game: the computer keeps its side, and the player is
// told who plays what; a decided game keeps the side for undo only.
TEST(Sides, TheComputerKeepsItsSideAndThePlayerIsTold) {
    NewGame(2);
    const int side = computer_side;
    char text[64];
    EXPECT_EQ(ComputerPlays(), TAMZOR_BLACK);
    StoreShared(state.tamzor, TAMZOR_OFF);  // as the core leaves a loaded game
    ComputerTakesSide(TAMZOR_BLACK);
    EXPECT_EQ(state.tamzor, TAMZOR_BLACK);
    EXPECT_STREQ(SidesText("", text, sizeof text), "You play White, Tamzor plays Black");
    EXPECT_STREQ(SidesText("Restored: ", text, sizeof text), "Restored: you play White, Tamzor plays Black");
    state.position.winner = -1;
    ComputerTakesSide(TAMZOR_WHITE);
    EXPECT_EQ(state.tamzor, TAMZOR_OFF);
    EXPECT_EQ(ComputerPlays(), TAMZOR_WHITE);
    state.position.winner = 0;
    ComputerTakesSide(TAMZOR_BOTH);
    EXPECT_EQ(state.demo_mode, 1);
    EXPECT_EQ(state.tamzor, TAMZOR_WHITE) << "White is to move";
    EXPECT_EQ(ComputerPlays(), TAMZOR_BOTH);
    EXPECT_STREQ(SidesText("", text, sizeof text), "Tamzor plays both sides");
    computer_side = TAMZOR_OFF;  // switched off by the player
    ComputerTakesSide(TAMZOR_OFF);
    EXPECT_EQ(ComputerPlays(), TAMZOR_OFF);
    EXPECT_STREQ(SidesText("Loaded: ", text, sizeof text), "Loaded: Tamzor is not playing: you move both sides");
    EXPECT_STREQ(TurnText(TAMZOR_BLACK, TAMZOR_WHITE, text, sizeof text), "Your move (White)");
    EXPECT_STREQ(TurnText(TAMZOR_BLACK, TAMZOR_BLACK, text, sizeof text), "Tamzor is thinking (Black)");

    // stepping back through the game switches the computer off; leaving the
    // steps gives it its side again, the whole game back on the board
    NewGame(2);
    ComputerTakesSide(TAMZOR_BLACK);
    testing::internal::CaptureStdout();
    for (auto [from, to, piece] : {std::tuple{E2, E4, W_PAWN}, {E7, E5, B_PAWN}}) {
        MOVE_T m;
        InitMove(&m, piece, from, to, INF_VALUE, '-', false);
        ASSERT_TRUE(PlayerMoved(&state.position, &m));
    }
    ReplayMoves(-1);
    ReplayMoves(-1);
    EXPECT_EQ(state.tamzor, TAMZOR_OFF);
    LeaveReplay();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(replay, -1);
    EXPECT_EQ(state.position.move_num, 2);
    EXPECT_EQ(state.tamzor, TAMZOR_BLACK);
    computer_side = side;
}

// S says where the game went, or why it did not.
TEST(Messages, SavingSaysWhereOrWhyNotAndARefusedBoardMoveItsBoard) {
    NewGame(2);
    char dir[] = "/tmp/tamzor_save_XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    ASSERT_EQ(chdir(dir), 0);
    char here[4096];
    ASSERT_TRUE(getcwd(here, sizeof here));
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const bool saved = SaveForPlayer();
    const std::string info = info_string;
    remove("tamzor.sav");
    mkdir("tamzor.sav.tmp", 0700);  // where the game is written first
    const bool refused = !SaveForPlayer();
    testing::internal::GetCapturedStderr();
    testing::internal::GetCapturedStdout();
    rmdir("tamzor.sav.tmp");
    ASSERT_EQ(chdir(cwd), 0);
    rmdir(dir);
    EXPECT_TRUE(saved);
    EXPECT_EQ(info, std::string("Saved to ") + here + "/tamzor.sav");  // where the player finds it
    EXPECT_TRUE(refused);
    EXPECT_STREQ(info_string, "Not saved: tamzor.sav.tmp: Is a directory");
    info_string[0] = 0;

    // a refused board move is named by its board
    NewGame(3);
    char text[64];
    MOVE_T m;
    InitMove(&m, AB_QLW, ABW_QL1, ABW_QL5, INF_VALUE, 'T', false);
    IllegalMoveText(&state.position, &m, text, sizeof text);
    EXPECT_STREQ(text, "QL white to QL5: a board may carry one piece at most");
    InitMove(&m, W_ROOK, A1, A5, INF_VALUE, '-', false);
    IllegalMoveText(&state.position, &m, text, sizeof text);
    EXPECT_EQ(std::string(text).find("  "), std::string::npos) << text;
}

namespace {
// Every word of a text, in order.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}
// A font of its own: letters of different widths.
int Width(const std::string& s) {
    int w = 0;
    for (char c : s) w += c == ' ' ? 4 : (c == 'm' || c == 'W') ? 13 : (c == 'i' || c == 'l') ? 3 : 8;
    return w;
}
}  // namespace

// Lines never wider than the room unless a single word is; breaks only at
// spaces; every word kept in order; a newline breaks and a closing one adds
// nothing.
TEST(WrapText, WithinTheWidthAtSpacesEveryWordInOrder) {
    std::mt19937 rng(7);
    const char* const pool[] = {"a", "saved", "game", "is", "34496", "the", "file", "mmmmmmmmmmmmmmmm",
                                "no", "restored:", "tamzor.sav:", "illegal", "move", "Qe9-d8(6)+", "W"};
    for (int round = 0; round < 300; round++) {
        std::string text;
        const int n = (int)(rng() % 25);
        for (int i = 0; i < n; i++) text += std::string(i ? (rng() % 5 ? " " : "  ") : "") + pool[rng() % 15];
        const int max = 20 + (int)(rng() % 300);
        const std::vector<std::string> lines = WrapText(text, Width, max);
        SCOPED_TRACE(text + " / " + std::to_string(max));
        std::vector<std::string> again;
        for (size_t i = 0; i < lines.size(); i++) {
            const std::vector<std::string> w = Words(lines[i]);
            EXPECT_FALSE(w.empty());
            EXPECT_TRUE(Width(lines[i]) <= max || w.size() == 1) << lines[i];
            // the next line's first word would not have fitted here
            if (i + 1 < lines.size()) {
                EXPECT_GT(Width(lines[i] + " " + Words(lines[i + 1])[0]), max);
            }
            again.insert(again.end(), w.begin(), w.end());
        }
        EXPECT_EQ(again, Words(text));
    }
    const std::string message = "no game restored: tamzor.sav: the file is 1234 bytes long, a saved game is 34496";
    const std::vector<std::string> lines = WrapText(message, Width, 200);
    ASSERT_GT(lines.size(), 1u);
    EXPECT_EQ(lines.back().substr(lines.back().size() - 5), "34496");
    EXPECT_EQ(WrapText("difficulty: HARD\n", Width, 500), std::vector<std::string>{"difficulty: HARD"});
    EXPECT_EQ(WrapText("one\n\ntwo", Width, 500), (std::vector<std::string>{"one", "", "two"}));
    EXPECT_TRUE(WrapText("", Width, 100).empty());
}

// Every key the keyboard handlers act on is on the help page: the case
// labels of their switches are read from the sources.
TEST(HelpPage, NamesEveryKeyTheHandlersTakeAndFitsItsWidth) {
    std::set<std::string> named;
    int count = 0;
    const HELP_ITEM_T* items = HelpItems(&count);
    ASSERT_GT(count, 20);
    for (int i = 0; i < count; i++) {
        ASSERT_TRUE(items[i].text && *items[i].text);
        if (items[i].kind == HELP_KEY)
            for (const std::string& k : HelpKeyNames(items[i].keys)) named.insert(k);
    }
    // the names of the labels that are not the key's own letter or F key
    const std::map<std::string, std::string> names = {
        {"27", "Esc"}, {"'\\t'", "Tab"}, {"'\\r'", "Enter"}, {"' '", "Space"}, {"GLUT_KEY_LEFT", "Left"},
        {"GLUT_KEY_RIGHT", "Right"}, {"GLUT_KEY_UP", "Up"}, {"GLUT_KEY_DOWN", "Down"}, {"GLUT_KEY_PAGE_UP", "PgUp"},
        {"GLUT_KEY_PAGE_DOWN", "PgDn"}};
    // modifiers alone, and the page's own scrolling keys, are not listed
    const std::regex label("case (27|'\\\\?.'|GLUT_KEY_([A-Z0-9_]+)):"), unlisted(".*(SHIFT|CTRL|ALT).*|HOME|END");
    int labels = 0;
    for (const char* file : {"Keyboard.cpp", "KeyboardSpecial.cpp"}) {
        const std::string src = ReadFile(std::string(TAMZOR_SOURCE_DIR "/src/view/") + file);
        ASSERT_FALSE(src.empty()) << file;
        for (std::sregex_iterator it(src.begin(), src.end(), label), end; it != end; ++it) {
            const std::string l = (*it)[1], glut = (*it)[2];
            if (std::regex_match(glut, unlisted)) continue;
            const std::string name = names.count(l) ? names.at(l) : l[0] == '\'' ? l.substr(1, 1) : glut;
            labels++;
            EXPECT_TRUE(names.count(l) || l[0] == '\'' || std::regex_match(glut, std::regex("F[0-9]+"))) << l;
            EXPECT_TRUE(named.count(name)) << "key " << name << " (" << file << ") is not on the help page";
        }
    }
    EXPECT_GT(labels, 35);

    // Laid out in a wide and in a narrow page: no line wider than the page,
    // and every word of the texts kept, in order.
    std::vector<std::string> words;
    for (int i = 0; i < count; i++) {
        std::vector<std::string> w = Words(items[i].text);
        words.insert(words.end(), w.begin(), w.end());
    }
    for (int width : {700, 300, 120}) {
        const std::vector<HELP_LINE_T> lines = HelpPageLines(Width, width, 110);
        std::vector<std::string> shown;
        for (const HELP_LINE_T& line : lines) {
            const std::vector<std::string> w = Words(line.text);
            EXPECT_TRUE(line.indent + Width(line.text) <= width || w.size() == 1) << width << ": " << line.text;
            shown.insert(shown.end(), w.begin(), w.end());
        }
        EXPECT_EQ(shown, words) << width;
        EXPECT_EQ(HelpScroll(0, 1000, (int)lines.size(), 10), (int)lines.size() - 10);
        EXPECT_EQ(HelpScroll(5, -1000, (int)lines.size(), 10), 0);
    }
    EXPECT_EQ(HelpScroll(0, 3, 5, 10), 0) << "a page that fits does not scroll";
}

// A promotion is held until a piece is chosen: the letter makes the move's
// symbol, another letter leaves it waiting, Esc or a changed game drops it.
TEST(PromotionChoice, HeldChosenCancelledAndDroppedIn2DAndOnABoardIn3D) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    std::string error;
    auto fen = [&](const char* text) {
        NewGameState(2);
        return SetUpFen(text, &error);
    };
    ASSERT_TRUE(fen("k7/4P3/8/8/8/8/8/4K2R w - - 0 1")) << error;
    POS_T* b = &state.position;
    // the core's reports of the moves stay off the test's output
    auto quiet = [](auto f) {
        testing::internal::CaptureStdout();
        const bool r = f();
        testing::internal::GetCapturedStdout();
        return r;
    };
    MOVE_T push, king;
    InitMove(&push, W_PAWN, E7, E8, INF_VALUE, '-', false);
    InitMove(&king, W_KING, E1, E2, INF_VALUE, '-', false);
    EXPECT_TRUE(IsPromotionMove(b, &push));
    EXPECT_FALSE(IsPromotionMove(b, &king));

    OpenPromotionChoice(b, &push);
    EXPECT_TRUE(PromotionChoiceValid(b));
    EXPECT_EQ(promotion_choice.side, 1);
    MOVE_T chosen;
    EXPECT_FALSE(TakePromotionChoice(b, 'K', &chosen));
    EXPECT_TRUE(PromotionChoiceValid(b)) << "another letter leaves it waiting";
    CancelPromotionChoice();
    EXPECT_FALSE(TakePromotionChoice(b, 'N', &chosen));

    OpenPromotionChoice(b, &push);
    ASSERT_TRUE(TakePromotionChoice(b, 'n', &chosen));
    EXPECT_FALSE(PromotionChoiceValid(b));
    EXPECT_EQ(chosen.move_symbol, 'N');
    EXPECT_EQ(chosen.from, (SQ_T)E7);
    ASSERT_TRUE(quiet([&] { return PlayerMoved(b, &chosen); }));
    EXPECT_EQ(b->board[E8], W_KNIGHT);

    // held over a position that then changes: dropped
    quiet([] { UndoMoves(1); return true; });
    ASSERT_EQ(b->board[E7], W_PAWN);
    OpenPromotionChoice(b, &push);
    ASSERT_TRUE(quiet([&] { return PlayerMoved(b, &king); }));
    EXPECT_FALSE(TakePromotionChoice(b, 'Q', &chosen));
    quiet([] { UndoMoves(1); return true; });
    EXPECT_FALSE(PromotionChoiceValid(b)) << "closed for good";
    ASSERT_TRUE(fen("k7/4P3/8/8/8/8/8/4K2R w - - 0 1"));
    OpenPromotionChoice(b, &push);
    ASSERT_TRUE(fen("k7/4P3/8/8/8/8/8/4K3 w - - 0 1"));
    EXPECT_FALSE(PromotionChoiceValid(b)) << "a new game";

    // a pinned pawn does not promote; Black's pawn shows Black's pieces
    ASSERT_TRUE(fen("4r2k/4P3/8/8/8/8/8/4K3 w - - 0 1"));
    EXPECT_FALSE(IsPromotionMove(b, &push));
    ASSERT_TRUE(fen("7k/8/8/8/8/8/p7/2K5 b - - 0 1"));
    MOVE_T black;
    InitMove(&black, B_PAWN, A2, A1, INF_VALUE, '-', false);
    ASSERT_TRUE(IsPromotionMove(b, &black));
    OpenPromotionChoice(b, &black);
    EXPECT_EQ(promotion_choice.side, -1);
    ASSERT_TRUE(TakePromotionChoice(b, 'R', &chosen));
    ASSERT_TRUE(quiet([&] { return PlayerMoved(b, &chosen); }));
    EXPECT_EQ(b->board[A1], B_ROOK);

    // In 3D an attack board that carries a pawn to the far end asks the same.
    NewGameState(3);
    // White's queen-side board on QL4 with a pawn on its upper row, Black's
    // queen-side board emptied and out of the way on QL3
    for (SQ_T sq : {A1, A2, B1, B2, A7, A8, B7, B8}) b->board[sq] = 0;
    b->board[A2] = W_PAWN;
    b->whereis_board[0] = ABW_QL4;
    b->whereis_board[1] = ABW_QL3;
    ASSERT_TRUE(CreatePBoard(b));
    UpdateMaps(b);
    MOVE_T move, plain;
    BuildBoardMove(b, AB_QLW, ABW_QL6, &move);
    BuildBoardMove(b, AB_QLW, ABW_KL4, &plain);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(IsPromotionMove(b, &move));
    EXPECT_FALSE(IsPromotionMove(b, &plain));
    OpenPromotionChoice(b, &move);
    ASSERT_TRUE(TakePromotionChoice(b, 'B', &chosen));
    ASSERT_TRUE(PlayerMoved(b, &chosen));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(b->whereis_board[0], ABW_QL6);
    EXPECT_EQ(b->board[A2], W_BISHOP);
}


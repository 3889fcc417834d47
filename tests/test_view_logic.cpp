// The window program's input logic that needs no display.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

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
    // an example after the colon is shown as written
    EXPECT_STREQ(MarkedLabel("tournament: b3N, z0QL1", true, false, out, sizeof out), "TOURNAMENT: b3N, z0QL1");
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
    EXPECT_EQ(state.notation, NOTATION_DEFAULT);
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
    // KL6 -> wraps to QL1, free now (the board's men, its king among them, taken off)
    for (SQ_T cell : {22u, 23u, 30u, 31u}) b->board[cell] = 0;
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

// The picture is the largest square beside the list, centred; the list keeps
// to its column; nothing overlaps or leaves the window.
TEST(Layout, SquarePictureCentredBesideTheList) {
    for (int w : {300, 640, 800, 1000, 1600})
        for (int h : {200, 700, 800, 1200})
            for (bool panel : {false, true}) {
                const LAYOUT_T l = ViewLayout(w, h, panel);
                SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + (panel ? " list" : ""));
                EXPECT_EQ(l.panel_w > 0, panel);
                EXPECT_EQ(l.panel_x + l.panel_w, w);
                EXPECT_LE(l.pic_x + l.pic_size, l.panel_x);
                EXPECT_LE(l.pic_y + l.pic_size, h);
                EXPECT_GE(l.pic_x, 0);
                EXPECT_GE(l.pic_y, 0);
                EXPECT_TRUE(l.pic_size == l.panel_x || l.pic_size == h);  // as large as it fits
                EXPECT_LE(std::abs((l.panel_x - l.pic_size) - 2 * l.pic_x), 1);
                EXPECT_LE(std::abs((h - l.pic_size) - 2 * l.pic_y), 1);
            }
    EXPECT_EQ(ViewLayout(800, 800, false).pic_size, 800);
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

TEST(PickNames, MarkersThenPostsThenCellsUnlessCellsAreWanted) {
    // a cell, a post and a pin marker under one pixel, in drawing order
    const unsigned int all[] = {2, 0, 0, 1, 2, 2, 0, 0, 0, 100, 2, 0, 0, PIN_PICK_NAME, ABW_QL3};
    EXPECT_EQ(DecodePickHits(all, 3, false), (SQ_T)ABW_QL3);
    EXPECT_EQ(DecodePickHits(all, 2, false), (SQ_T)AB_QLW);
    EXPECT_EQ(DecodePickHits(all, 2, false, 0, 0, true), 10u);
    const unsigned int post_only[] = {2, 0, 0, 2, 116};
    EXPECT_EQ(DecodePickHits(post_only, 1, false, 0, 0, true), (SQ_T)AB_KLW);
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

TEST(KKey, AKingsBoardStaysAndTheEditIsTheStart) {
    NewGame(3);
    POS_T* b = &state.position;
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

TEST(ConfirmKeys, SecondPressActsOtherKeysForget) {
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
}

TEST(Messages, ARefusedBoardMoveIsNamedByItsBoard) {
    NewGame(3);
    char text[64];
    MOVE_T m;
    InitMove(&m, AB_QLW, ABW_QL1, ABW_QL5, INF_VALUE, 'T', false);
    IllegalMoveText(&state.position, &m, text, sizeof text);
    EXPECT_STREQ(text, "illegal move: QL white to QL5");
    InitMove(&m, W_ROOK, A1, A5, INF_VALUE, '-', false);
    IllegalMoveText(&state.position, &m, text, sizeof text);
    EXPECT_EQ(std::string(text).find("  "), std::string::npos) << text;
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

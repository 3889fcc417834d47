// The window's moves from the keyboard, clicks in the move list and browsing
// the game: the parts that need no display.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cli.h"
#include "viewlogic.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
// The core's reports of moves stay off the test's output.
template <class F>
auto Quiet(F f) {
    testing::internal::CaptureStdout();
    struct RELEASE_T {
        ~RELEASE_T() { testing::internal::GetCapturedStdout(); }
    } release;
    return f();
}

bool SameMove(const MOVE_T& a, const MOVE_T& b) {
    return a.from == b.from && a.to == b.to && a.piece_moving == b.piece_moving && a.move_symbol == b.move_symbol;
}

// A game of `dmode` with `moves` played (tokens or texts).
void Game(int dmode, const std::string& moves) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    NewGameState(dmode);
    StoreShared(state.tamzor, TAMZOR_OFF);
    std::string error;
    ASSERT_TRUE(Quiet([&] { return PlayUserMoves(moves, &error); })) << error;
}

// Every legal move of the live position reads back from its token and its
// text (a promotion's bare text asks for the piece), in each 3D notation.
void EveryMoveReadsBack(const std::string& where) {
    POS_T* b = &state.position;
    const int notation = LoadShared(state.notation);
    for (int style : {NOTATION_ZARVIC, NOTATION_STANDARD, NOTATION_ALGEBRAIC}) {
        if (state.dmode == 2 && style != notation) continue;
        StoreShared(state.notation, style);
        const std::vector<MOVE_TEXT_T> legal = LegalMoveTexts(b);
        ASSERT_FALSE(legal.empty()) << where;
        for (const MOVE_TEXT_T& m : legal) {
            const TYPED_ENTRY_T token = ReadTypedEntry(b, m.token, NO_SQUARE);
            EXPECT_EQ(token.kind, TYPED_ENTRY_T::MOVE) << where << ": " << m.token << " " << token.reason;
            EXPECT_TRUE(SameMove(token.move, m.move)) << where << ": " << m.token;
            if (m.text == "?") continue;
            const TYPED_ENTRY_T text = ReadTypedEntry(b, m.text, NO_SQUARE);
            EXPECT_EQ(text.kind, TYPED_ENTRY_T::MOVE) << where << ": " << m.text << " " << text.reason;
            EXPECT_TRUE(SameMove(text.move, m.move)) << where << ": " << m.text << " style " << style;
            if (state.dmode == 2) {
                const std::string san = SanText(b, m.move);
                const TYPED_ENTRY_T s = ReadTypedEntry(b, san, NO_SQUARE);
                EXPECT_TRUE(s.kind == TYPED_ENTRY_T::MOVE && SameMove(s.move, m.move)) << where << ": " << san;
            }
            if (m.bare != m.text) {
                const TYPED_ENTRY_T bare = ReadTypedEntry(b, m.bare, NO_SQUARE);
                EXPECT_EQ(bare.kind, TYPED_ENTRY_T::PROMOTION) << where << ": " << m.bare << " " << bare.reason;
                EXPECT_EQ(bare.move.to, m.move.to);
            }
        }
    }
    StoreShared(state.notation, notation);
}
}  // namespace

TEST(TypedMoves, EveryLegalMoveReadsBackByItsTextAndToken) {
    const std::pair<int, const char*> games[] = {
        {2, ""},
        {2, "e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1 f8c5 d2d4 e5d4"},
        {3, ""},
        {3, "h1c3 h8c6 f2b4 e7a5 e2a4"},
    };
    for (auto [dmode, moves] : games) {
        Game(dmode, moves);
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        EveryMoveReadsBack(std::to_string(dmode) + "D after '" + moves + "'");
    }
    // promotions: with the piece, the move; without it, the chooser
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    NewGameState(2);
    std::string error;
    ASSERT_TRUE(SetUpFen("1r5k/P7/8/8/8/8/8/K7 w - - 0 1", &error)) << error;
    EveryMoveReadsBack("2D promotion");
    POS_T* b = &state.position;
    for (const char* text : {"a8", "a7a8", "a8=", "axb8", "a7b8"})
        EXPECT_EQ(ReadTypedEntry(b, text, NO_SQUARE).kind, TYPED_ENTRY_T::PROMOTION) << text;
    for (const char* text : {"a8=N", "a8N", "a7a8n", "axb8=Q"}) {
        const TYPED_ENTRY_T e = ReadTypedEntry(b, text, NO_SQUARE);
        EXPECT_EQ(e.kind, TYPED_ENTRY_T::MOVE) << text;
        EXPECT_EQ(e.move.move_symbol, text[strlen(text) - 1] == 'Q' ? 'Q' : 'N') << text;
    }
}

TEST(TypedMoves, CellsAmbiguityAndReasons) {
    Game(2, "g1f3 g8f6 b1c3 b8c6");
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    POS_T* b = &state.position;
    // a cell with a piece is chosen; an empty cell a move reaches is the
    // move, unless a piece is chosen: then it is where that goes; an empty
    // cell the pawn of its file may not reach is that pawn's refused move; the program's text in
    // another case, when only one move has it; an illegal token says why, as
    // a click does. `at` is the cell's or the move's from and to.
    using E = TYPED_ENTRY_T;
    struct ROW_T {
        const char* text;
        SQ_T selected;
        E::KIND_E kind;
        std::vector<SQ_T> at;
        const char* why;
    };
    for (const ROW_T& r : {ROW_T{" e2 ", NO_SQUARE, E::CELL, {E2}, ""}, {"e4", NO_SQUARE, E::MOVE, {E2, E4}, ""},
                           {"e4", E2, E::CELL, {E4}, ""}, {"e6", NO_SQUARE, E::REFUSED, {}, "e2-e6: a pawn moves one cell"},
                           {"ng5", NO_SQUARE, E::MOVE, {F3, G5}, ""}, {"f3f5", NO_SQUARE, E::REFUSED, {}, "knight"},
                           {"e2e5", NO_SQUARE, E::REFUSED, {}, "pawn"}, {"Qh9", NO_SQUARE, E::REFUSED, {}, "no cell h9"},
                           // a piece and where it goes, refused, says why as the token does
                           {"Ke3", NO_SQUARE, E::REFUSED, {}, "Ke1-e3: a king moves one cell"},
                           {"Qd3+", NO_SQUARE, E::REFUSED, {}, "the pawn on d2 is in the way"},
                           {"Bb5", NO_SQUARE, E::REFUSED, {}, "Bb5: no bishop of yours can go to b5"},
                           {"O-O", NO_SQUARE, E::REFUSED, {}, "the bishop on f1 is in the way"},
                           {"  ", NO_SQUARE, E::REFUSED, {}, ""}}) {
        const TYPED_ENTRY_T e = ReadTypedEntry(b, r.text, r.selected);
        EXPECT_EQ(e.kind, r.kind) << r.text << ": " << e.reason;
        EXPECT_TRUE(r.at.size() != 1 || e.target == r.at[0]) << r.text;
        EXPECT_TRUE(r.at.size() != 2 || (e.move.from == r.at[0] && e.move.to == r.at[1])) << r.text;
        EXPECT_NE(e.reason.find(r.why), std::string::npos) << r.text << ": " << e.reason;
    }
    // not while the computer is on move, nor after the end; a cell still is
    StoreShared(state.tamzor, TAMZOR_WHITE);
    TYPED_ENTRY_T e = ReadTypedEntry(b, "e4", NO_SQUARE);
    EXPECT_EQ(e.kind, TYPED_ENTRY_T::REFUSED);
    EXPECT_EQ(e.reason, WAIT_TEXT);
    EXPECT_EQ(ReadTypedEntry(b, "e2", NO_SQUARE).kind, TYPED_ENTRY_T::CELL);
    StoreShared(state.tamzor, TAMZOR_OFF);
    b->winner = 2;
    EXPECT_EQ(ReadTypedEntry(b, "e4", NO_SQUARE).reason, "the game is over");
    b->winner = 0;
    // an ambiguous text names the candidates
    ASSERT_TRUE(Quiet([] {
        std::string error;
        return PlayUserMoves("e2e3 e7e6 f3d4 f6d5", &error);
    }));
    e = ReadTypedEntry(b, "Ne2", NO_SQUARE);
    ASSERT_EQ(e.kind, TYPED_ENTRY_T::REFUSED);
    EXPECT_NE(e.reason.find("ambiguous"), std::string::npos) << e.reason;

    // 3D: a bare name of one cell with a piece is that cell; a pawn's move
    // text, the name of the empty cell it goes to, is the move
    Game(3, "");
    e = ReadTypedEntry(&state.position, "b2", NO_SQUARE);
    EXPECT_EQ(e.kind, TYPED_ENTRY_T::CELL) << e.reason;  // b2W holds a pawn
    e = ReadTypedEntry(&state.position, "a4N", NO_SQUARE);
    EXPECT_EQ(e.kind, TYPED_ENTRY_T::MOVE) << e.reason;
    // a cell a board may bring, and a pawn's step too far, typed
    EXPECT_EQ(ReadTypedEntry(&state.position, "Ke3", NO_SQUARE).reason, "Ke3: there is no cell e3 now");
    EXPECT_EQ(ReadTypedEntry(&state.position, "Nc3", NO_SQUARE).reason, "Nc3: c3N or c3W?") << "both are open";
    EXPECT_EQ(ReadTypedEntry(&state.position, "Nd3", NO_SQUARE).reason,
              "a knight moves two cells, then one to the side");
    EXPECT_NE(ReadTypedEntry(&state.position, "a5N", NO_SQUARE).reason.find("two at its first move"), std::string::npos);
    // both cells in full, as a refusal names a move: the move, with or
    // without its piece's letter
    for (const char* text : {"b2W-b4N", "b2Wb4N", "Pb2W-b4N", "Nd1W-c3N"}) {
        e = ReadTypedEntry(&state.position, text, NO_SQUARE);
        EXPECT_EQ(e.kind, TYPED_ENTRY_T::MOVE) << text << ": " << e.reason;
    }
    EXPECT_EQ(ReadTypedEntry(&state.position, "d1Wd3N", NO_SQUARE).reason, "a knight moves two cells, then one to the side");
}

TEST(MoveListClicks, EveryListedPlyIsHitWhereItIsDrawn) {
    // first..last plies, as the list lays them out from `shown` on
    for (int first : {0, 1, 6}) {
        for (int shown : {0, 2}) {
            const int last = first + 11;
            MOVE_LIST_GEOM_T g{600, 200, 40, 22, 8, shown, 650, 720, 60, 8, first, last};
            std::vector<MOVE_LINE_T> lines(last / 2 + 2);
            const int count = MoveListLines(first, last, -1, lines.data(), (int)lines.size());
            int hit = 0;
            for (int i = 0; i < count; i++) {
                const int base = g.top + (i - shown + 1) * g.line_h;
                const bool visible = i >= shown && i - shown < g.rows;
                for (auto [ply, col] : {std::pair{lines[i].white_ply, g.col_white}, {lines[i].black_ply, g.col_black}}) {
                    if (!ply) continue;
                    const int got = MoveListHit(g, col + 10, base - 3);
                    if (visible) {
                        EXPECT_EQ(got, ply) << "first " << first << " line " << i;
                        hit++;
                    } else {
                        EXPECT_NE(got, ply);
                    }
                }
            }
            EXPECT_GE(hit, 7);
            EXPECT_EQ(MoveListHit(g, 599, 100), -1) << "left of the list";
            EXPECT_EQ(MoveListHit(g, 610, 20), 0) << "its heading";
            EXPECT_EQ(MoveListHit(g, 610, 40 + 9 * 22), 0) << "below its lines";
        }
    }
    EXPECT_EQ(MoveListHit(MOVE_LIST_GEOM_T{}, 10, 10), -1) << "no list shown";
}

TEST(Browse, StepsAskBeforeACutAndNothingIsLostWithoutIt) {
    Game(2, "e2e4 e7e5 g1f3 b8c6 f1c4");
    auto board = [] {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        return std::vector<int>(state.position.board, state.position.board + 64);
    };
    const std::vector<int> end = board();
    Quiet([] { BrowseTo(2); });
    ASSERT_TRUE(Browsing());
    EXPECT_EQ(ShownPly(), 2);
    EXPECT_EQ(GameLength(), 5);
    EXPECT_EQ(state.position.move_num, 2) << "the browsed position is whole: White to move";
    EXPECT_EQ(state.position.board[G1], W_KNIGHT);
    EXPECT_EQ(state.position.board[E5], B_PAWN);
    EXPECT_EQ(BrowseBanner(2, 0), "Viewing the position after 1... e5 - End returns to the game");
    EXPECT_EQ(BrowseBanner(0, 0), "Viewing the start position - End returns to the game");

    // a refused move says why and asks nothing
    MOVE_T bad, d4, nf3;
    InitMove(&bad, W_KNIGHT, G1, G3, INF_VALUE, '-', false);
    InitMove(&d4, W_PAWN, D2, D4, INF_VALUE, '-', false);
    InitMove(&nf3, W_KNIGHT, G1, F3, INF_VALUE, '-', false);
    info_string[0] = 0;
    Quiet([&] { PlayPlayersMove(&bad, true); });
    EXPECT_NE(std::string(info_string).find("knight"), std::string::npos) << info_string;
    // a move asks first; another move asks anew; only the same one again cuts
    Quiet([&] { PlayPlayersMove(&d4, true); });
    EXPECT_NE(std::string(info_string).find("drops the 3 moves after it"), std::string::npos) << info_string;
    Quiet([&] { PlayPlayersMove(&nf3, true); });
    EXPECT_TRUE(Browsing());
    EXPECT_EQ(GameLength(), 5) << "nothing lost yet";
    // stepping forgets the question
    Quiet([] { BrowseTo(3); BrowseTo(-4); });
    EXPECT_EQ(ShownPly(), 0) << "not before the start";
    Quiet([] { BrowseTo(2); });
    Quiet([&] { PlayPlayersMove(&nf3, true); });
    EXPECT_TRUE(Browsing()) << "asked again after the steps";
    // End: the game as it was
    Quiet([] { BrowseTo(99); });
    EXPECT_FALSE(Browsing());
    EXPECT_EQ(state.position.move_num, 5);
    EXPECT_EQ(board(), end);

    // the cut: the same move twice plays it, the moves after it dropped
    Quiet([&] { BrowseTo(2); PlayPlayersMove(&d4, true); PlayPlayersMove(&d4, true); });
    EXPECT_FALSE(Browsing());
    EXPECT_EQ(state.position.move_num, 3);
    EXPECT_EQ(state.game_record[2].from, (SQ_T)D2);
    EXPECT_EQ(state.position.board[D4], W_PAWN);
    EXPECT_EQ(state.position.board[F3], 0);
}

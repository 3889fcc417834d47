// Names of cells and pins in the three notation styles, and the move texts of the list and the record.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

namespace {

std::string Name(SQ_T sq) { return PosStr(&state.position, sq); }

TEST(Notation, CellNamesInEachStyle) {
    ASSERT_TRUE(NewGameState(2));
    EXPECT_EQ(posstr3D(&state.position, E4), nullptr);
    // the rotating buffers hold three earlier results
    const char* names[] = {PosStr(&state.position, A1), PosStr(&state.position, B2),
                           PosStr(&state.position, E4), PosStr(&state.position, H8)};
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
        {NOTATION_ZARVIC, ABW_QL1, D8, "e9"},   {NOTATION_ZARVIC, ABW_QL1, C8, "d9"},
        {NOTATION_STANDARD, ABW_QL1, E2, "b2"}, {NOTATION_STANDARD, ABW_QL1, A3, "b3"},
        {NOTATION_STANDARD, ABW_QL1, D1, "f0"}, {NOTATION_STANDARD, ABW_QL1, D8, "f9"},
        {NOTATION_STANDARD, ABW_QL1, C7, "e8"}, {NOTATION_ZARVIC, ABW_QL3, A1, "z2"},
        {NOTATION_ZARVIC, ABW_KL4, B2, "e7"},
    };
    for (const auto& c : cells) {
        ASSERT_TRUE(NewGameState(3));
        state.notation = c.notation;
        state.position.whereis_board[0] = c.qlw;
        EXPECT_EQ(Name(c.sq), c.name)
            << "notation " << c.notation << ", board at " << c.qlw << ", cell " << c.sq;
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
            std::set<std::string> names, full;
            for (SQ_T sq = 0; sq < 64; sq++) {
                std::string n = Name(sq);
                ASSERT_EQ(n.size(), 2u);
                names.insert(n + std::to_string(GetLevel(&state.position, sq)));
                // the name with its level or board, as the move list and the refusals give it
                char cell[16];
                CellName(&state.position, sq, cell, sizeof cell);
                ASSERT_EQ(std::string(cell).find("OOC"), std::string::npos) << cell;
                full.insert(cell);
            }
            ASSERT_EQ(names.size(), 64u);
            ASSERT_EQ(full.size(), 64u);
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


// A position built on a bare board; the attack boards on their start pins unless given.
void Place(int dmode, std::initializer_list<PLACED_T> pieces, bool white_to_move,
           uint64_t flags = 0, SQ_T enpassant = 0, const int* pins = nullptr) {
    ASSERT_TRUE(NewGameState(dmode));
    POS_T* b = &state.position;
    memset(b->board, 0, sizeof b->board);
    for (const PLACED_T& p : pieces) b->board[p.sq] = p.piece;
    if (pins)
        for (int i = 0; i < 4; i++) b->whereis_board[i] = pins[i];
    b->flags = flags;
    b->move_num = white_to_move ? 0 : 1;
    b->enpassant = enpassant;
    ASSERT_TRUE(CreatePBoard(b));
    UpdateMaps(b);
}

// The text GetMoveCount gives the move, or "<none>" when it lists no such move.
std::string TextOf(int piece, SQ_T from, SQ_T to) {
    std::vector<MOVE_T> list(MOVE_LIST_SIZE);
    GetMoveCount(&state.position, list.data());
    MOVE_T m{from, to, INF_VALUE, piece, '-', 0};
    for (int i = 0; i < da_n; i++)
        if (da_moves[i].piece_moving == piece && da_moves[i].from == from && da_moves[i].to == to)
            return ShortDisambiguateMovestr(&m);
    return "<none>";
}

std::string Direct(MOVE_T m) {
    char buf[16];
    const char* s = ShortMovestr(&state.position, &m, buf);
    return s ? s : "<null>";
}

TEST(MoveText, TwoDimensionalTexts) {
    // en passant: nothing stands on the destination; a capture names the piece taken
    Place(
        2,
        {{E1, W_KING}, {E8, B_KING}, {E5, W_PAWN}, {D5, B_PAWN}, {C4, W_PAWN}, {B5, B_KNIGHT}, {D4, W_PAWN}},
        true, 0, D6);
    EXPECT_EQ(TextOf(W_PAWN, E5, E6), "e6");
    EXPECT_EQ(TextOf(W_PAWN, E5, D6), "exd6ep?");
    EXPECT_EQ(TextOf(W_PAWN, C4, D5), "cxd5");
    EXPECT_EQ(TextOf(W_PAWN, C4, B5), "cxNb5");
    Place(2, {{E1, W_KING}, {E8, B_KING}, {F3, W_KNIGHT}, {D4, B_BISHOP}, {E5, B_PAWN}}, true);
    EXPECT_EQ(TextOf(W_KNIGHT, F3, D4), "NxBd4");
    EXPECT_EQ(TextOf(W_KNIGHT, F3, E5), "Nxe5");
    EXPECT_EQ(TextOf(W_KING, E1, D2), "Kd2");
    // two knights to one square: their files, or on one file their ranks
    Place(2, {{E1, W_KING}, {H8, B_KING}, {B3, W_KNIGHT}, {F3, W_KNIGHT}}, true);
    EXPECT_EQ(TextOf(W_KNIGHT, B3, D4), "Nbd4");
    EXPECT_EQ(TextOf(W_KNIGHT, F3, D4), "Nfd4");
    Place(2, {{E1, W_KING}, {H8, B_KING}, {C2, W_KNIGHT}, {C6, W_KNIGHT}}, true);
    EXPECT_EQ(TextOf(W_KNIGHT, C2, D4), "N2d4");
    EXPECT_EQ(TextOf(W_KNIGHT, C6, A7), "Na7");
    // two pawns taking on one square need no more than their files
    Place(2, {{E1, W_KING}, {H8, B_KING}, {C4, W_PAWN}, {E4, W_PAWN}, {D5, B_ROOK}}, true);
    EXPECT_EQ(TextOf(W_PAWN, C4, D5), "cxRd5");
    Place(2, {{E1, W_KING}, {A1, W_ROOK}, {H1, W_ROOK}, {E8, B_KING}}, true, FLAG_WK_CASTLE | FLAG_WQ_CASTLE);
    EXPECT_EQ(TextOf(W_KING, E1, G1), "O-O");
    EXPECT_EQ(TextOf(W_KING, E1, C1), "O-O-O");
    // the 3D start allows the king and rook to change places at once
    ASSERT_TRUE(NewGameState(3));
    for (int style : {0, 1, 2}) {
        state.notation = style;
        EXPECT_EQ(TextOf(W_KING, C1, D1), "O-O");
    }
}

TEST(MoveText, PromotionLetterAndCheckComeLastInEachStyle) {
    ASSERT_TRUE(NewGameState(2));
    EXPECT_EQ(Direct({G1, F3, INF_VALUE, W_KNIGHT, '-', 1}), "Nf3+");
    state.position.flags |= FLAG_W_PROMOTED;
    EXPECT_EQ(Direct({G1, F3, INF_VALUE, W_KNIGHT, 'N', 1}), "NNf3N+");
    // The marks are used up by the text.
    EXPECT_EQ(state.position.flags & (FLAG_W_PROMOTED | FLAG_B_PROMOTED), 0u);
    state.position.flags |= FLAG_B_PROMOTED;
    EXPECT_EQ(Direct({G1, F3, INF_VALUE, W_KNIGHT, '-', 0}), "Nf3Q");

    ASSERT_TRUE(NewGameState(3));
    state.notation = NOTATION_ZARVIC;
    EXPECT_EQ(Direct({H1, G3, INF_VALUE, W_KNIGHT, '-', 1}), "Nc3W+");
    state.notation = NOTATION_STANDARD;
    EXPECT_EQ(Direct({H1, G3, INF_VALUE, W_KNIGHT, '-', 1}), "Ne1-d3(2)+");
    state.position.flags |= FLAG_W_PROMOTED;
    EXPECT_EQ(Direct({H1, G3, INF_VALUE, W_KNIGHT, 'R', 1}), "Ne1Rd3(2)R+");
    // a board's move; a plain one ends at the closing parenthesis
    ASSERT_TRUE(NewGameState(3));
    MOVE_T m{ABW_QL1, ABW_QL3, INF_VALUE, AB_QLW, 'T', 0};
    state.notation = NOTATION_STANDARD;
    EXPECT_EQ(Direct(m), "QLWb3(4)");
    EXPECT_EQ(Direct({ABW_KL6, ABW_KL4, INF_VALUE, AB_KLB, 'T', 0}), "KLBe6(4)");
    EXPECT_EQ(Direct({ABW_QL3, ABW_QL6, INF_VALUE, AB_QLW, 'Q', 0}), "QLWb8(6)Q");
    state.notation = NOTATION_ZARVIC;
    EXPECT_EQ(Direct(m), "QL3");
    state.notation = NOTATION_ALGEBRAIC;
    EXPECT_EQ(Direct(m), "Q3");
}

// Two boards to one pin are told apart by their pins, one cell name on two levels by the level.
TEST(MoveText, ThreeDimensionalTextsTellMovesApart) {
    // both White boards empty; QLW on QL1 and KLW on QL4 can both go to QL2 and QL3
    const int pins[4] = {ABW_QL1, ABW_QL6, ABW_QL4, ABW_KL6};
    Place(3, {{F1, W_KING}, {F8, B_KING}}, true, 0, 0, pins);
    state.notation = NOTATION_ZARVIC;
    EXPECT_EQ(TextOf(AB_QLW, ABW_QL1, ABW_QL2), "QL1QL2");
    EXPECT_EQ(TextOf(AB_KLW, ABW_QL4, ABW_QL2), "QL4QL2");
    EXPECT_EQ(TextOf(AB_KLW, ABW_QL4, ABW_KL4), "KL4");
    state.notation = NOTATION_ALGEBRAIC;
    EXPECT_EQ(TextOf(AB_QLW, ABW_QL1, ABW_QL3), "Q1Q3");
    state.notation = NOTATION_STANDARD;
    EXPECT_EQ(TextOf(AB_QLW, ABW_QL1, ABW_QL2), std::string("QLW") + PosStr(&state.position, ABW_QL2) + "(" +
                                                   std::to_string(GetLevel(&state.position, ABW_QL2)) + ")");
    // rooks on white a3 and middle a3 both reach b3 on either level
    Place(3, {{H1, W_KING}, {H8, B_KING}, {E3, W_ROOK}, {A3, W_ROOK}}, true);
    state.notation = NOTATION_ZARVIC;
    EXPECT_EQ(TextOf(W_ROOK, E3, F3), "Rwb3W");
    EXPECT_EQ(TextOf(W_ROOK, A3, F3), "Rnb3W");
    EXPECT_EQ(TextOf(W_ROOK, A3, B3), "Rnb3N");
    // style 1 names the origin, and its level where the name is shared
    state.notation = NOTATION_STANDARD;
    EXPECT_EQ(TextOf(W_ROOK, E3, F3), "Rb3(2)-c3(2)");
    EXPECT_EQ(TextOf(W_ROOK, A3, F3), "Rb3(4)-c3(2)");
    // White-level c4 and middle-level c4 both step to c5 on the Black level
    Place(3, {{H1, W_KING}, {H8, B_KING}, {F4, W_PAWN}, {B4, W_PAWN}}, true);
    for (int notation : {NOTATION_ZARVIC, NOTATION_STANDARD, NOTATION_ALGEBRAIC}) {
        state.notation = notation;
        const std::string a = TextOf(W_PAWN, F4, F5), b = TextOf(W_PAWN, B4, F5);
        EXPECT_NE(a, b) << "notation " << notation;
        MOVE_T m;
        std::string error;
        ASSERT_TRUE(ReadMove(&state.position, a, &m, &error)) << error;
        EXPECT_EQ(m.from, (SQ_T)F4) << a;
        ASSERT_TRUE(ReadMove(&state.position, b, &m, &error)) << error;
        EXPECT_EQ(m.from, (SQ_T)B4) << b;
    }
    state.notation = NOTATION_STANDARD;
    EXPECT_EQ(TextOf(W_PAWN, F4, F5), "Pc4(2)-c5(6)");
}

TEST(MoveText, InvalidAndUnknownMovesAndTheLongestText) {
    ASSERT_TRUE(NewGameState(2));
    char buf[16];
    MOVE_T empty_from{E4, E5, INF_VALUE, W_PAWN, '-', 0};
    EXPECT_EQ(ShortMovestr(&state.position, &empty_from, buf), nullptr);
    std::vector<MOVE_T> list(MOVE_LIST_SIZE);
    EXPECT_EQ(GetMoveCount(&state.position, list.data()), 20);
    EXPECT_EQ(da_n, 20);
    MOVE_T unlisted{E2, E5, INF_VALUE, W_PAWN, '-', 0};
    EXPECT_EQ(ShortDisambiguateMovestr(&unlisted), nullptr);
    MOVE_T listed{E2, E4, INF_VALUE, W_PAWN, 'x', 0};  // the symbol is not compared
    ASSERT_NE(ShortDisambiguateMovestr(&listed), nullptr);
    EXPECT_STREQ(ShortDisambiguateMovestr(&listed), "e4");
    // the longest fits an entry: a three-letter prefix, the piece taken, a pin as level, "ep", promotion, "+"
    Place(3, {{H1, W_KING}, {H8, B_KING}, {E2, W_PAWN}, {A2, B_KNIGHT}}, true);
    state.notation = NOTATION_ZARVIC;
    snprintf(da_str_i, sizeof da_str_i, "QL1");
    state.position.flags |= FLAG_W_PROMOTED;
    char longest[24];
    memset(longest, 'Z', sizeof longest);
    MOVE_T m{E2, A2, INF_VALUE, W_PAWN, 'e', 1};
    ASSERT_NE(ShortMovestr(&state.position, &m, longest), nullptr);
    EXPECT_STREQ(longest, "aQL1xNz1QL1epQ+");
    EXPECT_EQ(strlen(longest), 15u);
    for (size_t i = 16; i < sizeof longest; i++) EXPECT_EQ(longest[i], 'Z') << i;
    da_str_i[0] = 0;
}

// Random games: every listed move gets a text of 1..15 characters in every style, found by the lookup.
void CheckTextsOverRandomGames(int dmode, int games, int plies) {
    std::mt19937 rng(12345 + dmode);
    std::vector<MOVE_T> list(MOVE_LIST_SIZE), legal(4 * MOVE_LIST_SIZE);
    int positions = 0;
    for (int g = 0; g < games; g++) {
        ASSERT_TRUE(NewGameState(dmode));
        POS_T* b = &state.position;
        for (int ply = 0; ply < plies; ply++) {
            for (int style : {0, 1, 2}) {
                state.notation = style;
                int n = GetMoveCount(b, list.data());
                for (int i = 0; i < n; i++) {
                    size_t len = strnlen(disambstrs[i], 16);
                    ASSERT_GE(len, 1u);
                    ASSERT_LE(len, 15u) << disambstrs[i];
                    ASSERT_STRNE(disambstrs[i], "BAD");
                    // the first entry of the same piece, from and to (promotions share one text)
                    int first = 0;
                    while (list[first].piece_moving != list[i].piece_moving ||
                           list[first].from != list[i].from || list[first].to != list[i].to)
                        first++;
                    ASSERT_EQ(ShortDisambiguateMovestr(&list[i]), disambstrs[first]) << i;
                }
            }
            positions++;
            int n = LegalMoves(b, legal.data());
            if (n == 0) break;
            MOVE_T m = legal[rng() % n];
            ASSERT_TRUE(DoMove(b, b, &m));
        }
    }
    EXPECT_GT(positions, games * 10);
}

TEST(MoveText, AllTextsFitOverRandomGames) {
    CheckTextsOverRandomGames(2, 40, 150);
    CheckTextsOverRandomGames(3, 40, 150);
}

std::string WithoutMark(std::string s) {
    while (!s.empty() && (s.back() == '+' || s.back() == '#')) s.pop_back();
    return s;
}

// The text in braces after the last move of a 3D game's PGN.
std::string LastPgnText(const std::string& pgn) {
    const size_t close = pgn.rfind('}'), open = pgn.rfind('{');
    return close != std::string::npos && open < close ? pgn.substr(open + 1, close - open - 1) : "<none>";
}

// One name for each move: the window and the tool start 3D games in one notation, in which every
// legal move of random games has one text in the tool's list, the record and the PGN, read back as it.
TEST(MoveText, EveryMoveHasOneDefaultTextInTheWindowTheToolAndPgn) {
    std::mt19937 rng(4242);
    static STATE_T live, before;
    int checked = 0;
    testing::internal::CaptureStdout();  // the window's record lines
    for (int rules : {RULES_TDCL, RULES_TOURNAMENT}) {
        for (int game = 0; game < 2; game++) {
            CLI_OPTIONS_T tool;
            tool.rules = rules;
            ASSERT_TRUE(SetUpGame(tool));
            const int tool_notation = state.notation;
            ASSERT_TRUE(NewGameState(3));  // a new game of the window
            ASSERT_EQ(state.notation, tool_notation);
            ASSERT_EQ(state.notation, NOTATION_ZARVIC);
            state.rules = rules;
            for (int ply = 0; ply < 30; ply++) {
                POS_T* b = &state.position;
                // the tool's `moves`: "token text" lines
                std::map<std::string, std::string> listed;
                std::istringstream lines(MovesText(b));
                for (std::string token, text; lines >> token >> text;) listed[token] = text;
                const std::vector<MOVE_TEXT_T> legal = LegalMoveTexts(b);
                if (legal.empty()) break;
                ASSERT_EQ(listed.size(), legal.size());
                // the writer names a move from the position before it: written from here, an edited start
                live = state;
                state.oeb.pos_0 = *b;
                state.oeb.inited = 1;
                before = state;
                const CAP_T captures = cap_t;
                for (const MOVE_TEXT_T& m : legal) {
                    SCOPED_TRACE(m.token + " at ply " + std::to_string(ply));
                    const std::string text = listed[m.token];
                    MOVE_T read;
                    std::string error;
                    ASSERT_TRUE(ReadMove(&state.position, text, &read, &error)) << text << ": " << error;
                    EXPECT_EQ(MoveToken(read), m.token) << text;
                    MOVE_T played = m.move;
                    ASSERT_TRUE(PlayerMoved(&state.position, &played));
                    EXPECT_EQ(WithoutMark(GameListGet(state.position.move_num)), WithoutMark(text));
                    EXPECT_EQ(WithoutMark(LastPgnText(PgnText(PGN_TAGS_T()))), WithoutMark(text));
                    state = before;
                    cap_t = captures;
                    checked++;
                }
                state = live;
                MOVE_T next = legal[rng() % legal.size()].move;
                ASSERT_TRUE(PlayerMoved(&state.position, &next));
                if (state.position.winner) break;
            }
        }
    }
    testing::internal::GetCapturedStdout();
    EXPECT_GT(checked, 2000);
}

}  // namespace

// A 3D en passant capture is one word, no piece letter, that reads back as the move.
TEST(MoveText, EnPassantIn3DIsOneWordThatReadsBack) {
    testing::internal::CaptureStdout();
    ASSERT_TRUE(NewGameState(3));
    std::istringstream texts("c4N c6B d4W Nb6B c5B Nc4N Bd3W b5B Nb3N Nc6N b3W N6a5B BxNc4N NxBc4N bxNc4N "
                             "bxc4N Na5N Ba6N Qc2W Bc7B Nxc4N Qb8B Bd2W O-O-O Ndb2W d5B");
    for (std::string text; texts >> text;) {
        MOVE_T m;
        std::string error;
        ASSERT_TRUE(ReadMove(&state.position, text, &m, &error)) << text << ": " << error;
        ASSERT_TRUE(PlayerMoved(&state.position, &m)) << text;
    }
    testing::internal::GetCapturedStdout();
    int en_passant = 0;
    for (const MOVE_TEXT_T& m : LegalMoveTexts(&state.position)) {
        EXPECT_EQ(m.text.find(' '), std::string::npos) << m.token << " '" << m.text << "'";
        if (m.move.move_symbol != 'e') continue;
        en_passant++;
        EXPECT_TRUE(m.text == "cxd6Bep" || m.text == "cxd6Nep") << m.text;  // d6 on two levels
        MOVE_T read;
        std::string error;
        ASSERT_TRUE(ReadMove(&state.position, m.text, &read, &error)) << error;
        EXPECT_EQ(MoveToken(read), m.token);
    }
    EXPECT_EQ(en_passant, 2);
}

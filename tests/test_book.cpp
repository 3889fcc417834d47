// The opening books: Polyglot's keys and codes, the 3D game's own, the weighted choice, broken files.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "cli.h"
#include "cli_runner.h"
#include "search/book.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {
std::string Temp(const std::string& name) {
    return testing::TempDir() + "tamzor_book_" + std::to_string(getpid()) + "_" + name;
}

void Game(int dmode, const std::string& moves) {
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    ASSERT_TRUE(SetUpGame(opt));
    std::string error;
    ASSERT_TRUE(PlayMoves(moves, &error)) << error;
}

uint16_t CodeOf(const std::string& token) {
    MOVE_T m;
    std::string error;
    EXPECT_TRUE(MoveFromToken(&state.position, token, &m, &error)) << token << ": " << error;
    return BookMoveCode(&state.position, m);
}
}  // namespace

TEST(Book, PolyglotKeysOfKnownPositions) {
    const std::pair<const char*, uint64_t> known[] = {  // en passant counts after f7f5
        {"", 0x463b96181691fc9cull}, {"e2e4", 0x823c9b50fd114196ull}, {"e2e4 d7d5", 0x0756b94461c50fb0ull},
        {"e2e4 d7d5 e4e5", 0x662fafb965db29d4ull}, {"e2e4 d7d5 e4e5 f7f5", 0x22a48b5a8e47ff78ull},
        {"e2e4 d7d5 e4e5 f7f5 e1e2", 0x652a607ca3f242c1ull},
    };
    for (const auto& [moves, key] : known) {
        Game(2, moves);
        EXPECT_EQ(PolyglotKey(&state.position), key) << moves;
        EXPECT_EQ(BookKey(&state.position), key) << moves;
    }
}

// Every legal move's code names it again; castling is the king taking its rook.
TEST(Book, MoveCodesNameTheirMoves) {
    const std::pair<int, const char*> games[] = {
        {2, ""}, {2, "e2e4 g8f6 e4e5 d7d5 g1f3 b8c6 f1b5 c8g4 b1c3 d8d7 e5f6 e8c8 f6g7 h7h6"},
        {3, ""}, {3, "c1d1 c8d8 h1c3 e7a5 d1h1 b7a6 c1d1 e8b6 g2g3 b8e6 e1b3 a8b8 b1e1 b8e7 e2e3"},
    };
    for (const auto& [dmode, moves] : games) {
        Game(dmode, moves);
        static MOVE_T legal[LEGAL_LIST_SIZE];
        const int n = LegalMoves(&state.position, legal);
        ASSERT_GT(n, 0);
        int boards = 0, promotions = 0;
        for (int i = 0; i < n; i++) {
            const std::string token = MoveToken(legal[i]);
            EXPECT_EQ(BookCodeToken(&state.position, BookMoveCode(&state.position, legal[i])), token)
                << moves;
            boards += IsAB(legal[i].piece_moving);
            promotions += token.size() == 5;
        }
        // g7xf8, g7g8 and g7xh8, four pieces each
        EXPECT_TRUE(!*moves || (dmode == 3 ? boards > 0 : promotions == 12)) << moves;
    }
    Game(2, "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5");
    EXPECT_EQ(CodeOf("e1g1"), 7 | 0 << 3 | 4 << 6 | 0 << 9);  // e1h1
    EXPECT_EQ(BookCodeToken(&state.position, 7 | 4 << 6), "e1g1");
    Game(2, "e2e4 g8f6 e4e5 d7d5 g1f3 b8c6 f1b5 c8g4 b1c3 d8d7 e5f6 e8c8 f6g7 h7h6");
    EXPECT_EQ(CodeOf("g7h8q"), 7 | 7 << 3 | 6 << 6 | 6 << 9 | 4 << 12);
    EXPECT_EQ(CodeOf("g7g8n"), 6 | 7 << 3 | 6 << 6 | 6 << 9 | 1 << 12);
}

// Moves come by their weights, weight 0 or illegal never; best-only takes the heaviest.
TEST(Book, ChoosesByWeight) {
    Game(2, "");
    const uint64_t key = BookKey(&state.position);
    const std::string bin = Temp("weights.bin");
    std::string error;
    ASSERT_TRUE(BookWrite(bin,
                          {{key, CodeOf("e2e4"), 3, 0},
                           {key, CodeOf("d2d4"), 1, 0},
                           {key, CodeOf("g1f3"), 0, 0},
                           {key, (uint16_t)(4 | 4 << 3 | 4 << 6 | 1 << 9), 100, 0},  // e2e5
                           {key, 0x7FFF, 50, 0},
                           {key + 1, CodeOf("c2c4"), 9, 0}},
                          &error))
        << error;
    EXPECT_EQ(BookMoves(&state.position, bin).size(), 3u);
    BookSeed(7);
    std::map<std::string, int> seen;
    for (int i = 0; i < 4000; i++) {
        MOVE_T m;
        ASSERT_TRUE(BookChoose(&state.position, bin, false, &m));
        seen[MoveToken(m)]++;
    }
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_NEAR(seen["e2e4"], 3000, 150);
    EXPECT_NEAR(seen["d2d4"], 1000, 150);
    MOVE_T m;
    for (int i = 0; i < 20; i++) {
        ASSERT_TRUE(BookChoose(&state.position, bin, true, &m));
        EXPECT_EQ(MoveToken(m), "e2e4");
    }
    // only moves never to be played: none
    ASSERT_TRUE(BookWrite(bin, {{key, CodeOf("g1f3"), 0, 0}}, &error));
    EXPECT_FALSE(BookChoose(&state.position, bin, false, &m));
    std::remove(bin.c_str());
}

// A file missing, a folder, another shape or noise: no move (or a legal one), never a crash.
TEST(Book, BrokenFilesGiveNoMove) {
    Game(2, "");
    MOVE_T m;
    std::vector<BOOK_ENTRY_T> entries;
    std::string error;
    EXPECT_FALSE(BookLookup(Temp("none-such.bin"), 1, &entries, &error));
    EXPECT_NE(error.find("no such file"), std::string::npos) << error;
    EXPECT_FALSE(BookChoose(&state.position, Temp("none-such.bin"), false, &m));
    EXPECT_FALSE(BookChoose(&state.position, testing::TempDir(), false, &m));
    EXPECT_FALSE(BookChoose(&state.position, "", false, &m));
    const std::string bin = Temp("broken.bin");
    std::ofstream(bin) << std::string(17, 'x');
    EXPECT_FALSE(BookLookup(bin, 1, &entries, &error));
    EXPECT_NE(error.find("not a book"), std::string::npos) << error;
    EXPECT_FALSE(BookChoose(&state.position, bin, false, &m));
    // noise with the start key in it now and then, unsorted
    const uint64_t key = BookKey(&state.position);
    std::string noise;
    uint64_t x = 12345;
    for (int i = 0; i < 4000; i++) {
        x = x * 6364136223846793005ull + 1442695040888963407ull;
        uint64_t k = i % 7 ? x : key;
        for (int b = 7; b >= 0; b--) noise += (char)(k >> (8 * b));
        for (int b = 0; b < 8; b++) noise += (char)(x >> (8 * b));
    }
    std::ofstream(bin, std::ios::binary) << noise;
    for (int i = 0; i < 50; i++)
        EXPECT_TRUE(!BookChoose(&state.position, bin, false, &m) || ListedMove(&state.position, &m));
    std::remove(bin.c_str());
}

// The 3D key is pinned (the books would need making again); a book written from a game
// reads back its moves; the installed books have moves for both starts.
TEST(Book, ThreeDBooksRoundTrip) {
    Game(3, "");
    EXPECT_EQ(BookKey(&state.position), state.position.hash1);
    EXPECT_EQ(BookKey(&state.position), 0x354c9653c0f185b0ull) << std::hex << BookKey(&state.position);
    const std::string line =
        "c1d1 c8d8 h1c3 e7a5 d1h1 b7a6 c1d1 e8b6 g2g3 b8e6 e1b3 a8b8 b1e1 b8e7 e2e3 qlb@ql4";
    std::vector<BOOK_ENTRY_T> entries;
    std::vector<std::string> tokens = SplitMoveList(line);
    for (const std::string& t : tokens) {
        entries.push_back({BookKey(&state.position), CodeOf(t), 1, 0});
        std::string error;
        ASSERT_TRUE(PlayMoves(t, &error)) << error;
    }
    const std::string bin = Temp("3d.bin");
    std::string error;
    ASSERT_TRUE(BookWrite(bin, entries, &error)) << error;
    Game(3, "");
    for (const std::string& t : tokens) {
        MOVE_T m;
        ASSERT_TRUE(BookChoose(&state.position, bin, false, &m)) << t;
        EXPECT_EQ(MoveToken(m), t);
        EXPECT_TRUE(ListedMove(&state.position, &m));
        ASSERT_TRUE(PlayMoves(t, &error)) << error;
    }
    std::remove(bin.c_str());
    for (int dmode : {2, 3}) {
        Game(dmode, "");
        const std::string installed = DefaultBookFile(dmode);
        ASSERT_NE(installed, "") << dmode;
        MOVE_T m;
        EXPECT_TRUE(BookChoose(&state.position, installed, false, &m)) << installed;
        EXPECT_TRUE(ListedMove(&state.position, &m)) << installed;
    }
}

// --book is on or off; OwnBook plays a book move at once and says so.
TEST(Book, TerminalAndUciSettings) {
    ExpectRefused("play --2d --book maybe </dev/null", "--book is on or off");
    RUN_T r = RunTool("play --2d --computer white --book on --time 60 </dev/null");
    EXPECT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, {"\n1. "});
    const std::string input = Temp("uci.txt");
    std::ofstream(input)
        << "uci\nsetoption name OwnBook value true\nposition startpos\ngo movetime 60000\nquit\n";
    r = RunTool("uci < '" + input + "'");
    std::remove(input.c_str());
    ExpectHas(r.out, {"option name BookFile type string default /", "info string book move ", "\nbestmove "});
}

// Games other chess software reads: SAN, PGN of both games written and read
// back, an outside reader's agreement, bad files refused, FEN's halfmove clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "cli.h"
#include "cli_runner.h"
#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

namespace {

// A new game (from the FEN if given), the moves played as a person plays them; nothing printed.
void NewGame(int dmode, const char* fen = nullptr, const std::string& moves = "") {
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    ASSERT_TRUE(SetUpGame(opt));
    StoreShared(state.tamzor, TAMZOR_OFF);
    std::string error;
    if (fen) {
        ASSERT_TRUE(SetUpFen(fen, &error)) << error;
    }
    testing::internal::CaptureStdout();
    const bool played = PlayUserMoves(moves, &error);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(played) << error;
}

// Random legal moves played on the live game until it ends or `plies` pass; `each` sees every
// position and its legal moves before the move.
void PlayRandomly(std::mt19937* rng, int plies,
                  const std::function<void(POS_T*, const MOVE_T*, int)>& each = nullptr) {
    static MOVE_T legal[LEGAL_LIST_SIZE];
    testing::internal::CaptureStdout();
    for (int i = 0; i < plies && !state.position.winner; i++) {
        const int n = LegalMoves(&state.position, legal);
        if (!n) break;
        if (each) each(&state.position, legal, n);
        MOVE_T m = legal[(*rng)() % n];
        bool over;
        if (!PlayUserMove(&m, &over) || over) break;
    }
    testing::internal::GetCapturedStdout();
}

bool LoadFile(const std::string& text, int game, std::string* error) {
    testing::internal::CaptureStdout();
    const bool loaded = PgnLoadGame(text, game, error);
    testing::internal::GetCapturedStdout();
    return loaded;
}

MOVE_T Token(const std::string& token) {
    MOVE_T m{};
    std::string error;
    EXPECT_TRUE(MoveFromToken(&state.position, token, &m, &error)) << token << ": " << error;
    return m;
}

TEST(Fen, TheHalfmoveClockCountsAsOtherProgramsCountIt) {
    const std::pair<const char*, const char*> games[] = {
        {"g1f3 g8f6 f3g1 f6g8", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 4 3"},
        {"e2e4 d7d5 e4d5 d8d5 b1c3", "rnb1kbnr/ppp1pppp/8/3q4/8/2N5/PPPP1PPP/R1BQKBNR b KQkq - 1 3"},
    };
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    for (const auto& [moves, fen] : games) {
        opt.moves = moves;
        ASSERT_EQ(SetUpPosition(opt), 0);
        EXPECT_EQ(FenText(&state.position), fen) << moves;
    }
    // read and written again, the count the FEN gave runs on
    NewGame(2, "8/8/8/4k3/8/8/8/R3K3 w Q - 17 40", "e1e2");
    EXPECT_EQ(FenText(&state.position), "8/8/8/4k3/8/8/4K3/R7 b - - 18 40");
}

// SAN texts, read back with marks or without, '=' or not, O or zero; the long
// algebraic forms other programs write. No token: no form is legal.
TEST(San, KnownCasesAndLongAlgebraicForms) {
    const struct {
        const char* fen;
        const char* token;
        const char* san;
        std::vector<std::string> forms;
    } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "g1f3", "Nf3", {}},
        {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "b1d2", "Nbd2", {}},  // by file
        {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3", {}},  // by rank
        {"k7/8/8/4Q2Q/8/8/7Q/K7 w - - 0 1", "h5e2", "Qh5e2", {}},  // by both
        {"k7/8/8/4Q2Q/8/8/7Q/K7 w - - 0 1", "e5e2", "Qee2", {}},
        {"k7/8/8/4Q2Q/8/8/7Q/K7 w - - 0 1", "h2e2", "Q2e2", {}},
        {"k7/4P3/8/8/8/8/8/K7 w - - 0 1", "e7e8q", "e8=Q+", {}},  // promotion with check
        {"3r2k1/4P3/8/8/8/8/8/K7 w - - 0 1", "e7d8n", "exd8=N", {"e7xd8=N", "e7d8n", "e7xd8N", "e7:d8=N"}},
        {"3r2k1/4P3/8/8/8/8/8/K7 w - - 0 1", "e7e8q", nullptr, {"e7e8=Q+", "e7e8q", "e7-e8Q+", "e7e8=q"}},
        {"3r2k1/4P3/8/8/8/8/8/K7 w - - 0 1", nullptr, nullptr, {"e7e8", "e7-e8", "e7e8=K", "e7d8"}},
        {"5k2/8/8/8/8/8/8/4K2R w K - 0 1",
         "e1g1",
         "O-O+",
         {"e1g1+", "e1-g1", "Ke1g1+"}},  // castling with check
        {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", nullptr, nullptr, {"e1c1", "e1-c1", "Ke1c1", "h1h1", "Qe1e2"}},
        {"r3k3/8/8/8/8/8/8/4K3 b q - 0 1", "e8c8", "O-O-O", {"e8c8", "e8-c8", "Ke8-c8"}},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2", "e5d6", "exd6", {"e5xd6", "e5d6ep", "e5xd6e.p.", "e5-d6"}},
        {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2",
         "d8h4",
         "Qh4#",
         {"d8h4#", "d8-h4#", "Qd8h4#", "Qd8-h4", "d8h4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fen) + " " + (c.token ? c.token : "none"));
        NewGame(2, c.fen);
        const MOVE_T want = c.token ? Token(c.token) : MOVE_T{};
        auto same = [&](const MOVE_T& r) {
            return r.from == want.from && r.to == want.to && r.move_symbol == want.move_symbol;
        };
        std::vector<std::string> spellings;
        if (c.san) {
            EXPECT_EQ(SanText(&state.position, want), c.san);
            std::string bare = c.san;
            while (bare.back() == '+' || bare.back() == '#') bare.pop_back();
            spellings = {c.san, bare};
            if (bare.find('=') != std::string::npos)
                spellings.push_back(bare.substr(0, bare.find('=')) + bare.back());
            if (bare[0] == 'O') spellings.push_back(bare[4] ? "0-0-0" : "0-0");
        }
        for (const std::string& s : spellings) {
            MOVE_T r;
            std::string error;
            ASSERT_TRUE(SanMove(&state.position, s, &r, &error)) << s << ": " << error;
            EXPECT_TRUE(same(r)) << s;
        }
        for (const std::string& form : c.forms) {
            MOVE_T m;
            std::string error;
            const bool read = ReadMove(&state.position, form, &m, &error);
            EXPECT_EQ(read, c.token != nullptr) << form << ": " << error;
            EXPECT_TRUE(!read || same(m)) << form;
        }
    }
}

TEST(San, EveryMoveOfRandomGamesHasItsOwnTextThatReadsBack) {
    std::mt19937 rng(424242);
    int checks = 0, promotions = 0;
    for (int game = 0; game < 12; game++) {
        NewGame(2);
        PlayRandomly(&rng, 160, [&](POS_T* b, const MOVE_T* legal, int n) {
            std::set<std::string> seen;
            for (int i = 0; i < n; i++) {
                const std::string san = SanText(b, legal[i]);
                EXPECT_TRUE(seen.insert(san).second) << "two moves read " << san;
                // the mark after it says what the move does
                POS_T child;
                MOVE_T made = legal[i];
                ASSERT_EQ(DoMove(&child, b, &made), 1);
                const bool check = child.flags & FLAG_IN_CHECK;
                const bool mate = check && IsCheckmate(&child);
                EXPECT_EQ(san.back() == '+', check && !mate) << san;
                EXPECT_EQ(san.back() == '#', mate) << san;
                checks += check;
                promotions += san.find('=') != std::string::npos;
                MOVE_T r;
                std::string error;
                ASSERT_TRUE(SanMove(b, san, &r, &error)) << san << ": " << error;
                EXPECT_TRUE(r.from == legal[i].from && r.to == legal[i].to &&
                            r.move_symbol == legal[i].move_symbol)
                    << san;
            }
        });
    }
    EXPECT_GT(checks, 100);
    EXPECT_GT(promotions, 10);
}

// What a game is: its kind, its start, its moves ("piece from to symbol"),
// the record's texts and where it ended.
std::string LiveGame() {
    std::string g = std::to_string(state.dmode) + " " + std::to_string(state.position.move_num) + " " +
                    std::to_string(state.position.hash1) + " " +
                    std::to_string(state.oeb.inited ? state.oeb.pos_0.hash1 : 0) + "\n";
    for (int ply = state.oeb.inited ? state.oeb.pos_0.move_num : 0; ply < state.position.move_num; ply++) {
        const MOVE_T& m = state.game_record[ply];
        g += std::to_string(m.piece_moving) + " " + std::to_string(m.from) + " " + std::to_string(m.to) +
             " " + m.move_symbol + " " + GameListGet(ply + 1) + "\n";
    }
    return g;
}

bool HaveOutsideReader() { return access("/usr/games/pgn-extract", X_OK) == 0; }

// pgn-extract reads one game, with no complaint, ending where the live game ends (-F: the final FEN).
void ExpectOutsideReaderAgrees(const std::string& path) {
    const std::string out = CommandOutput("/usr/games/pgn-extract -F " + path + " 2>&1");
    ExpectHas(out, {"1 game matched out of 1."});
    ExpectLacks(out, {"rror", "llegal", "nknown", "ailed"});
    const size_t at = out.rfind("{ \"");
    ASSERT_NE(at, std::string::npos) << out;
    EXPECT_EQ(out.substr(at + 3, out.find('"', at + 3) - at - 3), FenText(&state.position)) << FileText(path);
}

// Written, read back whole and written again the same; the 2D games read by an outside reader too.
TEST(Pgn, RandomGamesOfBothKindsComeBackWhole) {
    ASSERT_TRUE(HaveOutsideReader()) << "pgn-extract is not installed (scripts/install-deps installs it)";
    const SCRATCH_DIR_T scratch("tamzor_pgn_outside_");
    std::mt19937 rng(77);
    for (int round = 0; round < 12; round++) {
        SCOPED_TRACE("round " + std::to_string(round));
        const int dmode = round % 2 ? 3 : 2;
        NewGame(dmode);
        if (round % 4 == 2) NewGame(2, "r3k2r/1P6/8/8/3pP3/8/6p1/R3K2R b KQkq e3 0 30");
        if (round % 4 == 3) {
            // an edited 3D start
            Setup3D({ABW_QL3, ABW_QL6, ABW_KL1, ABW_KL4},
                    {{C1, W_KING}, {D1, W_ROOK}, {F2, W_PAWN}, {B4, W_QUEEN}, {H8, B_KING}, {C7, B_PAWN}},
                    false, 0x1);
            state.oeb.pos_0 = state.position;
            state.oeb.inited = 1;
        }
        state.notation = round % 3;
        PlayRandomly(&rng, 40 + (int)(rng() % 160));
        const std::string before = LiveGame();
        const std::string pgn = PgnText(PGN_TAGS_T());
        const int notation = state.notation;
        NewGame(dmode == 2 ? 3 : 2);  // another game in between
        state.notation = notation;    // the texts in the same notation
        std::string error;
        ASSERT_TRUE(PgnLoadGame(pgn, 1, &error)) << error << "\n" << pgn;
        EXPECT_EQ(LiveGame(), before);
        // and written again, the same text
        EXPECT_EQ(PgnText(PGN_TAGS_T()), pgn);
        if (dmode == 3) continue;
        std::ofstream(scratch.path + "/game.pgn") << pgn;
        ExpectOutsideReaderAgrees(scratch.path + "/game.pgn");
    }
}

// A 3D game is written with the notation's texts; another notation's texts,
// or texts in place of tokens, read the same.
TEST(Pgn, ThreeDimensionalTextsOfAnyNotationRead) {
    const std::string tags = "[Variant \"3D\"]\n\n";
    const std::string written = "1. e2a4 {a4N} g7g6 {c6B} 2. e1b3 {Nb3N} *";
    for (const std::string moves : {"1. e2a4 {Pb2-b4(4)} g7g6 {Pd7-d6(6)} 2. e1b3 {Nb1-c3(4)} *",
                                    "1. a4N c6B 2. Nb3N *", written.c_str()}) {
        NewGame(2);
        std::string error;
        ASSERT_TRUE(PgnLoadGame(tags + moves, 1, &error)) << moves << ": " << error;
        EXPECT_EQ(state.dmode, 3);
        const std::string pgn = PgnText(PGN_TAGS_T());
        EXPECT_NE(pgn.find("\n\n" + written + "\n"), std::string::npos) << moves << "\n" << pgn;
    }
    state.notation = NOTATION_STANDARD;
    EXPECT_NE(PgnText(PGN_TAGS_T()).find("1. e2a4 {Pb2-b4(4)} g7g6 {Pd7-d6(6)} 2. e1b3 {Nb1-c3(4)} *"),
              std::string::npos);
}

TEST(Pgn, BadFilesAreRefusedWithTheirLineAndChangeNothing) {
    NewGame(2, nullptr, "e2e4 e7e5 g1f3");
    const std::string before = LiveGame();
    const std::string tags = "[Event \"x\"]\n[Site \"?\"]\n[Result \"*\"]\n\n";
    const struct {
        std::string text;
        const char* says;
    } bad[] = {
        {tags + "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Bxc6 dxc6 5. Bxe5", "line 5: 5. Bxe5: "},  // illegal
        {tags + "1. e4 e5 2. Zf3 *", "line 5: 2. Zf3: "},                                    // no such piece
        {tags + "1. e4 e5 2. Nf3\n2... Ke6 *", "line 6: 2... Ke6: "},  // Black's, by its number
        {"[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 40\"]\n\n40... Kd7 41. Kd5 *", "line 3: 41. Kd5: "},
        {"[Event \"x\"]\n[Site \"no end]\n\n1. e4 *", "line 2: a tag with no end"},
        {tags + "1. e4 {a comment\nthat never ends", "line 5: a comment"},
        {tags + "1. e4 (1. d4 d5 2. c4\n", "line 5: a variation"},
        {tags + "1. e4 e5 ) *", "line 5: ')'"},
        {"[Variant \"giveaway\"]\n1. e4 *", "variant 'giveaway'"},
        {"[SetUp \"1\"]\n[FEN \"8/8/8/8 w - - 0 1\"]\n1. e4 *", "the FEN tag"},
        {"[Variant \"3D\"]\n[Board3D \"nonsense\"]\n1. e2a4 *", "the Board3D tag"},
        {"", "no game"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.text);
        std::string error;
        EXPECT_FALSE(LoadFile(b.text, 1, &error));
        ExpectHas(error, {b.says});
        EXPECT_EQ(LiveGame(), before);
    }
    std::string error;
    EXPECT_FALSE(PgnLoadGame(FileText(DataFile("two-games.pgn")), 3, &error));
    EXPECT_EQ(error, "the file holds 2 games, not 3");
    EXPECT_EQ(LiveGame(), before);
}

TEST(Pgn, TheTerminalToolWritesReadsAndRefuses) {
    const SCRATCH_DIR_T scratch("tamzor_pgn_cli_");
    const std::string& dir = scratch.path;
    ASSERT_FALSE(dir.empty());
    // written from moves, read back as the source of a position
    RUN_T w = RunTool("pgn --2d --moves \"e2e4 e7e5 g1f3 b8c6 f1b5\"");
    ASSERT_EQ(w.status, 0) << w.err;
    ExpectHas(w.out, {"1. e4 e5 2. Nf3 Nc6 3. Bb5 *"});
    std::ofstream(dir + "/g.pgn") << w.out;
    EXPECT_EQ(RunTool("fen --pgn g.pgn", dir).out,
              RunTool("fen --2d --moves \"e2e4 e7e5 g1f3 b8c6 f1b5\"").out);
    // a PGN made a saved game, and the saved game written as PGN
    RUN_T saved = RunTool("save --pgn g.pgn --moves a7a6", dir);
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_FALSE(std::ifstream(dir + "/tamzor.sav.bak").good()) << "nothing to keep the first time";
    RUN_T back = RunTool("restore --write-pgn", dir);
    ASSERT_EQ(back.status, 0) << back.err;
    ExpectHas(back.out, {"3. Bb5 a6 *"});
    EXPECT_EQ(back.out.rfind("[Event", 0), 0u) << "the PGN alone: " << back.out;
    // saving again keeps the former save beside
    ASSERT_EQ(RunTool("save --2d --moves d2d4", dir).status, 0);
    ExpectHas(RunTool("restore", dir).out, {"1. d4"});
    ASSERT_EQ(rename((dir + "/tamzor.sav.bak").c_str(), (dir + "/tamzor.sav").c_str()), 0);
    ExpectHas(RunTool("restore", dir).out, {"\n3. Bb5\n3. ... a6\n"});
    // a 3D game the same way
    RUN_T w3 = RunTool("pgn --3d --notation 0 --moves \"e2a4 g7g6 g2c4\"");
    ASSERT_EQ(w3.status, 0) << w3.err;
    std::ofstream(dir + "/g3.pgn") << w3.out;
    EXPECT_EQ(RunTool("board --pgn g3.pgn", dir).out, RunTool("board --3d --moves \"e2a4 g7g6 g2c4\"").out);
    // bad files: a message naming the file and exit status 2
    std::ofstream(dir + "/bad.pgn") << "[Event \"x\"]\n\n1. e4 e5 2. Ke3 *\n";
    ExpectRefused("fen --pgn " + dir + "/bad.pgn", "line 3: 2. Ke3: ");
    ExpectRefused("fen --pgn " + dir + "/none.pgn", "cannot open");
    ExpectRefused("fen --pgn " + dir + "/g.pgn --game 2", "holds 1 game");
    ExpectRefused("fen --pgn " + dir + "/g3.pgn", "holds a 3D game");
    ASSERT_EQ(system(("truncate -s 65M " + dir + "/huge.pgn").c_str()), 0);
    ExpectRefused("board --pgn " + dir + "/huge.pgn", "64 MiB is the most");
    // play writes and loads games, and names unknown commands
    std::ofstream(dir + "/input.txt") << "e4\nresign\ne5\nNf3\npgn out.pgn\nload " << DataFile("opera.pgn")
                                      << "\nlist\nquit\n";
    RUN_T r = RunTool("play --2d --computer none < input.txt", dir);
    EXPECT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, {"unknown command 'resign' (", "wrote out.pgn", "17. Rd8"});
    ExpectHas(FileText(dir + "/out.pgn"), {"1. e4 e5 2. Nf3 *"});
}

// A game rewritten keeps its file's tags in order and its result, unless the board decides otherwise.
TEST(Pgn, RewritingKeepsTheFilesTagsAndResult) {
    const std::string moves = "1. e4 e5 2. Nf3 Nc6 ";
    const std::string tags =
        "[Event \"Club \\\"A\\\"\"]\n[Site \"Here\"]\n[Date \"2024.03.01\"]\n[Round \"3\"]\n[White \"Ann\"]\n"
        "[Black \"Bob\"]\n[Result \"1/2-1/2\"]\n[ECO \"C44\"]\n[PlyCount \"4\"]\n[Termination \"agreed\"]\n"
        "[Annotator \"Cy\"]\n\n";
    const struct {
        std::string file;
        const char* result;
    } files[] = {
        {tags + moves + "1/2-1/2", "1/2-1/2"},                 // tag and marker agree
        {tags + moves + "0-1", "0-1"},                         // the marker ends the game
        {tags + moves + "*", "1/2-1/2"},                       // open, but the tag has it
        {tags + "1. f3 e5 2. g4 Qh4# 1/2-1/2", "0-1"},         // the board decides
        {"[Event \"E\"]\n\n1. e4 1-0", "1-0"},                 // a tag roster left short
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        std::string error;
        ASSERT_TRUE(LoadFile(f.file, 1, &error)) << error;
        const std::string written = PgnText(PGN_TAGS_T());
        PGN_GAME_T in, out;
        ASSERT_TRUE(PgnParse(f.file, 1, &in, &error)) << error;
        ASSERT_TRUE(PgnParse(written, 1, &out, &error)) << error << written;
        EXPECT_EQ(out.result, f.result) << written;
        EXPECT_EQ(out.Tag("Result"), f.result) << written;
        // the seven first, always, then the file's others in its order
        const char* seven[] = {"Event", "Site", "Date", "Round", "White", "Black", "Result"};
        ASSERT_GE(out.tags.size(), 7u);
        for (int i = 0; i < 7; i++) EXPECT_EQ(out.tags[i].first, seven[i]);
        for (const auto& [name, value] : in.tags) {
            if (name == "Result") continue;
            EXPECT_EQ(out.Tag(name), value) << name;
        }
        EXPECT_EQ(out.tags.size(), std::max<size_t>(in.tags.size(), 7)) << written;
        if (in.tags.size() < 7) ExpectHas(written, {"[Date \"????.??.??\"]"});
    }
    // played on: the names stay, what told of its end goes
    std::string error;
    ASSERT_TRUE(LoadFile(files[0].file, 1, &error)) << error;
    testing::internal::CaptureStdout();
    const bool played = PlayUserMoves("f1c4", &error);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(played) << error;
    auto written = [&](const std::string& pgn) {
        PGN_GAME_T on;
        EXPECT_TRUE(PgnParse(pgn, 1, &on, &error)) << error;
        return on;
    };
    PGN_GAME_T on = written(PgnText(PGN_TAGS_T()));
    EXPECT_EQ(on.Tag("White"), "Ann");
    EXPECT_EQ(on.Tag("ECO"), "C44");
    EXPECT_EQ(on.Tag("PlyCount") + on.Tag("Termination"), "");
    EXPECT_EQ(on.result, "*");
    // a file that does not load leaves them as they were; a new game has none
    EXPECT_FALSE(LoadFile("[Event \"bad\"]\n\n1. e4 e4 *", 1, &error));
    EXPECT_EQ(written(PgnText(PGN_TAGS_T())).Tag("Event"), "Club \"A\"");
    NewGame(2, nullptr, "e2e4");
    on = written(PgnText(PGN_TAGS_T()));
    EXPECT_EQ(on.Tag("Event") + "|" + on.Tag("ECO"), "Tamzor game|");
    // the computer's name fills a side the file leaves unnamed
    ASSERT_TRUE(LoadFile(FileText(DataFile("setup.pgn")), 1, &error)) << error;
    on = written(GamePgn(TAMZOR_BLACK));
    EXPECT_EQ(on.Tag("White") + "|" + on.Tag("Black") + "|" + on.Tag("Event"), "?|Tamzor|Study");
    // files joined, each with its byte-order mark
    const std::string bom = "\xEF\xBB\xBF";
    ASSERT_TRUE(LoadFile(bom + FileText(DataFile("opera.pgn")) + bom + FileText(DataFile("two-games.pgn")), 3,
                         &error))
        << error;
    on = written(PgnText(PGN_TAGS_T()));
    EXPECT_EQ(on.Tag("Round") + "|" + on.result, "2|1/2-1/2");
}

// The tokens of the live game's moves, and where it ended.
std::string MovesAndEnd() {
    std::string s;
    const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
    for (int ply = first; ply < state.position.move_num; ply++) s += MoveToken(state.game_record[ply]) + " ";
    return s + "| " + (state.dmode == 2 ? FenText(&state.position) : Board3DText(&state.position));
}

// Every game of tests/data (some from other programs) read, some to a known end, written and read
// again; a 2D game through pgn-extract and back in its forms, with a byte-order mark and ';' comments.
TEST(Pgn, EveryDataFileRoundTripsThroughAnOutsideReader) {
    ASSERT_TRUE(HaveOutsideReader()) << "pgn-extract is not installed (scripts/install-deps installs it)";
    const SCRATCH_DIR_T scratch("tamzor_pgn_round_");
    ASSERT_FALSE(scratch.path.empty());
    const std::string ours = scratch.path + "/ours.pgn";
    const std::map<std::string, std::pair<const char*, int>> ends = {  // the final position and the plies
        {"opera.pgn 1", {"1n1Rkb1r/p4ppp/4q3/4p1B1/4P3/8/PPP2PPP/2K5 b k - 1 17", 33}},
        {"two-games.pgn 1", {"r1bk3r/p2pBpNp/n4n2/1p1NP2P/6P1/3P4/P1P1K3/q5b1 b - - 1 23", 45}},
        {"two-games.pgn 2", {"r1b2rk1/pp1nqppp/2p5/4p3/2BP4/2R1PN2/PP3PPP/3Q1RK1 w - - 0 13", 24}},
        {"setup.pgn 1", {"8/8/1qNk4/8/2K5/8/8/8 w - - 6 48", 15}},
    };
    int outside = 0, known = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(TAMZOR_SOURCE_DIR) + "/tests/data")) {
        if (entry.path().extension() != ".pgn") continue;
        const std::string text = FileText(entry.path().string());
        for (int n = 1;; n++) {
            PGN_GAME_T source;
            std::string error;
            if (!PgnParse(text, n, &source, &error)) {
                EXPECT_NE(error.find("holds"), std::string::npos) << error;
                break;
            }
            const std::string name = entry.path().filename().string() + " " + std::to_string(n);
            SCOPED_TRACE(name);
            ASSERT_TRUE(LoadFile(text, n, &error)) << error;
            if (ends.count(name)) {
                known++;
                EXPECT_EQ(FenText(&state.position), ends.at(name).first);
                EXPECT_EQ(state.position.move_num - (state.oeb.inited ? state.oeb.pos_0.move_num : 0),
                          ends.at(name).second);
            }
            const std::string end = MovesAndEnd();
            const std::string written = PgnText(PGN_TAGS_T());
            // what the file said comes out as it was, and reads back the same
            PGN_GAME_T back;
            ASSERT_TRUE(PgnParse(written, 1, &back, &error)) << error;
            EXPECT_EQ(back.tags, source.tags) << written;
            EXPECT_EQ(back.result, source.result);
            ASSERT_TRUE(LoadFile(written, 1, &error)) << error;
            EXPECT_EQ(MovesAndEnd(), end);
            if (state.dmode != 2) continue;  // pgn-extract plays the 2D game only

            outside++;
            std::ofstream(ours) << written;
            ExpectOutsideReaderAgrees(ours);
            for (const char* form : {"", "-Wlalg", "-Welalg"}) {
                const std::string again = CommandOutput(std::string("/usr/games/pgn-extract ") + form + " " +
                                                        ours + " 2>/dev/null");
                std::string commented;
                for (const std::string& line : Lines(again))
                    commented += line + (line.empty() || line[0] == '[' ? "\n" : " ; a remark\n");
                for (const std::string& variant : {again, "\xEF\xBB\xBF" + again, commented}) {
                    SCOPED_TRACE(std::string("pgn-extract ") + form + "\n" + variant);
                    ASSERT_TRUE(LoadFile(variant, 1, &error)) << error;
                    EXPECT_EQ(MovesAndEnd(), end);
                }
            }
        }
    }
    EXPECT_GE(outside, 4);
    EXPECT_EQ(known, 4);
}

}  // namespace

// The played game: results and their texts, undo, replay, the move list and
// the record's end; saved games: the file's exact layout, the round trip, and
// files that are refused without touching the game on screen.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <limits>

#include "build_info.h"
#include "cli.h"
#include "test_util.h"
#include "movegen/movegen.h"
#include "position/position.h"

namespace {

// What `f` prints on standard output.
template <typename F>
std::string Printed(F f) {
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
}

// Plays a token as a user does, through PlayerMoved.
void PlayToken(const std::string& t) {
    MOVE_T m;
    std::string error;
    ASSERT_TRUE(MoveFromToken(&state.position, t, &m, &error)) << t << ": " << error;
    EXPECT_EQ(PlayerMoved(&state.position, &m), 1) << t;
}

// A game from the start (or a FEN) with the moves given as tokens. Returns what was printed.
std::string Play(int dmode, const std::vector<std::string>& tokens, const char* fen = nullptr) {
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    EXPECT_TRUE(SetUpGame(opt));
    std::string error;
    EXPECT_TRUE(!fen || SetUpFen(fen, &error)) << error;
    return Printed([&] {
        for (const std::string& t : tokens) PlayToken(t);
    });
}

// The result FindWinner gives for the move `token` in the current game.
std::string JudgeMove(const std::string& token, int* winner) {
    MOVE_T m;
    std::string error;
    EXPECT_TRUE(MoveFromToken(&state.position, token, &m, &error)) << error;
    return Printed([&] { *winner = FindWinner(&state.position, &m) ? state.position.winner : 0; });
}

const std::vector<std::string> knights = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6",
                                          "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"};

TEST(GameRecord, LinesNumberTheMovesAndMarkCheckAndPromotion) {
    EXPECT_EQ(Play(2, {"e2e4", "e7e5", "g1f3"}), "\n1. e4\n1. ... e5\n2. Nf3");
    EXPECT_EQ(state.game_record[0].from, (SQ_T)E2);
    EXPECT_EQ(state.game_record[2].to, (SQ_T)F3);
    EXPECT_EQ(Printed([] { ListGame(false); }), "\n1. e4\n1. ... e5\n2. Nf3");
    // an illegal move changes nothing
    Play(2, {"e2e4"});
    const POS_T before = state.position;
    MOVE_T m;
    InitMove(&m, B_PAWN, E7, E4, INF_VALUE, '-', false);
    testing::internal::CaptureStdout();
    EXPECT_EQ(PlayerMoved(&state.position, &m), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(memcmp(before.board, state.position.board, sizeof before.board), 0);
    EXPECT_EQ(state.position.move_num, 1);
    std::string out = Play(2, {"b7b8n"}, "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_NE(out.find("b8N"), std::string::npos) << out;
    out = Play(2, {"b7b8q"}, "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_NE(out.find("b8Q+"), std::string::npos) << out;
    EXPECT_EQ(state.position.flags & 0x1800, 0u);
    // a check with a reply keeps its '+'
    Play(2, {"a1a8"}, "4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
    EXPECT_STREQ(GameListGet(1), "Ra8+");
}

// Every end: its text as the last move is judged, the winner, and its line for the move list.
TEST(Results, EachEndHasItsTextWinnerAndListLine) {
    const struct {
        const char* fen;
        std::vector<std::string> moves;
        const char *text, *line;
        int winner;
    } ends[] = {
        {nullptr, {"f2f3", "e7e5", "g2g4", "d8h4"}, "\nWhite is mated", "0-1 Black mates", -1},
        {"k7/8/1K6/8/8/8/8/2Q5 w - - 0 1", {"c1c7"}, "\nStalemate", "1/2-1/2 stalemate", 2},
        {"4k3/8/8/8/8/8/3r4/3BK3 w - - 0 1", {"e1d2"}, "\nDraw - insufficient material",
         "1/2-1/2 insufficient material", 2},
        {nullptr, knights, "\nDraw - I'm repeating", "1/2-1/2 repetition", 2},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 100 80", {"e1e2"}, "\nDraw - fifty moves", "1/2-1/2 fifty moves", 2},
    };
    for (const auto& e : ends) {
        SCOPED_TRACE(e.line);
        Play(2, std::vector<std::string>(e.moves.begin(), e.moves.end() - 1), e.fen);
        EXPECT_TRUE(NoMaterial(&state.position) == false);
        int winner;
        EXPECT_EQ(JudgeMove(e.moves.back(), &winner), e.text);
        EXPECT_EQ(winner, e.winner);
        Play(2, e.moves, e.fen);
        const char *text = nullptr, *line = nullptr;
        EXPECT_EQ(JudgeReached(&state.position, "\nDraw - I'm repeating", &text, &line), e.winner);
        EXPECT_STREQ(line, e.line);
        EXPECT_STREQ(text, e.text);
    }
    const char* text = nullptr;  // one ply short of the fifty-move limit
    Play(2, {"e1e2"}, "4k3/8/8/8/8/8/8/R3K3 w - - 99 80");
    EXPECT_EQ(JudgeReached(&state.position, "", &text), 0);
    // the mating move is written with '#'; rebuilt to its end, as after a replay, the result stays
    const std::string out = Play(2, ends[0].moves);
    EXPECT_NE(out.find("\n2. ... Qh4#"), std::string::npos) << out;
    EXPECT_STREQ(GameListGet(4), "Qh4#");
    Printed([] { UndoMoves(0); });
    EXPECT_EQ(state.position.winner, -1);
    EXPECT_STREQ(GameListGet(4), "Qh4#");
    Printed([] { UndoMoves(1); });
    EXPECT_EQ(state.position.winner, 0);
    // 3D: the rook steps to e9 and checks along rank 9 across the empty pins;
    // every flight square is covered and the king's board is boxed in
    Setup3D({ABW_QL4, ABW_QL6, ABW_QL5, ABW_KL6}, {{H1, W_KING}, {E7, W_QUEEN}, {D7, W_ROOK}, {A8, B_KING}});
    int winner;
    EXPECT_EQ(JudgeMove("d7d8", &winner), "\nBlack is mated");
    EXPECT_EQ(winner, 1);
    // a decided game is not judged again
    Play(2, {"e2e4"});
    state.position.winner = 1;
    Printed([] { EXPECT_EQ(FindWinner(&state.position, nullptr), 1); });
    EXPECT_EQ(state.position.winner, 1);
}

TEST(Results, RepetitionCountsOnlyTheSamePosition) {
    Play(2, std::vector<std::string>(knights.begin(), knights.end() - 1));
    // a position repeated before the move: the player to move repeated it
    POS_T* b = &state.position;
    EXPECT_EQ(CheckRepetition(b, 1), 1);
    EXPECT_EQ(CheckRepetition(b, 4), 0);
    b->fifty_count = 1;  // just after a capture nothing earlier counts
    EXPECT_EQ(CheckRepetition(b, 1), 0);
    b->fifty_count = 101;  // the limit is counted in plies, the capture's own among them
    EXPECT_EQ(CheckRepetition(b, 1000), 0);
    b->fifty_count = 102;
    EXPECT_EQ(CheckRepetition(b, 1000), 1);
    // Empty boards walk round: the same men come back every four plies, with
    // the boards on other pins, until the fourth time, where all are home.
    Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6}, {{H1, W_KING}, {E2, W_PAWN}, {H8, B_KING}, {E7, B_PAWN}});
    Printed([] {
        for (const char* token : {"qlw@ql3", "qlb@ql4", "klw@kl3", "klb@kl4", "qlw@ql2", "qlb@ql5", "klw@kl2",
                                  "klb@kl5", "qlw@ql1", "qlb@ql6", "klw@kl1"})
            PlayToken(token);
    });
    int winner;
    EXPECT_EQ(JudgeMove("klb@kl6", &winner), "") << "three of the four were other positions";
    EXPECT_EQ(winner, 0);
    EXPECT_EQ(CheckRepetition(&state.position, 1), 0);
}

TEST(Undo, TakesBackMovesAndRebuildsTheStart) {
    Play(2, {"e2e4", "e7e5"});
    const uint64_t after_two = state.position.hash1;
    Play(2, {"e2e4", "e7e5", "g1f3", "b8c6"});
    EXPECT_EQ(Printed([] { UndoMoves(2); }), "\nmove undone");
    EXPECT_EQ(state.position.move_num, 2);
    EXPECT_EQ(state.position.hash1, after_two);
    EXPECT_EQ(state.tamzor, TAMZOR_OFF);
    Printed([] { UndoMoves(50); });  // more than were played: the start
    EXPECT_EQ(state.position.move_num, 0);
    EXPECT_EQ(state.position.board[E2], W_PAWN);
}

TEST(Replay, StepsThroughTheGameFromItsStartAndComesBack) {
    Play(2, {"e2e4", "e7e5", "g1f3"});
    uint64_t end_key = state.position.hash1;
    ReplayMoves(0);
    EXPECT_EQ(replay, 3);
    ReplayMoves(-200);
    EXPECT_EQ(replay, 0);
    EXPECT_EQ(state.position.board[E2], W_PAWN);
    EXPECT_EQ(state.position.move_num, 3);  // the game's length stays
    ReplayMoves(1);
    EXPECT_EQ(state.position.board[E4], W_PAWN);
    ReplayMoves(200);
    EXPECT_EQ(replay, 3);
    ReplayExit();
    EXPECT_EQ(replay, -1);
    EXPECT_EQ(state.position.hash1, end_key);
    // a game from an edited start replays from that start
    Play(2, {"e1e2", "e8d8", "e2d3"}, "4k3/8/8/8/8/8/8/4K2R w - - 0 1");
    end_key = state.position.hash1;
    ReplayMoves(0);
    ReplayMoves(-200);
    EXPECT_EQ(state.position.board[E1], W_KING);
    EXPECT_EQ(state.position.board[H1], W_ROOK);
    EXPECT_EQ(state.position.board[D1], 0);
    ReplayExit();
    EXPECT_EQ(state.position.hash1, end_key);
    Printed([] { UndoMoves(1); });
    EXPECT_EQ(state.position.board[E2], W_KING);
}

TEST(GameRecord, AGameThatFillsTheRecordEndsDrawn) {
    // knights back and forth; PlayerMoved alone does not judge repetitions
    Play(2, {});
    const std::string out = Printed([] {
        for (int ply = 0; ply < GAME_MAX_PLIES; ply++) PlayToken(knights[ply % 4]);
    });
    EXPECT_NE(out.find("Draw - the game record is full"), std::string::npos);
    EXPECT_EQ(state.position.winner, 2);
    MOVE_T m;
    std::string error;
    ASSERT_TRUE(MoveFromToken(&state.position, knights[0], &m, &error));
    EXPECT_EQ(PlayerMoved(&state.position, &m), 0);  // nothing is written past the record
    EXPECT_STRNE(GameListGet(GAME_MAX_PLIES), "");
}

std::vector<unsigned char> ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::ofstream(name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
}

template <typename T>
T At(const std::vector<unsigned char>& f, size_t offset) {
    T v;
    memcpy(&v, f.data() + offset, sizeof v);
    return v;
}

template <typename T>
void Put(std::vector<unsigned char>* f, size_t offset, T v) {
    memcpy(f->data() + offset, &v, sizeof v);
}

// Each test works in a directory of its own: saves land in the working directory.
class SavedGames : public ::testing::Test {
protected:
    SCRATCH_DIR_T scratch{"tamzor_save_"};
    std::string old_dir;
    void SetUp() override {
        char buf[4096];
        old_dir = getcwd(buf, sizeof buf);
        ASSERT_EQ(chdir(scratch.path.c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(old_dir.c_str()), 0); }
    void PlayGame(int dmode, const char* moves, const char* fen = nullptr) {
        CLI_OPTIONS_T opt;
        opt.dmode = dmode;
        ASSERT_TRUE(SetUpGame(opt));
        std::string error;
        ASSERT_TRUE(!fen || SetUpFen(fen, &error)) << error;
        bool played;
        Printed([&] { played = PlayMoves(moves, &error); });
        ASSERT_TRUE(played) << error;
    }
    bool Save() {
        bool ok;
        Printed([&] { ok = SaveGame(0); });
        return ok;
    }
    bool Restore(std::string* out = nullptr) {
        bool ok;
        const std::string o = Printed([&] { ok = RestoreGame(0); });
        if (out) *out = o;
        return ok;
    }
};

TEST_F(SavedGames, FileHasEveryFieldAtItsPlaceAndTheSameBytesTwice) {
    PlayGame(2, "e2e4 e7e5 g1f3");
    state.maxdepth = 8;
    state.rules = RULES_TOURNAMENT;
    state.xang = 12.5f;
    ASSERT_TRUE(Save());
    auto f = ReadFile("tamzor.sav");
    ASSERT_EQ(f.size(), 34496u);
    EXPECT_EQ(At<int32_t>(f, 6360), 2);      // dmode
    EXPECT_EQ(At<int32_t>(f, 6456), 8);      // maxdepth
    EXPECT_EQ(At<int32_t>(f, 6444), 1);      // rules
    EXPECT_EQ(At<float>(f, 6468), 12.5f);    // xang
    EXPECT_EQ(At<int32_t>(f, 3100), 3);      // position.move_num
    EXPECT_EQ(At<int32_t>(f, 88 + 4 * F3), W_KNIGHT);  // position.board
    EXPECT_EQ(At<uint64_t>(f, 40), state.position.hash1);
    EXPECT_EQ(At<uint32_t>(f, 6484 + 0 * 20 + 0), (uint32_t)E2);  // game_record[0].from
    EXPECT_EQ(At<uint32_t>(f, 6484 + 2 * 20 + 4), (uint32_t)F3);  // game_record[2].to
    EXPECT_EQ(At<int32_t>(f, 6484 + 2 * 20 + 12), W_KNIGHT);      // its piece
    EXPECT_EQ(At<char>(f, 6484 + 2 * 20 + 16), '-');
    EXPECT_EQ(At<uint64_t>(f, 26488 + 8 * 2), state.hash_list[2]);  // hash_list[2]
    EXPECT_NE(state.hash_list[2], 0u);
    // pointer fields and padding are zero
    for (size_t base : {0u, 3176u}) {
        for (size_t off : {0u, 3016u, 3160u}) EXPECT_EQ(At<uint64_t>(f, base + off), 0u) << base + off;
        for (size_t off : {1380u, 1436u, 3108u, 3172u})
            EXPECT_EQ(At<uint32_t>(f, base + off), 0u) << base + off;
    }
    for (size_t off : {6356u, 26484u, 34492u}) EXPECT_EQ(At<uint32_t>(f, off), 0u) << off;
    for (size_t off : {6433u, 6434u, 6435u}) EXPECT_EQ(f[off], 0) << off;
    for (int k = 0; k < 1000; k++) EXPECT_EQ(At<uint16_t>(f, 6484 + k * 20 + 18), 0) << k;
    PlayGame(3, "e2a3");
    ASSERT_TRUE(Save());
    f = ReadFile("tamzor.sav");
    ASSERT_TRUE(Save());
    EXPECT_EQ(f, ReadFile("tamzor.sav"));
    EXPECT_NE(access("tamzor.sav.tmp", F_OK), 0);  // no temporary left behind
}

TEST_F(SavedGames, RestoreBringsTheGameKindAndNotationBack) {
    PlayGame(2, "e2e4 e7e5 g1f3 b8c6 f1b5");
    state.maxdepth = 4;
    state.notation = NOTATION_STANDARD;
    ASSERT_TRUE(Save());
    POS_T saved = state.position;
    const std::vector<uint64_t> hashes(state.hash_list, state.hash_list + 6);
    // a 3D game in another notation is on screen when the file is restored:
    // the game comes back in the notation it was saved with
    PlayGame(3, "e2a3");
    state.notation = NOTATION_ALGEBRAIC;
    std::string out;
    ASSERT_TRUE(Restore(&out)) << out;
    EXPECT_EQ(state.dmode, 2);
    EXPECT_EQ(state.notation, NOTATION_STANDARD);
    EXPECT_EQ(state.maxdepth, 4);
    EXPECT_EQ(state.tamzor, TAMZOR_OFF);  // the computer waits to be switched on
    EXPECT_EQ(state.position.move_num, 5);
    EXPECT_EQ(memcmp(state.position.board, saved.board, sizeof saved.board), 0);
    EXPECT_EQ(state.position.hash1, saved.hash1);
    EXPECT_EQ(state.position.flags & 0xF, saved.flags & 0xF);
    EXPECT_EQ(std::vector<uint64_t>(state.hash_list, state.hash_list + 6), hashes);
    EXPECT_STREQ(GameListGet(5), "Bb5");
    EXPECT_NE(out.find("complete!"), std::string::npos);
    EXPECT_NE(out.find("Tamzor V" TAMZOR_VERSION), std::string::npos);

    PlayGame(3, "e2a3 e7a6");  // 3D, with moved boards
    ASSERT_TRUE(Save());
    saved = state.position;
    PlayGame(2, "e2e4");
    ASSERT_TRUE(Restore());
    EXPECT_EQ(state.dmode, 3);
    EXPECT_EQ(memcmp(state.position.board, saved.board, sizeof saved.board), 0);
    EXPECT_EQ(memcmp(state.position.whereis_board, saved.whereis_board, sizeof saved.whereis_board), 0);
    // the record's texts in the notation of the file: the default, standard,
    // and the default again for a style the program does not have
    EXPECT_EQ(state.notation, NOTATION_DEFAULT);
    EXPECT_STREQ(GameListGet(1), "a3N");
    state.notation = NOTATION_STANDARD;
    ASSERT_TRUE(Save());
    PlayGame(3, "e2e3");
    ASSERT_TRUE(Restore());
    EXPECT_EQ(state.notation, NOTATION_STANDARD);
    EXPECT_STREQ(GameListGet(1), "Pb2-b3(4)");
    std::vector<unsigned char> f = ReadFile("tamzor.sav");
    Put<int32_t>(&f, offsetof(STATE_T, notation), 7);
    WriteFile("tamzor.sav", f);
    ASSERT_TRUE(Restore());
    EXPECT_EQ(state.notation, NOTATION_DEFAULT);
    EXPECT_STREQ(GameListGet(1), "a3N");
    // a game from an edited start
    PlayGame(2, "e1c1 e8f7", "4k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
    saved = state.position;
    ASSERT_TRUE(Save());
    PlayGame(2, "d2d4");
    ASSERT_TRUE(Restore());
    EXPECT_EQ(memcmp(state.position.board, saved.board, sizeof saved.board), 0);
}

// A start position (edited, or from a file) may claim an en passant square
// no double step left; a capture onto it would take nothing. The square is
// dropped, a true one kept, and no move of the game reports an error.
TEST_F(SavedGames, AStartsStaleEnPassantSquareIsDropped) {
    const size_t start = offsetof(STATE_T, oeb) + offsetof(OEB_T, pos_0);
    for (int dmode : {2, 3}) {
        PlayGame(dmode, dmode == 2 ? "e2e4 d7d5 e4e5" : "e2a4 g7g6 f2f4 e8b6");
        ASSERT_TRUE(Save());
        const auto good = ReadFile("tamzor.sav");
        int dropped = 0;
        for (uint32_t ep = 1; ep < 64; ep++) {
            SCOPED_TRACE(std::to_string(dmode) + "D, square " + std::to_string(ep));
            auto f = good;
            memcpy(f.data() + start, f.data(), sizeof(POS_T));  // the start is the position now
            Put<int32_t>(&f, offsetof(STATE_T, oeb) + offsetof(OEB_T, inited), 1);
            Put<uint32_t>(&f, start + offsetof(POS_T, enpassant), ep);
            WriteFile("tamzor.sav", f);
            std::string out;
            ASSERT_TRUE(Restore(&out)) << out;
            POS_T* b = &state.position;
            dropped += b->enpassant == 0;
            EXPECT_TRUE(EnPassantHolds(b));
            testing::internal::CaptureStdout();
            testing::internal::CaptureStderr();
            MOVE_T legal[LEGAL_LIST_SIZE];
            const int n = LegalMoves(b, legal);
            for (int i = 0; i < n; i++) {
                POS_T child;
                DoMove(&child, b, &legal[i]);
                // a pawn that lands diagonally on an empty square captured something
                EXPECT_TRUE(abs(legal[i].piece_moving) != 1 || legal[i].move_symbol != 'e' ||
                            child.b_material + child.w_material < b->b_material + b->w_material);
            }
            out = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
            EXPECT_EQ(out.find("Panic"), std::string::npos) << out;
        }
        EXPECT_GE(dropped, 60) << dmode << "D";
    }
    // a square a double step did leave stays
    PlayGame(2, "", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
    ASSERT_TRUE(Save());
    PlayGame(2, "d2d4");
    ASSERT_TRUE(Restore());
    EXPECT_EQ(state.position.enpassant, (SQ_T)D6);
}

TEST_F(SavedGames, MissingFileAndUnwritableDirectoryChangeNothing) {
    PlayGame(2, "e2e4");
    const POS_T before = state.position;
    std::string out;
    EXPECT_FALSE(Restore(&out));
    EXPECT_NE(out.find("Restore refused: tamzor.sav: No such file"), std::string::npos) << out;
    EXPECT_EQ(state.position.hash1, before.hash1);
    ASSERT_TRUE(Save());
    const auto old = ReadFile("tamzor.sav");
    // a directory where the temporary file should go makes the write fail
    ASSERT_EQ(mkdir("tamzor.sav.tmp", 0700), 0);
    PlayGame(2, "d2d4");
    EXPECT_FALSE(Save());
    rmdir("tamzor.sav.tmp");
    EXPECT_EQ(ReadFile("tamzor.sav"), old);
}

// A refused file leaves the game on screen exactly as it was, and says why in
// one line on the console; a caller that asks is told the same.
TEST_F(SavedGames, BadFilesAreRefusedAndChangeNothing) {
    PlayGame(3, "e2a3 e7a6 e1b3");
    ASSERT_TRUE(Save());
    const std::vector<unsigned char> good = ReadFile("tamzor.sav");
    PlayGame(2, "d2d4 d7d5");  // the game on screen
    auto refused = [&](const std::vector<unsigned char>& bytes, const char* what) {
        SCOPED_TRACE(what);
        WriteFile("tamzor.sav", bytes);
        static unsigned char before[SAVE_FILE_SIZE], after[SAVE_FILE_SIZE];
        SaveImage(&state, before);
        std::string out;
        EXPECT_FALSE(Restore(&out));
        const size_t said = out.find("\nRestore refused: tamzor.sav: ");
        EXPECT_NE(said, std::string::npos) << out;
        EXPECT_EQ(out.find("Restore refused", said + 2), std::string::npos) << out;
        char why[200] = "";
        const std::string quiet = Printed([&] { EXPECT_FALSE(RestoreGame(0, why, sizeof why)); });
        EXPECT_EQ(quiet.find("Restore refused"), std::string::npos) << quiet;
        EXPECT_EQ(out.substr(said + 18, out.find('\n', said + 1) - said - 18), why);
        SaveImage(&state, after);
        EXPECT_EQ(memcmp(before, after, SAVE_FILE_SIZE), 0);
        EXPECT_EQ(state.dmode, 2);
        // the game goes on: a move can still be played
        MOVE_T m;
        std::string error;
        POS_T keep = state.position;
        ASSERT_TRUE(MoveFromToken(&state.position, "e2e4", &m, &error)) << error;
        EXPECT_EQ(DoMove(&keep, &state.position, &m), 1);
    };
    auto f = good;
    f.pop_back();
    refused(f, "one byte short");
    f = good;
    f.push_back(0);
    refused(f, "one byte long");
    refused({}, "empty");
    refused(std::vector<unsigned char>(60000, 7), "far too long");
    f.assign(SAVE_FILE_SIZE, 0);
    uint32_t x = 12345;
    for (auto& c : f) c = (unsigned char)((x = x * 1103515245u + 12345u) >> 24);
    refused(f, "garbage");
    const struct {
        size_t offset;
        int32_t value;
        const char* what;
    } fields[] = {
        {6360, 4, "game kind 4"},
        {6456, 100, "maxdepth beyond the search: neither a ply limit nor a level"},
        {3100, 5000, "move_num beyond the record"},
        {3100, -1, "negative move_num"},
        {88 + 4 * 20, 9, "piece code 9"},
        {8, 40, "a pin that is no pin"},
        {8, At<int32_t>(good, 12), "two boards on one pin"},
        {6484 + 1 * 20 + 4, H8, "game_record[1] goes nowhere legal"},
        {6352, 1, "an edited start that is empty: no kings"},
        {offsetof(STATE_T, position) + offsetof(POS_T, enpassant), 64, "en passant square 64: off the board"},
    };
    for (const auto& c : fields) {
        f = good;
        Put<int32_t>(&f, c.offset, c.value);
        refused(f, c.what);
    }
    f = good;
    Put<float>(&f, 6460, std::numeric_limits<float>::quiet_NaN());
    refused(f, "zoom is no number");
}

}  // namespace

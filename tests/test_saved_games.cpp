// Saved games: the file's exact layout, the round trip, and files that are
// refused without touching the game on screen.
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
        testing::internal::CaptureStdout();
        const bool played = PlayMoves(moves, &error);
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(played) << error;
    }
    bool Save() {
        testing::internal::CaptureStdout();
        const bool ok = SaveGame(0);
        testing::internal::GetCapturedStdout();
        return ok;
    }
    bool Restore(std::string* out = nullptr) {
        testing::internal::CaptureStdout();
        const bool ok = RestoreGame(0);
        const std::string o = testing::internal::GetCapturedStdout();
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
        for (size_t off : {1380u, 1436u, 3108u, 3172u}) EXPECT_EQ(At<uint32_t>(f, base + off), 0u) << base + off;
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

class BadFiles : public SavedGames {
protected:
    std::vector<unsigned char> good;
    void SetUp() override {
        SavedGames::SetUp();
        PlayGame(3, "e2a3 e7a6 e1b3");
        ASSERT_TRUE(Save());
        good = ReadFile("tamzor.sav");
        PlayGame(2, "d2d4 d7d5");  // the game on screen
    }
    // The file is refused, and the game on screen is exactly as it was.
    void ExpectRefused(const std::vector<unsigned char>& bytes, const char* what) {
        WriteFile("tamzor.sav", bytes);
        static unsigned char before[SAVE_FILE_SIZE], after[SAVE_FILE_SIZE];
        SaveImage(&state, before);
        std::string out;
        EXPECT_FALSE(Restore(&out)) << what;
        // the console says why in one line; a caller that asks is told the same
        const size_t said = out.find("\nRestore refused: tamzor.sav: ");
        EXPECT_NE(said, std::string::npos) << what << out;
        EXPECT_EQ(out.find("Restore refused", said + 2), std::string::npos) << what << out;
        char why[200] = "";
        testing::internal::CaptureStdout();
        EXPECT_FALSE(RestoreGame(0, why, sizeof why)) << what;
        const std::string quiet = testing::internal::GetCapturedStdout();
        EXPECT_EQ(quiet.find("Restore refused"), std::string::npos) << what << quiet;
        EXPECT_EQ(out.substr(said + 18, out.find('\n', said + 1) - said - 18), why) << what;
        SaveImage(&state, after);
        EXPECT_EQ(memcmp(before, after, SAVE_FILE_SIZE), 0) << what;
        EXPECT_EQ(state.dmode, 2) << what;
        // the game goes on: a move can still be played
        MOVE_T m;
        std::string error;
        POS_T keep = state.position;
        ASSERT_TRUE(MoveFromToken(&state.position, "e2e4", &m, &error)) << what << ": " << error;
        EXPECT_EQ(DoMove(&keep, &state.position, &m), 1) << what;
    }
};

TEST_F(BadFiles, WrongLengthsGarbageAndCorruptFields) {
    auto f = good;
    f.pop_back();
    ExpectRefused(f, "one byte short");
    f = good;
    f.push_back(0);
    ExpectRefused(f, "one byte long");
    ExpectRefused({}, "empty");
    ExpectRefused(std::vector<unsigned char>(60000, 7), "far too long");
    f.assign(SAVE_FILE_SIZE, 0);
    uint32_t x = 12345;
    for (auto& c : f) c = (unsigned char)((x = x * 1103515245u + 12345u) >> 24);
    ExpectRefused(f, "garbage");
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
    };
    for (const auto& c : fields) {
        f = good;
        Put<int32_t>(&f, c.offset, c.value);
        ExpectRefused(f, c.what);
    }
    f = good;
    Put<float>(&f, 6460, std::numeric_limits<float>::quiet_NaN());
    ExpectRefused(f, "zoom is no number");
}

}  // namespace

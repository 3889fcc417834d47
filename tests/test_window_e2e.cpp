// The window program end to end, in a private X server.
#include <sys/stat.h>

#include "window_session.h"

#include "tamzor.h"

namespace {
// Square colours of the board: 0.45 and 0.65 grey.
constexpr int DARK = 115, LIGHT = 166;

void ExpectBoard(const PICTURE_T& p) {
    ASSERT_GT(p.width, 0);
    EXPECT_GT(p.Count(DARK, DARK, DARK), 2000);
    EXPECT_GT(p.Count(LIGHT, LIGHT, LIGHT), 2000);
    // pieces: the white piece colour lit, somewhere in the yellowish range
    long pieces = 0;
    for (size_t i = 0; i + 2 < p.rgb.size(); i += 3)
        if (p.rgb[i] > 60 && p.rgb[i + 2] + 20 < p.rgb[i] && p.rgb[i + 1] + 20 < p.rgb[i] + 30) pieces++;
    EXPECT_GT(pieces, 500);
}
}  // namespace

TEST(WindowE2E, StartsTitledAt800x800AndShowsTheBoard) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start());
    std::string info = w.WindowInfo();
    EXPECT_NE(info.find("\"Tamzor 2.98f\""), std::string::npos) << info;
    EXPECT_NE(info.find("Width: 800"), std::string::npos) << info;
    EXPECT_NE(info.find("Height: 800"), std::string::npos) << info;
    EXPECT_NE(info.find("Absolute upper-left X:  160"), std::string::npos) << info;
    ExpectBoard(w.Picture());
}

TEST(WindowE2E, StartsWithoutPieceMeshesOnClassicModels) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start(false));
    ExpectBoard(w.Picture());
    EXPECT_EQ(w.Output().find("STL - pCnt"), std::string::npos);
}

TEST(WindowE2E, ClickClickPlaysAMoveAndTheComputerAnswers) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start());
    w.Key("F2");
    int x, y;
    // an illegal move first: the rook cannot leave a1 yet
    size_t mark = w.Output().size();
    Cell2D(0, 0, &x, &y);
    w.Click(x, y);
    Cell2D(0, 4, &x, &y);
    w.QuickClick(x, y);
    // The reason shows in white on the info line, for one frame (the clock
    // redraws every second): the window's top left is at (160, 40).
    bool shown = WindowSession::WaitUntil([&] {
        return w.Picture().CountIn(160 + 40, 40 + 85, 160 + 400, 40 + 125, 255, 255, 255, 0) > 40;
    }, 1.5);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(w.WaitFor("\n1\\. ", 1, mark)) << w.Output().substr(mark);
    Cell2D(4, 1, &x, &y);
    w.Click(x, y);
    Cell2D(4, 3, &x, &y);
    w.Click(x, y);
    EXPECT_TRUE(w.WaitFor("\n1\\. e4", 10, mark)) << w.Output().substr(mark);
    ASSERT_TRUE(w.WaitFor("\n1\\. \\.\\.\\. \\S+", 30, mark)) << w.Output().substr(mark);
    // U takes the reply back (and the computer stops): the list holds one move
    mark = w.Output().size();
    w.Key("u");
    ASSERT_TRUE(w.WaitFor("\nmove undone", 10, mark)) << w.Output().substr(mark);
    mark = w.Output().size();
    w.Key("l");
    ASSERT_TRUE(w.WaitFor("\n1\\. e4", 5, mark)) << w.Output().substr(mark);
    EXPECT_EQ(w.Output().substr(mark).find("..."), std::string::npos) << w.Output().substr(mark);
}

TEST(WindowE2E, KeysHelpViewSaveRestoreUndoQuit) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start());
    size_t mark = w.Output().size();
    w.Key("h");
    EXPECT_TRUE(w.WaitFor("\narrow keys pan, page keys zoom, <shift> faster\nF2 \t new 2D game\nF3 \t new 3D game"
                          "\nF5 \t fetch favorite view\nF6 \t store favorite view\nF7-F8 \t replay step back-forward"
                          "\nF9 \t autoplay\nF10\t come to full stop\nA \t toggle axes\nB \t Tamzor play black"
                          "\nC \t captured pieces toggle\nD \t difficulty level toggle\nE \t evaluation verbose toggle"
                          "\nH \t help screen \\(press 'H' in main window\\)\nL \t list game\nO \t overhead view"
                          "\nQ \t quit\nR \t restore game\nS \t save game\nT \t toggle timer mode"
                          "\nU \t undo one move\nV \t view reset\nW \t Tamzor play white\nX \t toggle transparency"
                          "\nZ \t black view toggle\\(2D\\)",
                          5, mark));
    PICTURE_T start = w.Picture();
    w.Key("shift+Left shift+Left");
    PICTURE_T turned = w.Picture();
    EXPECT_GT(start.Differences(turned), 1000);
    w.Key("shift+Prior");
    PICTURE_T zoomed = w.Picture();
    EXPECT_GT(turned.Differences(zoomed), 1000);
    w.Key("F2");
    PICTURE_T two = w.Picture();
    EXPECT_GT(zoomed.Differences(two), 1000);
    w.Key("F3");
    PICTURE_T three = w.Picture();
    EXPECT_GT(two.Differences(three), 1000);

    w.Key("s");
    struct stat st {};
    ASSERT_TRUE(WindowSession::WaitUntil([&] { return stat((w.Dir() + "/tamzor.sav").c_str(), &st) == 0; }, 5));
    EXPECT_EQ(st.st_size, 34496);
    w.Key("r u");
    // the favourite view: three numbers, xang, yang and scale of the 3D view
    w.Key("F6");
    std::string fav;
    ASSERT_TRUE(WindowSession::WaitUntil([&] {
        std::ifstream in(w.Dir() + "/favview.sav");
        std::stringstream ss;
        ss << in.rdbuf();
        fav = ss.str();
        return !fav.empty();
    }, 5));
    EXPECT_EQ(fav, "300\n0\n1.6\n");
    EXPECT_TRUE(w.WaitFor("\nFavorite view SAVED", 5, mark));
    w.Key("q");
    EXPECT_EQ(w.WaitExit(10), 0);
}

TEST(WindowE2E, RightButtonOpensTheMenuAndPlaysBothIsChosen) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start());
    w.Key("F2");
    PICTURE_T before = w.Picture();
    // The menu opens where the pointer is: entries 25 pixels apart, each
    // submenu beside its entry.
    w.Click(300, 300, 3);
    PICTURE_T menu = w.Picture();
    EXPECT_GT(before.Differences(menu), 1000);
    size_t mark = w.Output().size();
    w.Move(320, 314);  // "Game"
    w.Move(420, 314);  // "Tamzor"
    w.Move(540, 314);  // "plays white"
    w.Move(540, 364);  // "plays both"
    w.Click(540, 364, 1);
    EXPECT_TRUE(w.WaitFor("\n1\\. \\S+", 20, mark)) << w.Output().substr(mark);
    EXPECT_TRUE(w.WaitFor("\n1\\. \\.\\.\\. \\S+", 30, mark)) << w.Output().substr(mark);
    // While the computer goes on playing both sides, the view is turned,
    // zoomed and listed: drawing and input on one thread, the search on
    // another, the clock on a third.
    for (int i = 0; i < 3; i++) w.Key("shift+Left Up Prior Next l");
    EXPECT_TRUE(w.WaitFor("\n3\\. \\S+", 30, mark)) << w.Output().substr(mark);
    w.Key("q");
    EXPECT_EQ(w.WaitExit(10), 0);
}

TEST(WindowE2E, AttackBoardMovesByItsPostAndAFreePin) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start());
    // A game whose start has White's queen-side board empty, saved where the
    // program runs, then restored there.
    P3D_T post, pin;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        StoreShared(state.maxdepth, DIFF_HARD);
        NewGameState(3);
        StoreShared(state.rules, RULES_TDCL);
        StoreShared(state.notation, NOTATION_STANDARD);
        POS_T* b = &state.position;
        for (SQ_T sq : {A1, A2, B1, B2}) b->board[sq] = 0;
        ASSERT_TRUE(CreatePBoard(b));
        UpdateMaps(b);
        state.oeb.pos_0 = *b;
        state.oeb.inited = 1;
        // the saved game brings its view along: the view of a new 3D game
        state.xang = 300;
        state.yang = 0;
        state.scale = 1.6f;
        state.stipple = 1;
        char cwd[4096];
        ASSERT_TRUE(getcwd(cwd, sizeof cwd));
        ASSERT_EQ(chdir(w.Dir().c_str()), 0);
        testing::internal::CaptureStdout();
        bool saved = SaveGame(0);
        testing::internal::GetCapturedStdout();
        ASSERT_EQ(chdir(cwd), 0);
        ASSERT_TRUE(saved);
        GetCoords(b, 0, 0, &post);
        GetCoords(b, XPOS(ABW_QL3), YPOS(ABW_QL3), &pin);
    }
    size_t mark = w.Output().size();
    w.Key("r");
    ASSERT_TRUE(w.WaitFor("complete", 10, mark)) << w.Output().substr(mark);
    w.Key("b");  // the computer goes on playing Black
    int x, y;
    Project(post.x + 1, post.y + 1, post.z - 0.8, 300, 1.6, &x, &y);
    w.Click(x, y);
    EXPECT_TRUE(w.WaitFor("\nselected QL white", 5, mark))
        << x << "," << y << " post " << post.x << "," << post.y << "," << post.z << w.Output().substr(mark);
    Project(pin.x + 0.5, pin.y + 0.5, pin.z, 300, 1.6, &x, &y);
    w.Click(x, y);
    EXPECT_TRUE(w.WaitFor("\n1\\. \\S+", 5, mark)) << w.Output().substr(mark);
}

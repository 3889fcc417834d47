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
// Colours of the window: the last move's cells, the white pieces' text, the
// result and the info line.
constexpr int LAST[3] = {89, 140, 242};
constexpr int SCREEN_X = 160, SCREEN_Y = 40;  // the window's top left on the screen

// Pixels of a colour in a box of window coordinates.
long InWindow(const PICTURE_T& p, int x0, int y0, int x1, int y1, const int* rgb, int tolerance = 2) {
    return p.CountIn(SCREEN_X + x0, SCREEN_Y + y0, SCREEN_X + x1, SCREEN_Y + y1, rgb[0], rgb[1], rgb[2], tolerance);
}
constexpr int WHITE_TEXT[3] = {230, 230, 179}, RED[3] = {255, 0, 0}, YELLOW[3] = {255, 255, 0},
              INFO[3] = {255, 255, 255};

// A game set up here with the core, saved where the program runs (R there
// restores it): `setup` changes the new game of kind `dmode`.
template <class F>
void SaveGameFor(const WindowSession& w, int dmode, F setup) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    StoreShared(state.maxdepth, DIFF_HARD);
    NewGameState(dmode);
    StoreShared(state.rules, RULES_TDCL);
    setup(&state.position);
    // the saved game brings its view along: the view of a new game
    state.xang = dmode == 2 ? 330 : 300;
    state.yang = 0;
    state.scale = dmode == 2 ? 2.0f : 1.6f;
    state.stipple = dmode == 2 ? 0 : 1;
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    ASSERT_EQ(chdir(w.Dir().c_str()), 0);
    testing::internal::CaptureStdout();
    bool saved = SaveGame(0);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(chdir(cwd), 0);
    ASSERT_TRUE(saved);
}

// Plays a 2D move by two clicks.
void Click2D(WindowSession& w, int f0, int r0, int f1, int r1, const LAYOUT_T& l = ViewLayout(800, 800, true)) {
    int x, y;
    Cell2D(f0, r0, &x, &y, l);
    w.Click(x, y);
    Cell2D(f1, r1, &x, &y, l);
    w.Click(x, y);
}
}  // namespace

// Without --log the program says nothing on its terminal, whatever is pressed.
TEST(WindowE2E, StartsTitledAt800x800AndShowsTheBoardQuietly) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start(true, "", false));
    std::string info = w.WindowInfo();
    EXPECT_NE(info.find("\"Tamzor 2.98f\""), std::string::npos) << info;
    EXPECT_NE(info.find("Width: 800"), std::string::npos) << info;
    EXPECT_NE(info.find("Height: 800"), std::string::npos) << info;
    EXPECT_NE(info.find("Absolute upper-left X:  160"), std::string::npos) << info;
    ExpectBoard(w.Picture());
    w.Key("y l Left F12");
    w.Click(400, 400);
    w.Click(10, 10);
    EXPECT_EQ(w.Output(), "");
}

TEST(WindowE2E, StartsWithoutPieceMeshesOnClassicModels) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start(false));
    ExpectBoard(w.Picture());
    EXPECT_EQ(w.Output().find("STL - pCnt"), std::string::npos);
}

// A player's 2D game in a resized window: clicks still pick the cells, the
// move list fills, the last move is marked, a refused move's reason stays,
// undo keeps the computer answering, and Q asks before it quits.
TEST(WindowE2E, PlayersGameInAResizedWindow) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start());
    w.Key("F2");
    w.Resize(1000, 700);
    const LAYOUT_T l = ViewLayout(1000, 700, true);
    const int panel_x = l.panel_x, panel_top = 40;
    PICTURE_T start = w.Picture();
    EXPECT_EQ(InWindow(start, 0, 0, l.panel_x, 700, LAST), 0);
    EXPECT_EQ(InWindow(start, panel_x, panel_top, 1000, 700, WHITE_TEXT), 0);

    // an illegal move first: the rook cannot leave a1 yet; its reason stays
    // on the info line past the clock's redraws, until the next click
    size_t mark = w.Output().size();
    Click2D(w, 0, 0, 0, 4, l);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_GT(InWindow(w.Picture(), 40, 85, 400, 125, INFO, 0), 40);
    EXPECT_FALSE(w.WaitFor("\n1\\. ", 0.5, mark)) << w.Output().substr(mark);

    Click2D(w, 4, 1, 4, 3, l);
    EXPECT_TRUE(w.WaitFor("\n1\\. e4", 10, mark)) << w.Output().substr(mark);
    EXPECT_EQ(InWindow(w.Picture(), 40, 85, 400, 125, INFO, 0), 0) << "the click took the message away";
    ASSERT_TRUE(w.WaitFor("\n1\\. \\.\\.\\. \\S+", 30, mark)) << w.Output().substr(mark);
    w.Settle();
    PICTURE_T played = w.Picture();
    EXPECT_GT(InWindow(played, 0, 0, l.panel_x, 700, LAST), 500) << "the reply's cells are marked";
    EXPECT_GT(InWindow(played, panel_x, panel_top, 1000, 700, WHITE_TEXT), 20) << "the list shows 1. e4";
    // the wheel zooms
    w.Click(l.pic_x + l.pic_size / 2, 20, 4);
    EXPECT_GT(played.Differences(w.Picture()), 1000);
    w.Click(l.pic_x + l.pic_size / 2, 20, 5);

    // U takes back the reply and the player's move: the player is on move,
    // and the computer still answers the next one
    mark = w.Output().size();
    w.Key("u");
    ASSERT_TRUE(w.WaitFor("\nmove undone", 10, mark)) << w.Output().substr(mark);
    Click2D(w, 3, 1, 3, 3, l);
    EXPECT_TRUE(w.WaitFor("\n1\\. d4", 10, mark)) << w.Output().substr(mark);
    EXPECT_TRUE(w.WaitFor("\n1\\. \\.\\.\\. \\S+", 30, mark)) << w.Output().substr(mark);
    EXPECT_EQ(w.Output().find("Panic"), std::string::npos) << "fault reports wait for the verbose mode";

    // Q asks first; another key forgets it; Esc with the menu open is the menu's
    w.Key("q");
    EXPECT_TRUE(w.Alive());
    EXPECT_GT(InWindow(w.Picture(), 40, 85, 400, 125, INFO, 0), 40) << "Q again to quit";
    w.Key("Left q");
    EXPECT_TRUE(w.Alive());
    w.Click(300, 300, 3);
    w.Key("Escape");
    EXPECT_TRUE(w.Alive());
    w.Click(300, 300, 1);
    w.Key("Escape");
    w.Key("Escape");
    EXPECT_EQ(w.WaitExit(10), 0);
}

// A stalemate built with the editor, and a mate after a restored game: each
// result is told on the window and at the list's foot, and stays.
TEST(WindowE2E, ResultsShowOnTheWindow) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start());
    w.Key("F2");
    w.Key("b");  // the computer plays Black, which is stalemated
    // Edit (row 7): Clear board (5); Add black (1) King (5), Add white (0) King and Queen (4)
    w.Menu(300, 300, {7, 5});
    int x, y;
    auto add = [&](int side, int piece, int file, int rank) {
        w.Menu(300, 300, {7, side, piece});
        Cell2D(file, rank, &x, &y);
        w.Click(x, y);
    };
    add(1, 5, 0, 7);  // black king a8
    add(0, 5, 1, 5);  // white king b6
    add(0, 4, 2, 0);  // white queen c1
    size_t mark = w.Output().size();
    Click2D(w, 2, 0, 2, 6);  // Qc7: no move for Black, no check
    ASSERT_TRUE(w.WaitFor("\n1\\. Qc7\\s+Stalemate", 10, mark)) << w.Output().substr(mark);
    w.Settle();
    const LAYOUT_T l = ViewLayout(800, 800, true);
    PICTURE_T over = w.Picture();
    EXPECT_GT(InWindow(over, 40, 50, 560, 85, RED), 100) << "Game over: 1/2-1/2 stalemate";
    EXPECT_GT(InWindow(over, l.panel_x, 760, 800, 800, YELLOW), 30) << "the list's result line";
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_GT(InWindow(w.Picture(), 40, 50, 560, 85, RED), 100) << "the result stays";

    // Fool's mate, the last move played here with the mouse
    SaveGameFor(w, 2, [](POS_T* b) {
        testing::internal::CaptureStdout();
        for (auto [from, to, piece] : {std::tuple{F2, F3, W_PAWN}, {E7, E5, B_PAWN}, {G2, G4, W_PAWN}}) {
            MOVE_T m;
            InitMove(&m, piece, from, to, INF_VALUE, '-', false);
            EXPECT_TRUE(PlayerMoved(b, &m));
        }
        testing::internal::GetCapturedStdout();
    });
    mark = w.Output().size();
    w.Key("r r");
    ASSERT_TRUE(w.WaitFor("complete", 10, mark)) << w.Output().substr(mark);
    PICTURE_T restored = w.Picture();
    EXPECT_EQ(InWindow(restored, 40, 50, 560, 85, RED), 0) << "a new game on the window";
    Click2D(w, 3, 7, 7, 3);  // Qh4
    ASSERT_TRUE(w.WaitFor("\n2\\. \\.\\.\\. Qh4#\\s+White is mated", 10, mark)) << w.Output().substr(mark);
    w.Settle();
    PICTURE_T mate = w.Picture();
    EXPECT_GT(InWindow(mate, 40, 50, 560, 85, RED), 100) << "Game over: 0-1 Black mates";
    EXPECT_GT(InWindow(mate, l.panel_x, 760, 800, 800, YELLOW), 30);
    EXPECT_GT(InWindow(mate, l.panel_x, 40, 800, 760, WHITE_TEXT), 20) << "f3 and g4 in the list";
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
    size_t mark = w.Output().size();
    // Game, Tamzor, plays both: the menu opens where the pointer is, each
    // submenu beside its entry; the Game menu is wider than most.
    w.MoveToOpen(300, 300, 3);
    w.MoveToOpen(320, 314);
    w.MoveToOpen(420, 314);
    w.Move(580, 314);
    w.Move(580, 364);
    w.Click(580, 364, 1);
    EXPECT_TRUE(w.WaitFor("\n1\\. \\S+", 20, mark)) << w.Output().substr(mark);
    EXPECT_TRUE(w.WaitFor("\n1\\. \\.\\.\\. \\S+", 30, mark)) << w.Output().substr(mark);
    // While the computer goes on playing both sides, the view is turned,
    // zoomed and listed: drawing and input on one thread, the search on
    // another, the clock on a third.
    for (int i = 0; i < 3; i++) w.Key("shift+Left Up Prior Next l");
    EXPECT_TRUE(w.WaitFor("\n3\\. \\S+", 30, mark)) << w.Output().substr(mark);
    w.Key("q q");
    EXPECT_EQ(w.WaitExit(10), 0);
}

// An attack board moves by its post and a click on the edge of a free pin's
// marker; with the cell names shown the picture changes.
TEST(WindowE2E, AttackBoardMovesByItsPostAndAPinMarkersEdge) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start());
    // A game whose start has White's queen-side board empty.
    SaveGameFor(w, 3, [](POS_T* b) {
        for (SQ_T sq : {A1, A2, B1, B2}) b->board[sq] = 0;
        ASSERT_TRUE(CreatePBoard(b));
        UpdateMaps(b);
        state.oeb.pos_0 = *b;
        state.oeb.inited = 1;
    });
    P3D_T post, pin;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        GetCoords(&state.position, 0, 0, &post);
        GetCoords(&state.position, XPOS(ABW_QL3), YPOS(ABW_QL3), &pin);
    }
    size_t mark = w.Output().size();
    w.Key("r");
    ASSERT_TRUE(w.WaitFor("complete", 10, mark)) << w.Output().substr(mark);
    w.Key("b");  // the computer goes on playing Black
    PICTURE_T plain = w.Picture();
    w.Key("n");
    EXPECT_GT(plain.Differences(w.Picture()), 500) << "cell names";
    w.Key("n");
    int x, y;
    Project(post.x + 1, post.y + 1, post.z - 0.8, 300, 1.6, &x, &y);
    w.Click(x, y);
    EXPECT_TRUE(w.WaitFor("\nselected QL white", 5, mark))
        << x << "," << y << " post " << post.x << "," << post.y << "," << post.z << w.Output().substr(mark);
    // the marker: a ball on the pin's corner, 0.28 across its middle; its
    // edge, a little inside, is a good way off the pin's own cell
    int cx, cy;
    Project(pin.x, pin.y, pin.z + 0.28, 300, 1.6, &cx, &cy);
    Project(pin.x - 0.24, pin.y, pin.z + 0.28, 300, 1.6, &x, &y);
    EXPECT_GE(cx - x, 8) << "at least 20 pixels across";
    w.Click(x, cy);
    EXPECT_TRUE(w.WaitFor("\n1\\. QL3", 5, mark)) << w.Output().substr(mark);
}

// A PGN game named on the command line is played on; the Game menu writes
// the game as PGN and loads the newest one written; a file that does not
// read leaves the program running with its game.
TEST(WindowE2E, GamesAsPgnFromTheCommandLineAndTheMenu) {
    SKIP_WITHOUT_X();
    {
        WindowSession w;
        ASSERT_TRUE(w.Start(true, TAMZOR_SOURCE_DIR "/tests/data/opera.pgn"));
        EXPECT_TRUE(w.WaitFor("Loaded .*opera\\.pgn", 10)) << w.Output();
        EXPECT_TRUE(w.WaitFor("\n17\\. Rd8", 10)) << w.Output();
        size_t mark = w.Output().size();
        w.Menu(300, 300, {0, 8});  // Game, Save game as PGN
        const std::regex saved("Saved the game as (tamzor-[0-9]+-[0-9]+\\.pgn)");
        ASSERT_TRUE(w.WaitFor("Saved the game as tamzor-", 10, mark)) << w.Output().substr(mark);
        std::smatch m;
        const std::string out = w.Output();
        ASSERT_TRUE(std::regex_search(out, m, saved)) << out;
        std::ifstream in(w.Dir() + "/" + m[1].str());
        std::stringstream pgn;
        pgn << in.rdbuf();
        EXPECT_NE(pgn.str().find("16. Qb8+ Nxb8 17. Rd8# 1-0"), std::string::npos) << pgn.str();
        // a new 3D game, then the newest PGN here brings the 2D game back
        w.Key("F3");
        mark = w.Output().size();
        w.Menu(300, 300, {0, 9});  // Game, Load PGN
        EXPECT_TRUE(w.WaitFor("Loaded tamzor-", 10, mark)) << w.Output().substr(mark);
        w.Key("q q");
        EXPECT_EQ(w.WaitExit(10), 0);
    }
    WindowSession w;
    ASSERT_TRUE(w.Start(true, TAMZOR_SOURCE_DIR "/tests/data/none-such.pgn"));
    EXPECT_TRUE(w.WaitFor("No game loaded from .*none-such\\.pgn: cannot open", 10)) << w.Output();
    EXPECT_TRUE(w.Alive());
    w.Key("q");
    EXPECT_EQ(w.WaitExit(10), 0);
}

// A new 3D game names its moves as the terminal tool does (a4N, Nb3N, QL3);
// each entry of the Notation menu renames the move list and the cells, and
// tournament brings the first names back.
TEST(WindowE2E, NotationMenuRenamesTheMoveListAndTheCells) {
    SKIP_WITHOUT_X();
    WindowSession w;
    ASSERT_TRUE(w.Start());
    size_t mark = w.Output().size();
    w.Key("w");  // the computer plays White
    const std::string tournament_move = "\n1\\. ([^\\s(]*([WNB]|[QK]L[1-6])|O-O(-O)?)\\+?(\\s|$)";
    ASSERT_TRUE(w.WaitFor("\n1\\. \\S+", 30, mark)) << w.Output().substr(mark);
    EXPECT_TRUE(w.WaitFor(tournament_move, 1, mark)) << w.Output().substr(mark);
    w.Key("n");  // the cells' names on the board
    const PICTURE_T tournament = w.Picture();

    w.Menu(300, 300, {4, 1});  // Notation, standard
    const PICTURE_T standard = w.Picture();
    EXPECT_GT(standard.Differences(tournament), 500);
    mark = w.Output().size();
    w.Menu(300, 300, {0, 5});  // Game, List game
    EXPECT_TRUE(w.WaitFor("\n1\\. ([A-Z][a-f][0-9](\\([2-7]\\))?[-x][a-f][0-9]\\([2-7]\\)|[QK]L[WB][a-f][0-9]\\([2-7]\\)|O-O)",
                          5, mark))
        << w.Output().substr(mark);

    w.Menu(300, 300, {4, 2});  // Notation, algebraic: the boards' pins are Q1 .. K6
    const PICTURE_T algebraic = w.Picture();
    EXPECT_GT(algebraic.Differences(tournament), 100);
    EXPECT_GT(algebraic.Differences(standard), 500);

    w.Menu(300, 300, {4, 0});  // Notation, tournament
    EXPECT_LT(w.Picture().Differences(tournament), 50);
    mark = w.Output().size();
    w.Menu(300, 300, {0, 5});
    EXPECT_TRUE(w.WaitFor(tournament_move, 5, mark)) << w.Output().substr(mark);
    w.Key("q q");
    EXPECT_EQ(w.WaitExit(10), 0);
}

// The window program end to end, in a private X server.
#include <sys/stat.h>

#include <array>

#include "window_session.h"

#include "cli.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

// The output after `mark` matches `pattern` within `seconds`; shown if not.
#define EXPECT_SAYS(w, pattern, seconds, mark) \
    EXPECT_TRUE((w).WaitFor(pattern, seconds, mark)) << (w).Output().substr(mark)
#define ASSERT_SAYS(w, pattern, seconds, mark) \
    ASSERT_TRUE((w).WaitFor(pattern, seconds, mark)) << (w).Output().substr(mark)
// The window's picture `p` shows `cond` within ten seconds.
#define EXPECT_SHOWS(w, cond) EXPECT_TRUE((w).Shows([&](const PICTURE_T& p) { return cond; })) << #cond << ": "
#define START(w, ...) ASSERT_TRUE((w).Start(__VA_ARGS__)) << (w).Why()

namespace {
// Square colours of the board: 0.45 and 0.65 grey.
constexpr int DARK = 115, LIGHT = 166;

bool BoardShows(const PICTURE_T& p) {
    // pieces: the white piece colour lit, somewhere in the yellowish range
    long pieces = 0;
    for (size_t i = 0; i + 2 < p.rgb.size(); i += 3)
        if (p.rgb[i] > 60 && p.rgb[i + 2] + 20 < p.rgb[i] && p.rgb[i + 1] + 20 < p.rgb[i] + 30) pieces++;
    return p.Count(DARK, DARK, DARK) > 2000 && p.Count(LIGHT, LIGHT, LIGHT) > 2000 && pieces > 500;
}
constexpr int SCREEN_X = 160, SCREEN_Y = 40;  // the window's top left on the screen

// Pixels of a colour in a box of window coordinates.
long InWindow(const PICTURE_T& p, int x0, int y0, int x1, int y1, const int* rgb, int tolerance = 2) {
    return p.CountIn(SCREEN_X + x0, SCREEN_Y + y0, SCREEN_X + x1, SCREEN_Y + y1, rgb[0], rgb[1], rgb[2], tolerance);
}
// Colours of the window: the last move's cells, the white pieces' text, the
// result, the list's result line, the info line and a king in check.
constexpr int LAST[3] = {89, 140, 242}, WHITE_TEXT[3] = {230, 230, 179}, RED[3] = {255, 0, 0},
              YELLOW[3] = {255, 255, 0}, INFO[3] = {255, 255, 255}, CHECKED[3] = {217, 26, 26};
// The info line's text, up to `x1`.
long Info(const PICTURE_T& p, int x1 = 700, int tolerance = 0) {
    return InWindow(p, 40, 85, x1, 125, INFO, tolerance);
}
// The result above the board.
long Result(const PICTURE_T& p) { return InWindow(p, 40, 50, 560, 85, RED); }

void Quit(WindowSession& w, const char* keys = "q q") {
    w.Key(keys);
    EXPECT_EQ(w.WaitExit(10), 0);
}
// R (`keys`) and the restored game in place.
void Restore(WindowSession& w, const char* keys = "r") {
    const size_t mark = w.Output().size();
    w.Key(keys);
    EXPECT_SAYS(w, "complete", 10, mark);
}
// Game, Save game as PGN: the text of the file written.
std::string SavePgn(WindowSession& w) {
    const size_t mark = w.Output().size();
    w.Menu(300, 300, {0, 8});
    EXPECT_SAYS(w, "Saved the game as tamzor-", 10, mark);
    const std::string out = w.Output();
    std::smatch m;
    if (!std::regex_search(out, m, std::regex("Saved the game as (tamzor-[0-9]+-[0-9]+\\.pgn)"))) return "";
    return ReadFile(w.Dir() + "/" + m[1].str());
}
// A game file for the command line, removed after the test.
struct TEMP_PGN_T {
    std::string path;
    TEMP_PGN_T(const std::string& name, const std::string& text)
        : path(testing::TempDir() + name + "-" + std::to_string(getpid()) + ".pgn") {
        std::ofstream(path) << text;
    }
    ~TEMP_PGN_T() { std::remove(path.c_str()); }
};

// A game set up here with the core, saved where the program runs (R there
// restores it): `setup` changes the new game of kind `dmode`.
template <class F>
void SaveGameFor(const WindowSession& w, int dmode, F setup) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    StoreShared(state.maxdepth, DIFF_HARD);
    NewGameState(dmode);
    StoreShared(state.rules, RULES_TDCL);
    testing::internal::CaptureStdout();
    setup(&state.position);
    testing::internal::GetCapturedStdout();
    // the saved game brings its view along: the view of a new game
    const VIEW_PRESET_T v = ViewPreset(dmode);
    state.xang = v.xang;
    state.yang = 0;
    state.scale = v.scale;
    state.stipple = v.stipple;
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    ASSERT_EQ(chdir(w.Dir().c_str()), 0);
    testing::internal::CaptureStdout();
    bool saved = SaveGame(0);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(chdir(cwd), 0);
    ASSERT_TRUE(saved);
}
// The moves given by piece, from and to, played in the game being set up.
void Play(POS_T* b, std::initializer_list<std::tuple<int, SQ_T, SQ_T>> moves) {
    for (auto [piece, from, to] : moves) {
        MOVE_T m;
        InitMove(&m, piece, from, to, INF_VALUE, '-', false);
        EXPECT_TRUE(PlayerMoved(b, &m));
    }
}
// A position of the pieces given, all else empty, as the game's start.
void EditedStart(POS_T* b) {
    ASSERT_TRUE(CreatePBoard(b));
    UpdateMaps(b);
    state.oeb.pos_0 = *b;
    state.oeb.inited = 1;
}

// Plays a 2D move by two clicks: on the piece, then on the cell.
void Click2D(WindowSession& w, int f0, int r0, int f1, int r1, const LAYOUT_T& l = ViewLayout(800, 800, true)) {
    int x, y;
    Piece2D(f0, r0, &x, &y, l);
    w.Click(x, y);
    Cell2D(f1, r1, &x, &y, l);
    w.Click(x, y);
}
}  // namespace

// Without --log the program says nothing on its terminal, whatever is pressed.
TEST(WindowE2E, StartsTitledAt800x800AndShowsTheBoardQuietly) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w, true, "", false);
    std::string info = w.WindowInfo();
    for (const char* part :
         {"\"Tamzor " TAMZOR_VERSION "\"", "Width: 800", "Height: 800", "Absolute upper-left X:  160"})
        EXPECT_NE(info.find(part), std::string::npos) << part << "\n" << info;
    EXPECT_SHOWS(w, BoardShows(p));
    w.Key("y l Left F12");
    w.Click(400, 400);
    w.Click(10, 10);
    EXPECT_EQ(w.Output(), "");
}

// A copy of the program where no data lies draws the classic pieces and says
// so in one line.
TEST(WindowE2E, WithoutItsMeshesDrawsClassicPieces) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w, false);
    EXPECT_SHOWS(w, BoardShows(p));
    EXPECT_EQ(w.Output().find("STL - pCnt"), std::string::npos);
    EXPECT_EQ(w.Errors(), "tamzor: no piece meshes in " + w.Dir() +
                              "/share/tamzor/pieces: the pieces are drawn in their classic shapes\n");
}

// A player's 2D game in a resized window: clicks still pick the cells, the
// move list fills, the last move is marked, a refused move's reason stays,
// undo keeps the computer answering, and Q asks before it quits.
TEST(WindowE2E, PlayersGameInAResizedWindow) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w);
    w.Key("F2");
    w.Resize(1000, 700);
    const LAYOUT_T l = ViewLayout(1000, 700, true);
    const PICTURE_T start = w.Still();
    EXPECT_EQ(InWindow(start, 0, 0, l.panel_x, 700, LAST), 0);
    EXPECT_EQ(InWindow(start, l.panel_x, 40, 1000, 700, WHITE_TEXT), 0);

    // an illegal move first: the rook cannot leave a1 yet; its reason stays
    // on the info line past the clock's redraws, until the next click
    size_t mark = w.Output().size();
    Click2D(w, 0, 0, 0, 4, l);
    EXPECT_SHOWS(w, Info(p, 400) > 40);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_SHOWS(w, Info(p, 400) > 40) << "it stays";
    EXPECT_FALSE(w.WaitFor("\n1\\. ", 0.5, mark)) << w.Output().substr(mark);

    Click2D(w, 4, 1, 4, 3, l);
    EXPECT_SAYS(w, "\n1\\. e4", 10, mark);
    EXPECT_SHOWS(w, Info(p, 400) == 0) << "the click took the message away";
    ASSERT_SAYS(w, "\n1\\. \\.\\.\\. \\S+", 30, mark);
    EXPECT_SHOWS(w, InWindow(p, 0, 0, l.panel_x, 700, LAST) > 500) << "the reply's cells are marked";
    EXPECT_SHOWS(w, InWindow(p, l.panel_x, 40, 1000, 700, WHITE_TEXT) > 20) << "the list shows 1. e4";
    const PICTURE_T played = w.Still();
    w.Click(l.pic_x + l.pic_w / 2, 20, 4);  // the wheel zooms
    EXPECT_SHOWS(w, played.Differences(p) > 1000);
    w.Click(l.pic_x + l.pic_w / 2, 20, 5);

    // U takes back the reply and the player's move: the player is on move,
    // and the computer still answers the next one
    mark = w.Output().size();
    w.Key("u");
    ASSERT_SAYS(w, "\nmove undone", 10, mark);
    Click2D(w, 3, 1, 3, 3, l);
    EXPECT_SAYS(w, "\n1\\. d4", 10, mark);
    EXPECT_SAYS(w, "\n1\\. \\.\\.\\. \\S+", 30, mark);
    EXPECT_EQ(w.Output().find("Panic"), std::string::npos) << "fault reports wait for the verbose mode";

    // Q asks first; another key forgets it; Esc with the menu open is the menu's
    w.Key("q");
    EXPECT_TRUE(w.Alive());
    EXPECT_SHOWS(w, Info(p, 400) > 40) << "Q again to quit";
    w.Key("Left q");
    EXPECT_TRUE(w.Alive());
    w.Click(300, 300, 3);
    w.Key("Escape");
    EXPECT_TRUE(w.Alive());
    w.Click(300, 300, 1);
    w.Key("Escape");
    Quit(w, "Escape");
}

// A stalemate built with the editor, and a mate after a restored game: each
// result is told on the window and at the list's foot, and stays. Then the
// help page and the promotion chooser in another restored game.
TEST(WindowE2E, ResultsHelpPageAndPromotionChooser) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w);
    w.Key("F2");
    w.Key("b");  // the computer plays Black, which is stalemated
    // Edit (row 7): Clear board (5); Add black (1) King (5), Add white (0) King and Queen (4)
    w.Menu(300, 300, {7, 5});
    for (auto [side, piece, file, rank] : {std::array{1, 5, 0, 7}, {0, 5, 1, 5}, {0, 4, 2, 0}}) {
        w.Menu(300, 300, {7, side, piece});  // black king a8, white king b6, white queen c1
        int x, y;
        Cell2D(file, rank, &x, &y);
        w.Click(x, y);
    }
    size_t mark = w.Output().size();
    Click2D(w, 2, 0, 2, 6);  // Qc7: no move for Black, no check
    ASSERT_SAYS(w, "\n1\\. Qc7\\s+Stalemate", 10, mark);
    const LAYOUT_T l = ViewLayout(800, 800, true);
    EXPECT_SHOWS(w, Result(p) > 100) << "Game over: 1/2-1/2 stalemate";
    EXPECT_SHOWS(w, InWindow(p, l.panel_x, 760, 800, 800, YELLOW) > 30) << "the list's result line";
    EXPECT_SHOWS(w, InWindow(p, 0, 0, l.panel_x, 800, CHECKED, 3) == 0) << "stalemate: no check";
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_SHOWS(w, Result(p) > 100) << "the result stays";

    // Fool's mate, the last move played here with the mouse
    SaveGameFor(w, 2, [](POS_T* b) { Play(b, {{W_PAWN, F2, F3}, {B_PAWN, E7, E5}, {W_PAWN, G2, G4}}); });
    mark = w.Output().size();
    w.Key("F10");  // the computer stops playing: the restored game is the player's alone
    Restore(w, "r r");
    EXPECT_SHOWS(w, Result(p) == 0) << "a new game on the window";
    Click2D(w, 3, 7, 7, 3);  // Qh4
    ASSERT_SAYS(w, "\n2\\. \\.\\.\\. Qh4#\\s+White is mated", 10, mark);
    EXPECT_SHOWS(w, Result(p) > 100) << "Game over: 0-1 Black mates";
    EXPECT_SHOWS(w, InWindow(p, 0, 0, l.panel_x, 800, CHECKED, 3) > 400) << "the mated king's cell";
    EXPECT_SHOWS(w, InWindow(p, l.panel_x, 760, 800, 800, YELLOW) > 30);
    EXPECT_SHOWS(w, InWindow(p, l.panel_x, 40, 800, 760, WHITE_TEXT) > 20) << "f3 and g4 in the list";

    // H opens the help page over the window (the key list goes to the terminal
    // with --log too); while it is open the keys scroll or close it; Esc closes
    // it and the picture is back. A pawn moved to the last rank shows the four
    // pieces; Esc takes the move back, N makes a knight.
    SaveGameFor(w, 2, [](POS_T* b) {
        for (int& p : b->board) p = 0;
        b->board[A8] = B_KING;
        b->board[E7] = W_PAWN;
        b->board[E1] = W_KING;
        EditedStart(b);
    });
    Restore(w, "r r");
    EXPECT_SHOWS(w, Result(p) == 0);
    const PICTURE_T board = w.Still();

    mark = w.Output().size();
    w.Key("h");
    EXPECT_SAYS(w, "\nH/F1 \t This page", 5, mark);
    EXPECT_EQ(w.Output().find("press 'H' in main window"), std::string::npos);
    EXPECT_SHOWS(w, board.Differences(p) > 300000) << "the page covers the window";
    const PICTURE_T help = w.Still();
    EXPECT_LT(InWindow(help, 0, 0, 800, 800, std::array{DARK, DARK, DARK}.data()), 200) << "no board";
    w.Key("Next");
    EXPECT_SHOWS(w, help.Differences(p) > 20000) << "Page Down scrolls";
    w.Key("q Left");
    EXPECT_TRUE(w.Alive()) << "keys but those closing the page do nothing";
    w.Key("Escape");
    EXPECT_SHOWS(w, board.Differences(p) < 20000) << "the board is back";
    EXPECT_TRUE(w.Alive());
    w.Key("F1");
    EXPECT_SHOWS(w, board.Differences(p) > 300000);
    w.Key("F1");
    EXPECT_SHOWS(w, board.Differences(p) < 20000);

    // e7-e8: the chooser over the board; Esc cancels and the pawn stays
    mark = w.Output().size();
    Click2D(w, 4, 6, 4, 7);
    const PROMOTION_BOX_T box = PromotionBox(ViewLayout(800, 800, true));
    EXPECT_SHOWS(w, InWindow(p, box.cells_x, box.cells_y, box.cells_x + 4 * box.cell, box.cells_y + box.cell,
                             WHITE_TEXT, 40) > 400)
        << "the four pieces in White's colour";
    EXPECT_SHOWS(w, InWindow(p, box.x, box.y, box.x + box.w, box.y + box.h, YELLOW) > 100) << "their letters";
    w.Key("Escape");
    EXPECT_TRUE(w.Alive());
    EXPECT_SHOWS(w, board.Differences(p) < 20000) << "the move taken back";
    EXPECT_FALSE(w.WaitFor("\n1\\. ", 0.5, mark)) << w.Output().substr(mark);

    // again, and N: a knight
    Click2D(w, 4, 6, 4, 7);
    EXPECT_SHOWS(w, board.Differences(p) > 20000);
    w.Key("n");
    EXPECT_SAYS(w, "\n1\\. e8N", 5, mark);
    EXPECT_TRUE(w.Alive());
}

// Started in a fresh folder, the build's program reads the source tree's
// meshes. Turned, zoomed and each game's view; S saves a game of the full
// size, F6 the favourite view; with nothing at risk one Q quits.
TEST(WindowE2E, FindsItsMeshesKeysViewSaveRestoreUndoQuit) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w);
    EXPECT_NE(w.Output().find(TAMZOR_SOURCE_DIR "/pieces/KNIGHT.STL - pCnt"), std::string::npos) << w.Output();
    EXPECT_EQ(w.Errors(), "");
    size_t mark = w.Output().size();
    PICTURE_T last = w.Still();
    for (const char* keys : {"shift+Left shift+Left", "shift+Prior", "F2", "F3"}) {
        w.Key(keys);
        EXPECT_SHOWS(w, last.Differences(p) > 1000) << keys;
        last = w.Still();
    }
    w.Key("s");
    struct stat st {};
    ASSERT_TRUE(WindowSession::WaitUntil([&] { return stat((w.Dir() + "/tamzor.sav").c_str(), &st) == 0; }, 5));
    EXPECT_EQ(st.st_size, 34496);
    w.Key("r u");
    // the favourite view: three numbers, xang, yang and scale of the 3D view
    w.Key("F6");
    std::string fav;
    ASSERT_TRUE(WindowSession::WaitUntil([&] { return !(fav = ReadFile(w.Dir() + "/favview.sav")).empty(); }, 5));
    EXPECT_EQ(fav, "300\n0\n1.6\n");
    EXPECT_TRUE(w.WaitFor("\nFavorite view SAVED", 5, mark));
    Quit(w, "q");
}

// A PGN game named on the command line is played on; the Game menu writes
// the game as PGN and loads the newest one written; a file that does not
// read leaves the program running with its game.
TEST(WindowE2E, GamesAsPgnFromTheCommandLineAndTheMenu) {
    SKIP_WITHOUT_X();
    {
        WindowSession w;
        START(w, true, TAMZOR_SOURCE_DIR "/tests/data/opera.pgn");
        EXPECT_TRUE(w.WaitFor("Loaded .*opera\\.pgn", 10)) << w.Output();
        EXPECT_TRUE(w.WaitFor("\n17\\. Rd8", 10)) << w.Output();
        const std::string pgn = SavePgn(w);
        EXPECT_NE(pgn.find("16. Qb8+ Nxb8 17. Rd8# 1-0"), std::string::npos) << pgn;
        // a new 3D game, then the newest PGN here brings the 2D game back
        w.Key("F3");
        const size_t mark = w.Output().size();
        w.Menu(300, 300, {0, 9});  // Game, Load PGN
        EXPECT_SAYS(w, "Loaded tamzor-", 10, mark);
        Quit(w);
    }
    WindowSession w;
    START(w, true, TAMZOR_SOURCE_DIR "/tests/data/none-such.pgn");
    EXPECT_TRUE(w.WaitFor("No game loaded from .*none-such\\.pgn: cannot open", 10)) << w.Output();
    EXPECT_TRUE(w.Alive());
    Quit(w, "q");
}

// Review game from the menu: a progress line while it runs, then the marks
// in the move list, the note on the blunder, and the saved PGN carrying them.
TEST(WindowE2E, ReviewGameMarksTheMoveListAndTheSavedPgn) {
    SKIP_WITHOUT_X();
    const TEMP_PGN_T game("blunder", "[Event \"x\"]\n\n1. e4 d5 2. Qg4 Bxg4 *\n");
    WindowSession w;
    START(w, true, game.path);
    ASSERT_TRUE(w.WaitFor("Loaded .*blunder-[0-9]+\\.pgn", 20)) << w.Output();
    size_t mark = w.Output().size();
    w.Menu(300, 300, {0, 10});  // Game, Review game
    ASSERT_SAYS(w, "Review:\nWhite: 2 moves; blunders \\(\\?\\?\\) 1", 60, mark);
    EXPECT_SAYS(w, "2\\. Qg4\\?\\? lost [0-9.]+: better 2\\. ", 5, mark);
    // the mark beside the move in the list, in its own colour
    constexpr int MARK[3] = {255, 115, 51};
    const LAYOUT_T l = ViewLayout(800, 800, true);
    EXPECT_SHOWS(w, InWindow(p, l.panel_x, 0, l.width, l.height, MARK, 8) > 10);
    const std::string pgn = SavePgn(w);
    EXPECT_NE(pgn.find("2. Qg4 $4 {[%eval "), std::string::npos) << pgn;
    EXPECT_NE(pgn.find("(2. "), std::string::npos) << pgn;
    Quit(w);
}

// A refused move says why on the info line until the next click, also one
// the position's list does not hold (a pawn step leaving the king in check,
// once reported as a fault in the verbose mode); an empty cell says so too.
TEST(WindowE2E, ARefusedMoveSaysWhyUntilTheNextClick) {
    SKIP_WITHOUT_X();
    const TEMP_PGN_T pgn("check", "[Event \"check\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n\n"
                                  "1. f3 e5 2. Kf2 Qh4+ *\n");
    WindowSession w;
    START(w, true, pgn.path);
    EXPECT_TRUE(w.WaitFor("\n2\\. \\.\\.\\. Qh4", 10)) << w.Output();
    w.Key("e");  // verbose: fault reports are printed
    size_t mark = w.Output().size();
    int x, y;
    Cell2D(4, 3, &x, &y);
    w.Click(x, y);
    EXPECT_SAYS(w, "\nthat cell is empty", 5, mark);
    EXPECT_SHOWS(w, Info(p, 700, 2) > 40);
    const long empty_line = Info(w.Still(), 700, 2);

    Click2D(w, 0, 1, 0, 2);
    EXPECT_SAYS(w, "\nyou are in check: a2-a3 does not answer it", 5, mark);
    EXPECT_SHOWS(w, Info(p, 700, 2) > empty_line * 3 / 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_SHOWS(w, Info(p, 700, 2) > empty_line * 3 / 2) << "it stays past the clock's redraws";
    EXPECT_EQ(w.Errors().find("Panic"), std::string::npos) << w.Errors();
    EXPECT_EQ(w.Output().find("ShortMovestr"), std::string::npos);

    // the next click takes it away: a piece picked shows in green
    Piece2D(3, 1, &x, &y);
    w.Click(x, y);
    EXPECT_SHOWS(w, Info(p, 700, 2) == 0);
    Quit(w);
}

namespace {
// Upright cylinders standing in for what may hide a piece: the pieces (the
// meshes reach 0.3 from their axis; a little more for the click's rounding
// to the pixel) and the attack boards' posts.
struct COLUMN_T {
    double x, y, z0, z1, r;
    SQ_T sq;  // a piece's cell; NO_SQUARE for a post
};
std::vector<COLUMN_T> Columns(POS_T* b) {
    // the meshes' heights: pawn, knight, bishop, rook, queen, king
    static const double heights[7] = {0, 0.75, 1.02, 1.1, 0.8725, 1.33, 1.5};
    std::vector<COLUMN_T> out;
    for (SQ_T sq = 0; sq < 64; sq++) {
        P3D_T c;
        GetCoords(b, (int)XPOS(sq), (int)YPOS(sq), &c);
        if (const int piece = b->board[sq])
            out.push_back({c.x + 0.5, c.y + 0.5, c.z + 0.01, c.z + 0.01 + heights[std::abs(piece)], 0.34, sq});
        if (ABIndex((int)sq + 100) >= 0) out.push_back({c.x + 1.0, c.y + 1.0, c.z - 1.0, c.z, 0.12, NO_SQUARE});
    }
    return out;
}

// A point of the piece's axis, from low on it upwards, that nothing of the
// others covers from the eye; false when the piece is hidden everywhere.
bool ShownPoint(const std::vector<COLUMN_T>& columns, const COLUMN_T& piece, const double eye[3], double p[3]) {
    for (double f : {0.3, 0.15, 0.45, 0.6, 0.75}) {
        p[0] = piece.x, p[1] = piece.y, p[2] = piece.z0 + f * (piece.z1 - piece.z0);
        bool covered = false;
        for (int k = 1; k < 400 && !covered; k++) {
            const double s = k / 400.0;
            double q[3];
            for (int i = 0; i < 3; i++) q[i] = eye[i] + s * (p[i] - eye[i]);
            for (const COLUMN_T& c : columns)
                if (&c != &piece && q[2] >= c.z0 && q[2] <= c.z1 && std::hypot(q[0] - c.x, q[1] - c.y) < c.r) {
                    covered = true;
                    break;
                }
        }
        if (!covered) return true;
    }
    return false;
}

// What a click at `place` chose, as --log says ("Nd1W"), "" for nothing. A
// second click at the same place takes the choice back: it is made with
// the next one (`undo`, the place of the one before, or -1).
std::string ClickAndRead(WindowSession& w, std::pair<int, int>& undo, std::pair<int, int> place) {
    const size_t mark = w.Output().size();
    if (undo.first >= 0) w.QuickClicks({undo, place});
    else w.QuickClicks({place});
    undo = place;
    std::string chosen;
    WindowSession::WaitUntil([&] {
        const std::string out = w.Output();
        const size_t at = out.find("\nselected ", mark);
        if (at == std::string::npos) return false;
        const size_t end = out.find('\n', at + 1);
        chosen = out.substr(at + 10, end == std::string::npos ? std::string::npos : end - at - 10);
        return true;
    }, 10, 0.01);
    return chosen;
}

// Clicks every piece of the live position where it shows in each of three
// views; the in-process state must hold the same position and notation.
void ClickEveryPiece(WindowSession& w, const char* position) {
    struct VIEW_T {
        const char* keys;  // from the view of a new game
        double xang, yang;
    };
    const VIEW_T views[3] = {{"", 300, 0},
                             {"shift+Left shift+Left shift+Left", 300, 330},
                             {"shift+Right shift+Right shift+Up", 290, 20}};
    std::vector<COLUMN_T> columns;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        // the window names cells as a new game does, a restored one too
        StoreShared(state.notation, NOTATION_ZARVIC);
        columns = Columns(&state.position);
    }
    for (const VIEW_T& v : views) {
        w.Key(std::string("v ") + v.keys);
        double eye[3];
        EyeInModel(v.xang, 1.6, v.yang, eye);
        int clicked = 0, pieces = 0;
        std::pair<int, int> undo(-1, -1);
        for (const COLUMN_T& piece : columns) {
            if (piece.sq == NO_SQUARE) continue;
            pieces++;
            double p[3];
            if (!ShownPoint(columns, piece, eye, p)) continue;
            int x, y;
            Project(p[0], p[1], p[2], v.xang, 1.6, &x, &y, ViewLayout(800, 800, true), 3, v.yang);
            char name[24];
            CellName(&state.position, piece.sq, name, sizeof name);
            const std::string want = std::string(1, piecechar(std::abs(state.position.board[piece.sq]))) + name;
            EXPECT_EQ(ClickAndRead(w, undo, {x, y}), want)
                << position << ", view " << v.keys << ": clicked " << x << "," << y;
            clicked++;
        }
        if (undo.first >= 0) w.QuickClicks({undo});
        // most pieces show somewhere in these views
        EXPECT_GE(clicked * 4, pieces * 3) << position << ", view " << v.keys;
    }
    w.Key("v");
}
}  // namespace

// A click anywhere a piece shows takes its own cell, whatever stands in
// front or behind: in the start position, after some moves and with the
// attack boards moved, each seen from three sides. A board moves by clicks.
TEST(WindowE2E, AClickTakesThePieceWhereverItShowsAndABoardMovesByItsPost) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w);
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        NewGameState(3);
    }
    ClickEveryPiece(w, "start");

    SaveGameFor(w, 3, [](POS_T* b) {
        for (const char* token : {"h1c3", "h8c6", "f2b4", "e7a5", "e1b3", "f7b5"}) {
            MOVE_T m;
            std::string error;
            ASSERT_TRUE(ReadMove(b, token, &m, &error)) << token << ": " << error;
            EXPECT_TRUE(PlayerMoved(b, &m));
        }
    });
    Restore(w);
    ClickEveryPiece(w, "after 3 moves");

    // White's queen-side board two pins on, Black's one
    SaveGameFor(w, 3, [](POS_T* b) {
        KeyPinCycle(b, 0);
        KeyPinCycle(b, 0);
        KeyPinCycle(b, 1);
        TakeEditAsStart(b);
    });
    Restore(w, "r r");
    ClickEveryPiece(w, "boards moved");

    // an attack board moves by its post and a click on the edge of a free
    // pin's marker; with the cell names shown the picture changes. A game
    // whose start has White's queen-side board empty:
    SaveGameFor(w, 3, [](POS_T* b) {
        for (SQ_T sq : {A1, A2, B1, B2}) b->board[sq] = 0;
        EditedStart(b);
    });
    P3D_T post, pin;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        GetCoords(&state.position, 0, 0, &post);
        GetCoords(&state.position, XPOS(ABW_QL3), YPOS(ABW_QL3), &pin);
    }
    size_t mark = w.Output().size();
    Restore(w, "r r");
    w.Key("b");  // the computer goes on playing Black
    const PICTURE_T plain = w.Still();
    w.Key("n");
    EXPECT_SHOWS(w, plain.Differences(p) > 500) << "cell names";
    w.Key("n");
    int x, y;
    Project(post.x + 1, post.y + 1, post.z - 0.8, 300, 1.6, &x, &y);
    w.Click(x, y);
    EXPECT_SAYS(w, "\nselected QL white", 5, mark) << x << "," << y;
    // the marker: a ball on the pin's corner, 0.28 across its middle; its
    // edge, a little inside, is a good way off the pin's own cell
    int cx, cy;
    Project(pin.x, pin.y, pin.z + 0.28, 300, 1.6, &cx, &cy);
    Project(pin.x - 0.24, pin.y, pin.z + 0.28, 300, 1.6, &x, &y);
    EXPECT_GE(cx - x, 8) << "at least 20 pixels across";
    w.Click(x, cy);
    EXPECT_SAYS(w, "\n1\\. QL3", 5, mark);
}

// The settings menus mark the value a key set as they mark one chosen in the
// menu: D (difficulty) and X (opacity), each menu's picture compared.
TEST(WindowE2E, MenuMarksFollowTheKeys) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w);
    struct CASE_T {
        const char* key;
        int main_row, sub_row;  // the settings menu: its row in the main menu's submenu
        int x;                  // a point on the settings menu's first row
        int entry, other;       // the rows of the value the key sets and of another
        int box[4];             // the settings menu's box in window coordinates
    };
    // The menu opens at (300, 300); the pointer on a settings menu's first
    // row makes it draw. Returns that row's y.
    auto open = [&](const CASE_T& c) {
        w.MoveToOpen(300, 300, 3);
        const int y = 314 + 25 * c.main_row;
        w.MoveToOpen(320, y);
        w.MoveToOpen(420, y + 25 * c.sub_row);
        w.Move(c.x, y + 25 * c.sub_row);
        return y + 25 * c.sub_row;
    };
    // The menu's box once drawn, as a picture of its own.
    auto shot = [&](const CASE_T& c) {
        open(c);
        PICTURE_T box, last;
        WindowSession::WaitUntil([&] {
            last = box;
            const PICTURE_T p = w.Picture();
            box.rgb.clear();
            for (int y = SCREEN_Y + c.box[1]; y < SCREEN_Y + c.box[3] && y < p.height; y++)
                for (int x = SCREEN_X + c.box[0]; x < SCREEN_X + c.box[2] && x < p.width; x++)
                    for (int k = 0; k < 3; k++) box.rgb.push_back(p.rgb[((size_t)y * p.width + x) * 3 + k]);
            return box.rgb == last.rgb;  // drawn
        }, 5);
        w.Click(20, 780);  // closes the menu
        return box;
    };
    const CASE_T level{"d", 0, 1, 580, 0, 1, {556, 322, 800, 530}};  // full strength to 800
    for (const CASE_T& c : {level, CASE_T{"x", 6, 2, 560, 1, 0, {541, 500, 800, 560}}}) {  // transparent to opaque
        const PICTURE_T before = shot(c);
        w.Key(c.key);
        const PICTURE_T by_key = shot(c);
        for (int row : {c.other, c.entry}) w.Click(c.x, open(c) + 25 * row);
        EXPECT_GT(before.Differences(by_key), 100) << c.key << ": the mark moved";
        EXPECT_EQ(by_key.Differences(shot(c)), 0) << c.key << ": marked as the menu marks it";
    }
    // The level (800 now) survives a save, another level and a restore: the
    // sides line names it and the menu marks it again.
    const PICTURE_T marked = shot(level);
    const size_t mark = w.Output().size();
    w.Key("s");
    struct stat st {};
    ASSERT_TRUE(WindowSession::WaitUntil([&] { return stat((w.Dir() + "/tamzor.sav").c_str(), &st) == 0; }, 5));
    w.Key("d");
    EXPECT_SAYS(w, "\nLevel: 1000", 5, mark);
    w.Key("r");
    if (!w.WaitFor("\nRestored", 3, mark)) w.Key("r");  // asked first
    EXPECT_SAYS(w, "\nRestored: you play White, Tamzor \\(800\\) plays Black", 10, mark);
    EXPECT_EQ(marked.Differences(shot(level)), 0) << "800 marked again";
}

// Game > New game asks while a game is on: the game stays after the first
// choice and is replaced after the second. A restored game and a game named
// on the command line are answered by the computer, which keeps its side.
TEST(WindowE2E, MenusAskAndTheComputerKeepsItsSide) {
    SKIP_WITHOUT_X();
    {
        WindowSession w;
        START(w);
        // the saved game: 1. e4, Black (the computer) to move
        SaveGameFor(w, 2, [](POS_T* b) { Play(b, {{W_PAWN, E2, E4}}); });
        w.Key("F2");
        size_t mark = w.Output().size();
        Click2D(w, 3, 1, 3, 3);  // d4
        ASSERT_SAYS(w, "\n1\\. \\.\\.\\. \\S+", 30, mark);
        const LAYOUT_T l = ViewLayout(800, 800, true);
        mark = w.Output().size();
        w.Menu(300, 300, {0, 4});  // Game, New game
        EXPECT_SHOWS(w, Info(p, 560) > 40) << "the question";
        EXPECT_SHOWS(w, InWindow(p, l.panel_x, 40, 800, 760, WHITE_TEXT) > 20) << "the game is still there";
        EXPECT_FALSE(w.WaitFor("\nTamzor V2\\.98f", 1, mark)) << w.Output().substr(mark);
        w.Menu(300, 300, {0, 4});
        EXPECT_SAYS(w, "\nTamzor V2\\.98f", 10, mark);
        EXPECT_SHOWS(w, InWindow(p, l.panel_x, 40, 800, 760, WHITE_TEXT) == 0) << "a new game";

        // a game on again, then R R: the saved game, and the computer answers
        Click2D(w, 2, 1, 2, 3);  // c4
        ASSERT_SAYS(w, "\n1\\. \\.\\.\\. \\S+", 30, mark);
        mark = w.Output().size();
        w.Key("r");
        EXPECT_FALSE(w.WaitFor("Restore game", 1, mark)) << "asked first";
        w.Key("r");
        EXPECT_SAYS(w, "\nRestored: you play White, Tamzor plays Black", 10, mark);
        EXPECT_SAYS(w, "\n1\\. \\.\\.\\. \\S+", 30, mark);
    }
    // a game named on the command line with Black, the computer's side, to move
    const TEMP_PGN_T pgn("sides",
                         "[Event \"?\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n\n1. e4 e5 2. Nf3 *\n");
    WindowSession w;
    START(w, true, pgn.path);
    EXPECT_TRUE(w.WaitFor("\nLoaded: you play White, Tamzor plays Black", 10)) << w.Output();
    EXPECT_TRUE(w.WaitFor("\n2\\. \\.\\.\\. \\S+", 30)) << w.Output();
}

// A new 3D game names its moves as the terminal tool does (a4N, Nb3N, QL3);
// each entry of the Notation menu renames the move list and the cells, and
// tournament brings the first names back. Then the menu's plays both.
TEST(WindowE2E, NotationMenuRenamesTheMoveListAndTheCellsAndPlaysBothIsChosen) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w);
    size_t mark = w.Output().size();
    w.Key("w");  // the computer plays White
    const std::string tournament_move = "\n1\\. ([^\\s(]*([WNB]|[QK]L[1-6])|O-O(-O)?)\\+?(\\s|$)";
    ASSERT_SAYS(w, "\n1\\. \\S+", 30, mark);
    EXPECT_SAYS(w, tournament_move, 1, mark);
    const PICTURE_T unnamed = w.Still();
    w.Key("n");  // the cells' names on the board
    EXPECT_SHOWS(w, p.Differences(unnamed) > 500);
    const PICTURE_T tournament = w.Still();

    w.Menu(300, 300, {4, 1});  // Notation, standard
    const PICTURE_T standard = w.Still();
    EXPECT_GT(standard.Differences(tournament), 500);
    mark = w.Output().size();
    w.Menu(300, 300, {0, 5});  // Game, List game
    EXPECT_SAYS(w, "\n1\\. ([A-Z][a-f][0-9](\\([2-7]\\))?[-x][a-f][0-9]\\([2-7]\\)|[QK]L[WB][a-f][0-9]\\([2-7]\\)|O-O)",
                5, mark);

    w.Menu(300, 300, {4, 2});  // Notation, algebraic: the boards' pins are Q1 .. K6
    const PICTURE_T algebraic = w.Still();
    EXPECT_GT(algebraic.Differences(tournament), 100);
    EXPECT_GT(algebraic.Differences(standard), 500);

    w.Menu(300, 300, {4, 0});  // Notation, tournament
    EXPECT_SHOWS(w, p.Differences(tournament) < 50);
    mark = w.Output().size();
    w.Menu(300, 300, {0, 5});
    EXPECT_SAYS(w, tournament_move, 5, mark);

    // Game, Tamzor, plays both in a new 2D game: the menu opens where the
    // pointer is, each submenu beside its entry (the Game menu is wider than
    // most). While the computer plays on, the view is turned, zoomed and
    // listed: drawing and input on one thread, the search on another, the
    // clock on a third.
    w.Key("F2 F2");  // asked first
    mark = w.Output().size();
    w.Menu(300, 300, {0, 0, 2}, 160);
    EXPECT_SAYS(w, "\n1\\. \\S+", 20, mark);
    EXPECT_SAYS(w, "\n1\\. \\.\\.\\. \\S+", 30, mark);
    for (int i = 0; i < 3; i++) w.Key("shift+Left Up Prior Next l");
    EXPECT_SAYS(w, "\n3\\. \\S+", 30, mark);
    Quit(w);

}

// A timed game read from a file goes on with its comments' clocks: White,
// two seconds left, loses on time, as the info line, the red clock and the
// saved PGN say; a control chosen before a new game's first move holds for
// the computer too.
TEST(WindowE2E, AClockRunsOutAndTheComputerPlaysOnItsClock) {
    SKIP_WITHOUT_X();
    const TEMP_PGN_T pgn("timed", "[Event \"timed\"]\n[White \"?\"]\n[Black \"Tamzor\"]\n[Result \"*\"]\n"
                                  "[TimeControl \"60+0\"]\n\n1. e4 {[%clk 0:00:30]} e5 {[%clk 0:00:55]} "
                                  "2. Nf3 {[%clk 0:00:02]} Nc6 {[%clk 0:00:50]} *\n");
    WindowSession w;
    START(w, true, pgn.path);
    EXPECT_TRUE(w.WaitFor("\n2\\. \\.\\.\\. Nc6", 10)) << w.Output();
    EXPECT_SHOWS(w, InWindow(p, 40, 120, 700, 155, RED, 40) > 30) << "White's clock under ten seconds";
    EXPECT_TRUE(w.WaitFor("\nWhite loses on time: Black wins on time", 10)) << w.Output();
    EXPECT_SHOWS(w, InWindow(p, 40, 50, 700, 80, RED, 40) > 100) << "the result above the board";
    // no move after the result, and the saved game says how it ended
    const std::string text = SavePgn(w);
    for (const char* part : {"[Result \"0-1\"]", "[TimeControl \"60+0\"]", "[Termination \"time forfeit\"]",
                             "2. Nf3 {[%clk 0:00:02.0]} Nc6", "{[%clk 0:00:50.0]} 0-1"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_EQ(w.Output().find("\n3. "), std::string::npos) << w.Output();

    // a new 3D game, 1+0 before its first move, the computer on White
    w.Key("F3");
    const size_t mark = w.Output().size();
    w.Menu(300, 300, {0, 11, 1}, 180);  // Game, Clock, 1+0
    EXPECT_SAYS(w, "\nClock 1\\+0 for this game", 10, mark);
    w.Key("w");
    EXPECT_SAYS(w, "\n1\\. ", 20, mark);
    EXPECT_EQ(w.Output().find("on time", mark), std::string::npos) << w.Output().substr(mark);
    Quit(w);
}

// The 2D game by the keyboard, by dragging (let go off the board, the piece
// goes back) and from the move list (clicked, stepped, and a move from a
// position looked at asks, then drops the moves after it); then the hint
// and the computer's thinking.
TEST(WindowE2E, TypedDraggedBrowsedHintAndThinkingIn2D) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w);
    w.Key("F2");
    const LAYOUT_T l = ViewLayout(800, 800, true);
    size_t mark = w.Output().size();
    w.Key("Return e 4 Return");
    ASSERT_SAYS(w, "\n1\\. e4", 10, mark);
    ASSERT_SAYS(w, "\n1\\. \\.\\.\\. \\S+", 30, mark);
    // a text that is no move stays on the info line with its reason
    mark = w.Output().size();
    w.Key("Return Q h 9 Return");
    EXPECT_SHOWS(w, Info(p) > 40);
    EXPECT_FALSE(w.WaitFor("\n2\\. ", 0.5, mark));
    w.Key("Escape");

    // the knight dragged: it leaves its cell and shows on the way
    int x0, y0, x1, y1;
    Piece2D(6, 0, &x0, &y0);
    Cell2D(5, 2, &x1, &y1);
    const PICTURE_T before = w.Still();
    w.Drag(x0, y0, (x0 + x1) / 2 - 150, (y0 + y1) / 2, false);
    EXPECT_SHOWS(w, p.Differences(before) > 300) << "the piece follows the pointer";
    w.Move(5, 5);
    w.MouseUp();
    EXPECT_SHOWS(w, Info(p) > 40) << "let go off the board: it goes back";
    EXPECT_FALSE(w.WaitFor("\n2\\. Nf3", 1, mark)) << w.Output().substr(mark);
    mark = w.Output().size();
    w.Drag(x0, y0, x1, y1);
    ASSERT_SAYS(w, "\n2\\. Nf3", 10, mark);
    ASSERT_SAYS(w, "\n2\\. \\.\\.\\. \\S+", 30, mark);

    // the list: 1. e4 clicked, then stepped; the banner says what shows
    const int white_x = l.panel_x + 70, black_x = l.panel_x + 140, line1_y = 51;
    const PICTURE_T game = w.Still();
    mark = w.Output().size();
    w.Click(white_x, line1_y);
    ASSERT_SAYS(w, "\nviewing ply 1 of 4", 5, mark);
    EXPECT_SHOWS(w, p.Differences(game) > 500) << "the board after 1. e4";
    constexpr int BROWSING[3] = {76, 217, 255};
    EXPECT_SHOWS(w, InWindow(p, 0, 40, l.panel_x, 125, BROWSING, 30) > 100) << "the banner says it is browsing";
    EXPECT_SHOWS(w, InWindow(p, 0, 600, l.panel_x, 800, BROWSING, 30) > 300) << "and the frame round the board";
    w.Key("Right");
    EXPECT_SAYS(w, "\nviewing ply 2 of 4", 5, mark);
    w.Key("Left Left");
    EXPECT_SAYS(w, "\nviewing ply 0 of 4", 5, mark);
    w.Key("F8 End");
    EXPECT_SAYS(w, "\nback to the game", 5, mark);
    EXPECT_SHOWS(w, p.Differences(game) < 300) << "the game as it was";

    // a move from 1... (Black's reply shown): asks, then cuts and plays
    w.Click(black_x, line1_y);
    ASSERT_SAYS(w, "\nviewing ply 2 of 4", 5, mark);
    mark = w.Output().size();
    w.Key("Return d 4 Return");
    ASSERT_SAYS(w, "d2-d4 here drops the 2 moves after it|d4 here drops the 2 moves after it", 5, mark);
    EXPECT_FALSE(w.WaitFor("\n2\\. d4", 1, mark)) << "nothing played nor lost yet";
    EXPECT_SHOWS(w, Info(p) > 40) << "the question stays";
    w.Key("Return d 4 Return");
    ASSERT_SAYS(w, "\n2\\. d4", 10, mark);
    EXPECT_SAYS(w, "\n2\\. \\.\\.\\. \\S+", 30, mark) << "the computer plays on";
    EXPECT_EQ(w.Output().find("Panic"), std::string::npos);

    // the hint in both games (its cells in a colour of their own, its text
    // on the info line), then the thinking panel while the computer thinks:
    // its line legal from the position searched, the band and the bar beside
    // the board
    constexpr int HINT[3] = {242, 153, 25}, BAND[3] = {26, 26, 33}, BAR_WHITE[3] = {235, 235, 224};
    for (const char* game : {"F2", "F3"}) {
        w.Key(std::string(game) + " " + game);  // asked first while a game is on
        EXPECT_SHOWS(w, InWindow(p, 0, 0, l.panel_x, 800, HINT) == 0) << game;
        const size_t mark = w.Output().size();
        w.Key("i");
        ASSERT_TRUE(w.WaitFor("\nHint: \\S+", 30, mark)) << game << w.Output().substr(mark);
        EXPECT_SHOWS(w, InWindow(p, 0, 0, l.panel_x, 800, HINT, 3) > 150) << game << ": the hint's cells";
        EXPECT_SHOWS(w, Info(p, 400) > 40) << game << ": the hint's text";
        EXPECT_EQ(w.Output().substr(mark).find("\n1."), std::string::npos) << "the hint plays nothing";
    }

    // P in a 2D game: after a4 (no book move answers it) the computer
    // (Black) thinks, and the panel's line, from Black's move 1, reads move
    // by move from the position after a4
    w.Key("F2");
    w.Key("p");
    const LAYOUT_T t = ViewLayout(800, 800, true, true, true);
    ASSERT_GT(t.think_h, 0);
    mark = w.Output().size();
    Click2D(w, 0, 1, 0, 3, t);
    ASSERT_SAYS(w, "\n1\\. a4", 10, mark);
    const std::string thinking = "\nThinking: depth \\d+ [+-]\\d+\\.\\d\\d (1\\.\\.\\. [^\n]+)";
    ASSERT_SAYS(w, thinking, 60, mark);
    const std::string out = w.Output().substr(mark);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, std::regex(thinking)));
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        CLI_OPTIONS_T opt;
        opt.dmode = 2;
        ASSERT_TRUE(SetUpGame(opt));
        StoreShared(state.tamzor, TAMZOR_OFF);
        // the line without its move numbers, played on from a4
        const std::string line = std::regex_replace(m[1].str(), std::regex("[0-9]+\\.+"), " ");
        ASSERT_NE(line.find_first_not_of(' '), std::string::npos) << m[1];
        std::string error;
        testing::internal::CaptureStdout();
        const bool legal = PlayUserMoves("a2a4 " + line, &error);
        testing::internal::GetCapturedStdout();
        EXPECT_TRUE(legal) << m[1] << ": " << error;
    }
    const int band_top = 800 - t.think_y - t.think_h, band_x1 = t.think_x + t.think_w, band_y1 = band_top + t.think_h;
    EXPECT_SHOWS(w, InWindow(p, t.think_x, band_top, band_x1, band_y1, BAND) > 2000) << "the band under the board";
    EXPECT_SHOWS(w, InWindow(p, t.bar_x, 800 - t.bar_y - t.bar_h, t.bar_x + t.bar_w, 800 - t.bar_y, BAR_WHITE) > 200)
        << "White's share of the bar";
    EXPECT_SHOWS(w, InWindow(p, t.think_x, band_top, band_x1, band_y1, INFO, 0) > 20) << "the panel's text";
    // P again: the band goes, the picture takes its room back
    w.Key("p");
    EXPECT_SHOWS(w, InWindow(p, t.think_x, band_top, band_x1, band_y1, BAND) < 200);
    Quit(w);
}

// The 3D game: a piece dragged to its cell, a move typed in the program's
// text, a look back from the list; hidden cells taken by Tab and by name.
TEST(WindowE2E, TypedDraggedBrowsedAndHiddenCellsIn3D) {
    SKIP_WITHOUT_X();
    WindowSession w;
    START(w);
    // a move of a piece that shows in the start view to a cell that shows:
    // pressed on the piece, let go over the cell's middle
    std::vector<COLUMN_T> columns;
    std::vector<MOVE_TEXT_T> legal;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        NewGameState(3);
        legal = LegalMoveTexts(&state.position);
        columns = Columns(&state.position);
    }
    double eye[3];
    EyeInModel(300, 1.6, 0, eye);
    int x0 = -1, y0 = -1, x1 = -1, y1 = -1;
    std::string text;
    for (const MOVE_TEXT_T& m : legal) {
        if (IsAB(m.move.piece_moving)) continue;
        auto piece =
            std::find_if(columns.begin(), columns.end(), [&](const COLUMN_T& c) { return c.sq == m.move.from; });
        P3D_T to;
        GetCoords(&state.position, (int)XPOS(m.move.to), (int)YPOS(m.move.to), &to);
        const COLUMN_T cell{to.x + 0.5, to.y + 0.5, to.z, to.z + 0.01, 0, m.move.to};
        double p[3], q[3];
        if (piece == columns.end() || !ShownPoint(columns, *piece, eye, p) || !ShownPoint(columns, cell, eye, q))
            continue;
        Project(p[0], p[1], p[2], 300, 1.6, &x0, &y0);
        Project(q[0], q[1], to.z, 300, 1.6, &x1, &y1);
        text = m.text;
        break;
    }
    ASSERT_FALSE(text.empty()) << "a move in view";
    size_t mark = w.Output().size();
    const PICTURE_T before = w.Still();
    w.Drag(x0, y0, (x0 + x1) / 2, (y0 + y1) / 2 - 60, false);
    EXPECT_SHOWS(w, p.Differences(before) > 300) << "the piece follows the pointer";
    w.Move(x1, y1);
    w.MouseUp();
    ASSERT_SAYS(w, "\n1\\. " + text, 10, mark) << text;
    ASSERT_SAYS(w, "\n1\\. \\.\\.\\. \\S+", 30, mark);
    w.Settle();
    mark = w.Output().size();
    w.Key("Return a 4 N Return");
    ASSERT_SAYS(w, "\n2\\. a4N", 10, mark);
    ASSERT_SAYS(w, "\n2\\. \\.\\.\\. \\S+", 30, mark);

    // the list's first move looked at, then the game again
    const LAYOUT_T l = ViewLayout(800, 800, true);
    const PICTURE_T game = w.Still();
    w.Click(l.panel_x + 70, 51);
    ASSERT_SAYS(w, "\nviewing ply 1 of 4", 5, mark);
    EXPECT_SHOWS(w, p.Differences(game) > 300);
    w.Key("End");
    EXPECT_SAYS(w, "\nback to the game", 5, mark);
    EXPECT_EQ(w.Output().find("Panic"), std::string::npos);

    // a new game (asked first): the knight on d1W stands under White's
    // king-side board, behind its king: Tab steps through what is under the
    // pointer down to it, and a cell's name typed after Enter takes it too;
    // letters typed there are no commands, and Esc drops the choice or the
    // typing before it would quit
    w.Key("F3 F3");
    SQ_T knight;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        NewGameState(3);
        std::string reason;
        ASSERT_TRUE(CellFromName(&state.position, "d1W", false, &knight, &reason));
        columns = Columns(&state.position);
    }
    double p[3];
    auto column = std::find_if(columns.begin(), columns.end(), [&](const COLUMN_T& c) { return c.sq == knight; });
    ASSERT_NE(column, columns.end());
    ASSERT_FALSE(ShownPoint(columns, *column, eye, p)) << "hidden in the start view";
    int x, y;
    Project(column->x, column->y, column->z0 + 0.3, 300, 1.6, &x, &y);
    w.Move(x, y);
    mark = w.Output().size();
    bool found = false;
    for (int i = 0; i < 6 && !found; i++) {
        w.Key("Tab");
        found = w.WaitFor("\nd1W white knight \\([0-9] of [0-9]\\): Enter takes it", 1, mark);
    }
    ASSERT_TRUE(found) << w.Output().substr(mark);
    w.Key("Return");
    EXPECT_SAYS(w, "\nselected Nd1W", 5, mark);
    w.Key("Escape");
    EXPECT_TRUE(w.Alive()) << "Esc took the choice back";

    // a name that is no cell stays to be mended; then the knight and its move
    mark = w.Output().size();
    const long no_prompt = Info(w.Still());
    w.Key("Return d 9 w Return");
    EXPECT_SHOWS(w, Info(p) > no_prompt + 40) << "the prompt and its reason";
    w.Key("BackSpace BackSpace BackSpace d 1 W Return");
    EXPECT_SAYS(w, "\nselected Nd1W", 5, mark);
    w.Key("Return c 3 n Return");
    EXPECT_SAYS(w, "\n1\\. Nc3N", 5, mark);
    const std::string typed = w.Output().substr(mark);
    EXPECT_EQ(typed.find("difficulty"), std::string::npos) << typed;
    EXPECT_EQ(typed.find("playing White"), std::string::npos) << typed;
    w.Key("Return Escape");
    EXPECT_TRUE(w.Alive()) << "Esc closed the prompt";
    Quit(w);
}

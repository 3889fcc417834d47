// The window program: start-up, then GLUT's main loop drives everything.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "build_info.h"
#include "search/book.h"
#include "view.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
// GLUT ends the process when it cannot open the display: ask X first.
bool DisplayOpens(const std::string& name) {
    Display* d = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (!d) return false;
    XCloseDisplay(d);
    return true;
}

// The terminal game, with the game file when one was named.
void Exec(const char* program, const std::string& file, int (*exec)(const char*, char* const*)) {
    std::string words[] = {program, "play", "--pgn", file};
    char* argv[5] = {words[0].data(), words[1].data(), nullptr, nullptr, nullptr};
    if (!file.empty()) {
        argv[2] = words[2].data();
        argv[3] = words[3].data();
    }
    exec(program, argv);
}

// Without a display the game is played on the terminal by the terminal tool
// installed beside this program (or found on the path).
[[noreturn]] void PlayOnTheTerminal(const std::string& file) {
    fprintf(stderr, "tamzor: no display, playing on the terminal (tamzor-cli play)\n");
    std::string cli = ExecutablePath();
    if (!cli.empty()) {
        cli = cli.substr(0, cli.rfind('/') + 1) + "tamzor-cli";
        if (access(cli.c_str(), X_OK) == 0) Exec(cli.c_str(), file, execv);
    }
    Exec("tamzor-cli", file, execvp);
    fprintf(stderr, "tamzor: tamzor-cli not found\n");
    exit(1);
}

// The meshes from the data installed with the program (or the source tree's,
// run from the build folder); without them the classic pieces, said once.
void ReadPieceMeshes() {
    const std::vector<std::string> dirs =
        DataDirs(ExecutablePath(), TAMZOR_DATA_FROM_BIN, TAMZOR_BUILD_TREE, TAMZOR_SOURCE_TREE);
    const std::string data = FindDataDir(dirs);
    if (data.empty()) {
        std::string looked;
        for (const std::string& d : dirs) looked += (looked.empty() ? "" : " or ") + d + "/pieces";
        fprintf(stderr, "tamzor: no piece meshes in %s: the pieces are drawn in their classic shapes\n",
                looked.empty() ? "the program's folder" : looked.c_str());
        return;
    }
    const std::string p = data + "/pieces/";
    pKing.MeshRead((p + "KING.STL").c_str());
    pQueen.MeshRead((p + "QUEEN.STL").c_str());
    pRook.MeshRead((p + "ROOK.STL").c_str());
    pBishop.MeshRead((p + "BISHOP.STL").c_str());
    pKnight.MeshRead((p + "KNIGHT.STL").c_str());
    pPawn.MeshRead((p + "PAWN.STL").c_str());
}
}  // namespace

int main(int argc, char** argv) {
    const WINDOW_ARGS_T args = ParseWindowArgs(argc, argv);
    switch (args.action) {
        case WINDOW_ARGS_T::HELP: fputs(WindowUsage(), stdout); return 0;
        case WINDOW_ARGS_T::VERSION: printf("tamzor %s\n", TAMZOR_VERSION); return 0;
        case WINDOW_ARGS_T::USAGE_ERROR:
            fprintf(stderr, "tamzor: %s\n%s", args.error.c_str(), WindowUsage());
            return 2;
        case WINDOW_ARGS_T::RUN: break;
    }
    if (!DisplayOpens(args.display)) PlayOnTheTerminal(args.file);
    console_log = args.log;
    SetConsoleOutput(console_log);

    eval_show = false;
    menu_mesh_pieces = 0;
    InstallViewHooks();
    SDL sdl(1);
    pSDL = &sdl;
    StartSecondTick(&sdl);

    ReadPieceMeshes();

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(800, 800);
    glutInitWindowPosition(160, 40);
    mainWindow = glutCreateWindow("Tamzor");
    glutSetWindowTitle("Tamzor " TAMZOR_VERSION);

    glClearColor(0, 0, 0, 1);
    glutSetCursor(GLUT_CURSOR_CROSSHAIR);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LINE_SMOOTH);
    glShadeModel(GL_FLAT);

    glutDisplayFunc(DisplayMain);
    glutReshapeFunc(ReshapeMain);
    glutKeyboardFunc(Keyboard);
    glutSpecialFunc(KeyboardSpecial);
    glutMouseFunc(MouseButton);
    glutPassiveMotionFunc(PointerMoved);
    glutMotionFunc(PointerDragged);
    glutMenuStatusFunc(MenuStatus);

    StoreShared(state.rules, RULES_TDCL);
    StoreShared(state.notation, NOTATION_DEFAULT);
    StoreShared(state.tamzor, TAMZOR_BLACK);
    StoreShared(state.maxdepth, DIFF_HARD);
    state.spread = SPREAD_PIECE;
    StoreShared(state.stop_search, 1);
    menu_mesh_pieces = 1;
    timers.timer_limit = 5;
    SetSearchThreads(MaxSearchThreads());
    book_on = true;  // the computer's games differ from one to the next  // a desktop program thinks with the whole machine
    CreateMenus();

    glutIdleFunc(ViewIdle);
    GameListInit();
    DoModeMenu(3);
    PrintHelp();
    if (!args.file.empty()) LoadPgnForPlayer(args.file.c_str());
    Clutch(1);
    glutMainLoop();
    return 0;
}

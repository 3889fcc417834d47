// The window program: start-up, then GLUT's main loop drives everything.
#include <X11/Xlib.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "view.h"

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
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        self[n] = 0;
        std::string cli = self;
        cli = cli.substr(0, cli.rfind('/') + 1) + "tamzor-cli";
        if (access(cli.c_str(), X_OK) == 0) Exec(cli.c_str(), file, execv);
    }
    Exec("tamzor-cli", file, execvp);
    fprintf(stderr, "tamzor: tamzor-cli not found\n");
    exit(1);
}
}  // namespace

int main(int argc, char** argv) {
    const WINDOW_ARGS_T args = ParseWindowArgs(argc, argv);
    switch (args.action) {
        case WINDOW_ARGS_T::HELP: fputs(WindowUsage(), stdout); return 0;
        case WINDOW_ARGS_T::VERSION: printf("Tamzor 2.98f\n"); return 0;
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

    pKing.MeshRead("pieces/KING.STL");
    pQueen.MeshRead("pieces/QUEEN.STL");
    pRook.MeshRead("pieces/ROOK.STL");
    pBishop.MeshRead("pieces/BISHOP.STL");
    pKnight.MeshRead("pieces/KNIGHT.STL");
    pPawn.MeshRead("pieces/PAWN.STL");

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(800, 800);
    glutInitWindowPosition(160, 40);
    mainWindow = glutCreateWindow("Tamzor");
    glutSetWindowTitle("Tamzor 2.98f");

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

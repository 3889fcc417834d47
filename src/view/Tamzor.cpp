// The window program: start-up, then GLUT's main loop drives everything.
#include <cstdio>

#include "view.h"

int main(int argc, char** argv) {
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
    glutMenuStatusFunc(MenuStatus);

    StoreShared(state.rules, RULES_TDCL);
    StoreShared(state.notation, NOTATION_STANDARD);
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
    Keyboard('H', 0, 0);
    // `tamzor game.pgn` opens with that game (GLUT took its own arguments)
    if (argc > 1) LoadPgnForPlayer(argv[1]);
    Clutch(1);
    glutMainLoop();
    return 0;
}

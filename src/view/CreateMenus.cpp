#include "view.h"

int MainMenu, GameMenu, CompMenu, DifficultyMenu, TimeLimitMenu, UndoMenu, PiecesMenu, ModeMenu,
    RulesMenu, NotationMenu, SpreadMenu, ViewMenu, ProjMenu, AxesMenu, OpacityMenu, CapturedMenu,
    EditMenu, PieceMenuWhite, PieceMenuBlack;
bool menus_ready = false;

namespace {
struct ENTRY_T {
    const char* label;
    int value;
};

// A settings menu whose entry for `current` is marked.
int SettingsMenu(void (*handler)(int), const ENTRY_T* entries, int n, int current, bool time_limit = false) {
    const int id = glutCreateMenu(handler);
    for (int i = 0; i < n; i++) {
        char label[32];
        glutAddMenuEntry(MarkedLabel(entries[i].label, entries[i].value == current, time_limit, label, sizeof label),
                         entries[i].value);
    }
    return id;
}

int PlainMenu(void (*handler)(int), const ENTRY_T* entries, int n) {
    const int id = glutCreateMenu(handler);
    for (int i = 0; i < n; i++) glutAddMenuEntry(entries[i].label, entries[i].value);
    return id;
}
}  // namespace

void CreateMenus() {
    if (menus_ready) {
        glutPostRedisplay();
        return;
    }
    NormaliseMenuSettings();
    static const ENTRY_T comp[] = {{"plays white", 1}, {"plays black", -1}, {"plays both", 2}, {"does not play", 0}};
    static const ENTRY_T diff[] = {{"easy", 4}, {"medium", 8}, {"hard", 50}};
    static const ENTRY_T limit[] = {{" 5s", 5}, {" 10s", 10}, {" 30s", 30}, {" 1m", 60}, {" 5m", 300}};
    static const ENTRY_T undo[] = {{"1 ply", 1}, {"1 move", 2}, {"2 moves", 4}, {"4 moves", 8}, {"8 moves", 16}};
    static const ENTRY_T pieces[] = {{"classic", 0}, {"mesh", 1}};
    static const ENTRY_T mode[] = {{"2D", 2}, {"3D", 3}};
    static const ENTRY_T rules[] = {{"tournament", 1}, {"tdcl", 2}};
    // Each style by the names it gives the same two cells.
    static const ENTRY_T notation[] = {
        {"tournament: b3N, z0QL1", 0}, {"standard: c3(4), a0(3)", 1}, {"algebraic: b3N, z0Q1", 2}};
    static const ENTRY_T spread[] = {{"off", 0}, {"piece", 1}, {"team", 2}};
    static const ENTRY_T proj[] = {{"Perspective", 0}, {"Orthographic", 1}};
    static const ENTRY_T onoff[] = {{"Off", 0}, {"On", 1}};
    static const ENTRY_T opacity[] = {{"Transparent", 1}, {"Opaque", 0}};
    static const ENTRY_T white[] = {{"Pawn", 11}, {"Knight", 12}, {"Bishop", 13}, {"Rook", 14}, {"Queen", 15}, {"King", 16}};
    static const ENTRY_T black[] = {{"Pawn", 5}, {"Knight", 6}, {"Bishop", 7}, {"Rook", 8}, {"Queen", 9}, {"King", 10}};

    CompMenu = SettingsMenu(DoComputerMenu, comp, 4, LoadShared(state.tamzor));
    DifficultyMenu = SettingsMenu(DoDifficultyMenu, diff, 3, LoadShared(state.maxdepth));
    TimeLimitMenu = SettingsMenu(DoTimeLimitMenu, limit, 5, (int)timers.timer_limit, true);
    UndoMenu = PlainMenu(DoUndoMenu, undo, 5);
    // The game's actions: a new one is a line here and a case in DoGameMenu.
    static const ENTRY_T game[] = {{"New game", 0},     {"List game", 2},        {"Save game", 5},
                                   {"Restore game", 6}, {"Save game as PGN", 7}, {"Load PGN", 8}};
    GameMenu = glutCreateMenu(DoGameMenu);
    glutAddSubMenu("Tamzor", CompMenu);
    glutAddSubMenu("Difficulty", DifficultyMenu);
    glutAddSubMenu("TimeLimit", TimeLimitMenu);
    glutAddSubMenu("Undo", UndoMenu);
    for (const ENTRY_T& e : game) glutAddMenuEntry(e.label, e.value);
    PiecesMenu = SettingsMenu(DoPiecesMenu, pieces, 2, menu_mesh_pieces);
    ModeMenu = PlainMenu(DoModeMenu, mode, 2);
    RulesMenu = SettingsMenu(DoRulesMenu, rules, 2, LoadShared(state.rules));
    NotationMenu = SettingsMenu(DoNotationMenu, notation, 3, LoadShared(state.notation));
    SpreadMenu = SettingsMenu(DoSpreadMenu, spread, 3, state.spread);
    ProjMenu = PlainMenu(DoProjMenu, proj, 2);
    AxesMenu = PlainMenu(DoAxesMenu, onoff, 2);
    OpacityMenu = PlainMenu(DoOpacityMenu, opacity, 2);
    CapturedMenu = PlainMenu(DoCapturedMenu, onoff, 2);
    ViewMenu = glutCreateMenu(DoViewMenu);
    glutAddSubMenu("Projection", ProjMenu);
    glutAddSubMenu("Axes", AxesMenu);
    glutAddSubMenu("Opacity", OpacityMenu);
    glutAddSubMenu("Captured", CapturedMenu);
    glutAddMenuEntry("BlackView", 4);
    glutAddMenuEntry("Reset View", 3);
    glutAddMenuEntry("Move list on/off", 5);
    glutAddMenuEntry("Cell names on/off", 6);
    PieceMenuWhite = PlainMenu(DoPieceMenu, white, 6);
    PieceMenuBlack = PlainMenu(DoPieceMenu, black, 6);
    EditMenu = glutCreateMenu(DoEditMenu);
    glutAddSubMenu("Add white ...", PieceMenuWhite);
    glutAddSubMenu("Add black ...", PieceMenuBlack);
    glutAddMenuEntry("Remove piece", 1);
    glutAddMenuEntry("White's move", 3);
    glutAddMenuEntry("Black's move", 4);
    glutAddMenuEntry("Clear board", 2);
    MainMenu = glutCreateMenu(DoMainMenu);
    glutAddSubMenu("Game", GameMenu);
    glutAddSubMenu("Pieces", PiecesMenu);
    glutAddSubMenu("Mode", ModeMenu);
    glutAddSubMenu("Rules", RulesMenu);
    glutAddSubMenu("Notation", NotationMenu);
    glutAddSubMenu("Spread", SpreadMenu);
    glutAddSubMenu("View", ViewMenu);
    glutAddSubMenu("Edit", EditMenu);
    glutAddMenuEntry("Quit", 3);
    glutAttachMenu(GLUT_RIGHT_BUTTON);
    menus_ready = true;
}

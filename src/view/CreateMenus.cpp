#include "view.h"
#include "tamzor.h"

int TimeControlMenu, ThreadsMenu, PonderMenu;
int MainMenu, GameMenu, CompMenu, DifficultyMenu, TimeLimitMenu, UndoMenu, PiecesMenu, ModeMenu,
    RulesMenu, NotationMenu, SpreadMenu, ViewMenu, ProjMenu, AxesMenu, OpacityMenu, CapturedMenu,
    EditMenu, PieceMenuWhite, PieceMenuBlack;
bool menus_ready = false;
int thinking_entry = 0;  // the View menu's "Show thinking", counted from 1

namespace {
int setting_menu_ids[SETTING_MENUS];
int marks_shown[SETTING_MENUS];  // the value each settings menu marks on screen

// A settings menu, its current value marked; the value is noted as shown.
int SettingsMenu(void (*handler)(int), int which) {
    const int id = glutCreateMenu(handler);
    const SETTING_MENU_T& m = SettingMenu(which);
    const int current = CurrentSetting(which);
    for (int i = 0; i < m.count; i++) {
        char label[32];
        glutAddMenuEntry(SettingLabel(which, i, current, label, sizeof label), m.entries[i].value);
    }
    setting_menu_ids[which] = id;
    marks_shown[which] = current;
    return id;
}

int PlainMenu(void (*handler)(int), const MENU_ENTRY_T* entries, int n) {
    const int id = glutCreateMenu(handler);
    for (int i = 0; i < n; i++) glutAddMenuEntry(entries[i].label, entries[i].value);
    return id;
}
}  // namespace

void RefreshMenuMarks() {
    // GLUT refuses changes to its menus while one is open.
    if (!menus_ready || menu_in_use) return;
    const unsigned stale = StaleMarks(marks_shown);
    if (!stale) return;
    const int current_menu = glutGetMenu();
    for (int which = 0; which < SETTING_MENUS; which++) {
        if (!(stale & (1u << which))) continue;
        glutSetMenu(setting_menu_ids[which]);
        const SETTING_MENU_T& m = SettingMenu(which);
        for (int i = 0; i < m.count; i++) {
            char label[32];
            glutChangeToMenuEntry(i + 1, SettingLabel(which, i, marks_shown[which], label, sizeof label),
                                  m.entries[i].value);
        }
    }
    if (current_menu) glutSetMenu(current_menu);
}

void CreateMenus() {
    if (menus_ready) {
        glutPostRedisplay();
        return;
    }
    NormaliseMenuSettings();
    static const MENU_ENTRY_T undo[] = {{"1 ply", 1}, {"1 move", 2}, {"2 moves", 4}, {"4 moves", 8}, {"8 moves", 16}};
    static const MENU_ENTRY_T mode[] = {{"2D", 2}, {"3D", 3}};
    static const MENU_ENTRY_T white[] = {{"Pawn", 11}, {"Knight", 12}, {"Bishop", 13}, {"Rook", 14}, {"Queen", 15}, {"King", 16}};
    static const MENU_ENTRY_T black[] = {{"Pawn", 5}, {"Knight", 6}, {"Bishop", 7}, {"Rook", 8}, {"Queen", 9}, {"King", 10}};

    CompMenu = SettingsMenu(DoComputerMenu, SET_COMPUTER);
    DifficultyMenu = SettingsMenu(DoDifficultyMenu, SET_DIFFICULTY);
    TimeLimitMenu = SettingsMenu(DoTimeLimitMenu, SET_TIME_LIMIT);
    UndoMenu = PlainMenu(DoUndoMenu, undo, 5);
    TimeControlMenu = SettingsMenu(DoTimeControlMenu, SET_TIME_CONTROL);
    ThreadsMenu = SettingsMenu(DoThreadsMenu, SET_THREADS);
    PonderMenu = SettingsMenu(DoPonderMenu, SET_PONDER);
    // The game's actions: a new one is a line here and a case in DoGameMenu.
    static const MENU_ENTRY_T game[] = {{"New game", 0},     {"List game", 2},        {"Save game", 5},
                                        {"Restore game", 6}, {"Save game as PGN", 7}, {"Load PGN", 8},
                                        {"Review game", 9}};
    const int book_menu = SettingsMenu(DoBookMenu, SET_BOOK);
    GameMenu = glutCreateMenu(DoGameMenu);
    glutAddSubMenu("Tamzor", CompMenu);
    glutAddSubMenu("Level", DifficultyMenu);
    glutAddSubMenu("TimeLimit", TimeLimitMenu);
    glutAddSubMenu("Undo", UndoMenu);
    for (const MENU_ENTRY_T& e : game) glutAddMenuEntry(e.label, e.value);
    glutAddSubMenu("Clock", TimeControlMenu);  // the entries above keep their rows
    glutAddMenuEntry("Hint (I)", 10);
    glutAddSubMenu("Threads", ThreadsMenu);
    glutAddSubMenu("Think on your time", PonderMenu);
    glutAddSubMenu("Opening book", book_menu);
    PiecesMenu = SettingsMenu(DoPiecesMenu, SET_PIECES);
    ModeMenu = PlainMenu(DoModeMenuEntry, mode, 2);
    RulesMenu = SettingsMenu(DoRulesMenu, SET_RULES);
    NotationMenu = SettingsMenu(DoNotationMenu, SET_NOTATION);
    SpreadMenu = SettingsMenu(DoSpreadMenu, SET_SPREAD);
    ProjMenu = SettingsMenu(DoProjMenu, SET_PROJECTION);
    AxesMenu = SettingsMenu(DoAxesMenu, SET_AXES);
    OpacityMenu = SettingsMenu(DoOpacityMenu, SET_OPACITY);
    CapturedMenu = SettingsMenu(DoCapturedMenu, SET_CAPTURED);
    ViewMenu = glutCreateMenu(DoViewMenu);
    glutAddSubMenu("Projection", ProjMenu);
    glutAddSubMenu("Axes", AxesMenu);
    glutAddSubMenu("Opacity", OpacityMenu);
    glutAddSubMenu("Captured", CapturedMenu);
    glutAddMenuEntry("BlackView", 4);
    glutAddMenuEntry("Reset View", 3);
    glutAddMenuEntry("Move list on/off", 5);
    glutAddMenuEntry("Cell names on/off", 6);
    glutAddMenuEntry(ThinkingMenuLabel(), 7);
    thinking_entry = glutGet(GLUT_MENU_NUM_ITEMS);
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

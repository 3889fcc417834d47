// The handlers of the pop-up menus: each stores the chosen value or starts
// the chosen action.
#include <cstdio>

#include "view.h"

void DoMainMenu(int v) {
    if (v == 3) Quit();
    Panic(false, "Unknown main menu value");
}

void DoGameMenu(int v) {
    switch (v) {
        case 0:
            PrintVersion();
            info_string[0] = 0;
            Clutch(0);
            {
                std::lock_guard<std::recursive_mutex> lock(GameMutex());
                ResetBoard(true);
                timers.NewGame();
            }
            Clutch(1);
            break;
        case 2: {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            ListGame(false);
            break;
        }
        case 5: {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            SaveGame(0);
            break;
        }
        case 6: RestoreForPlayer(0); break;  // stops the engine thread itself
        case 7: SavePgnForPlayer(); break;
        case 8: LoadPgnForPlayer(nullptr); break;
        default: Panic(false, "unknown selection @ DoGameMenu"); break;
    }
    fflush(stdout);
    CreateMenus();
}

void DoComputerMenu(int v) {
    if (v == TAMZOR_BOTH) {
        state.demo_mode = 1;
    } else {
        if (v == TAMZOR_OFF) computer_side = TAMZOR_OFF;
        StoreShared(state.tamzor, v);
        StoreShared(state.stop_search, 1);
        state.demo_mode = 0;
    }
    EngineNudge();
    CreateMenus();
}

void DoDifficultyMenu(int v) {
    StoreShared(state.maxdepth, v);
    CreateMenus();
}

void DoTimeLimitMenu(int v) {
    timers.timer_limit = (uint64_t)v;
    CreateMenus();
}

void DoModeMenu(int v) {
    Clutch(0);
    info_string[0] = 0;  // what was said of the game before goes with it
    if (eval_show) printf("\nBoard Hashes Reset");
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        NewGameState(v);
    }
    PrintVersion();
    CreateMenus();
    Clutch(1);
}

void DoPiecesMenu(int v) {
    menu_mesh_pieces = v;
    CreateMenus();
}

void DoRulesMenu(int v) {
    StoreShared(state.rules, v);
    CreateMenus();
}

void DoNotationMenu(int v) {
    StoreShared(state.notation, v);
    // The move list is written anew in the chosen notation; a piece picked
    // stays picked, the info line naming its cell the new way.
    const auto selected = state.selected;
    UndoForPlayer(0);
    state.selected = selected;
    CreateMenus();
}

void DoSpreadMenu(int v) {
    state.spread = v;
    CreateMenus();
}

void DoViewMenu(int v) {
    if (v == 3) ResetView();
    else if (v == 4) ToggleZeBlackView();
    else if (v == 5) Keyboard('M', 0, 0);
    else if (v == 6) Keyboard('N', 0, 0);
    else Panic(false, "Unknown View Menu value");
    CreateMenus();
}

void DoProjMenu(int v) {
    state.projection_ortho = v;
    CreateMenus();
}

void DoAxesMenu(int v) {
    AxesOnOff = v;
    CreateMenus();
}

void DoOpacityMenu(int v) {
    state.stipple = v;
    CreateMenus();
}

void DoCapturedMenu(int v) {
    CapturedOnOff = v;
    glutPostRedisplay();
}

void DoEditMenu(int v) {
    editing_option = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        POS_T* b = &state.position;
        if (v == 2) {
            for (int& cell : b->board) cell = 0;
        } else if (v == 3) {
            b->move_num &= ~1;
        } else if (v == 4) {
            b->move_num |= 1;
        } else {
            editing_option = v;
        }
    }
    CreateMenus();
}

void DoPieceMenu(int v) {
    editing_option = v;
    CreateMenus();
}

void DoUndoMenu(int v) {
    UndoForPlayer(v);  // stops the engine thread itself
    CreateMenus();
}

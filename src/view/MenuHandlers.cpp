// The handlers of the pop-up menus: each stores the chosen value or starts
// the chosen action. Entries that would end or replace a game in progress ask
// first, as their keys do; any other entry forgets the question.
#include <cstdio>

#include "search/book.h"
#include "shell/clock.h"
#include "view.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

void DoMainMenu(int v) {
    if (v == 3) {
        if (ConfirmMenuAction(CONFIRM_QUIT)) Quit();
        return;
    }
    ForgetConfirm();
    Panic(false, "Unknown main menu value");
}

void DoGameMenu(int v) {
    if (v != 0 && v != 6 && v != 8) ForgetConfirm();
    switch (v) {
        case 0:
            if (!ConfirmMenuAction(CONFIRM_NEW_GAME)) break;
            LeaveReplay();
            CancelReviewForPlayer();  // the game it was reviewing is gone
            PrintVersion();
            info_string[0] = 0;
            Clutch(0);
            {
                std::lock_guard<std::recursive_mutex> lock(GameMutex());
                ResetBoard(true);
                pgn_source.Forget();  // a loaded file's names are not this game's
                timers.NewGame();
                game_clock.NewGame();
            }
            Clutch(1);
            break;
        case 2: {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            ListGame(false);
            break;
        }
        case 5: SaveForPlayer(); break;
        case 6:  // stops the engine thread itself
            if (ConfirmMenuAction(CONFIRM_RESTORE)) RestoreForPlayer(0);
            break;
        case 7: SavePgnForPlayer(); break;
        case 8:
            // nothing to load: said at once, without asking
            if (NewestPgnHere().empty()) {
                ForgetConfirm();
                LoadPgnForPlayer(nullptr);
            } else if (ConfirmMenuAction(CONFIRM_LOAD_PGN)) {
                LoadPgnForPlayer(nullptr);
            }
            break;
        case 9: StartReviewForPlayer(); break;
        case 10: AskHint(); break;
        default: Panic(false, "unknown selection @ DoGameMenu"); break;
    }
    fflush(stdout);
    CreateMenus();
}

void DoComputerMenu(int v) {
    ForgetConfirm();
    if (v == TAMZOR_BOTH) {
        state.demo_mode = 1;
    } else {
        if (v == TAMZOR_OFF) computer_side = TAMZOR_OFF;
        StoreShared(state.tamzor, v);
        StoreShared(state.stop_search, 1);
        state.demo_mode = 0;
    }
    SidesText("", info_string, sizeof info_string);
    EngineNudge();
    CreateMenus();
}

void DoDifficultyMenu(int v) {
    ForgetConfirm();
    StoreShared(state.maxdepth, v);
    CreateMenus();
}

void DoTimeLimitMenu(int v) {
    ForgetConfirm();
    timers.timer_limit = (uint64_t)v;
    CreateMenus();
}

void DoThreadsMenu(int v) {
    ForgetConfirm();
    SetSearchThreads(v);  // from the computer's next search on
    CreateMenus();
}

void DoPonderMenu(int v) {
    ForgetConfirm();
    ponder_on_players_time = v != 0;
    EngineNudge();  // a search on the player's time starts or stops now
    CreateMenus();
}

void DoTimeControlMenu(int v) {
    ForgetConfirm();
    ChooseTimeControl(v, TickCount());
    CreateMenus();
}

void DoModeMenuEntry(int v) {
    if (ConfirmMenuAction(v == 2 ? CONFIRM_MODE_2D : CONFIRM_MODE_3D)) DoModeMenu(v);
}

void DoModeMenu(int v) {
    LeaveReplay();
    Clutch(0);
    info_string[0] = 0;  // what was said of the game before goes with it
    cell_prompt.Close();
    stepped = STEPPED_T{};
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
    ForgetConfirm();
    menu_mesh_pieces = v;
    CreateMenus();
}

void DoRulesMenu(int v) {
    ForgetConfirm();
    StoreShared(state.rules, v);
    CreateMenus();
}

void DoNotationMenu(int v) {
    ForgetConfirm();
    StoreShared(state.notation, v);
    // The move list is written anew in the chosen notation; a piece picked
    // stays picked, the info line naming its cell the new way.
    const auto selected = state.selected;
    UndoForPlayer(0);
    state.selected = selected;
    CreateMenus();
}

void DoSpreadMenu(int v) {
    ForgetConfirm();
    state.spread = v;
    CreateMenus();
}

void DoViewMenu(int v) {
    ForgetConfirm();
    if (v == 3) ResetView();
    else if (v == 4) ToggleZeBlackView();
    else if (v == 5) Keyboard('M', 0, 0);
    else if (v == 6) Keyboard('N', 0, 0);
    else if (v == 7) ToggleThinking();
    else Panic(false, "Unknown View Menu value");
    CreateMenus();
}

void DoProjMenu(int v) {
    ForgetConfirm();
    state.projection_ortho = v;
    CreateMenus();
}

void DoAxesMenu(int v) {
    ForgetConfirm();
    AxesOnOff = v;
    CreateMenus();
}

void DoOpacityMenu(int v) {
    ForgetConfirm();
    state.stipple = v;
    CreateMenus();
}

void DoCapturedMenu(int v) {
    ForgetConfirm();
    CapturedOnOff = v;
    glutPostRedisplay();
}

void DoBookMenu(int v) {
    ForgetConfirm();
    book_on = v != 0;
    snprintf(info_string, sizeof info_string, "Opening book %s: %s", v ? "on" : "off",
             v ? "Tamzor plays known openings at once, varying its games" : "Tamzor searches every move");
    printf("\n%s", info_string);
    CreateMenus();
}

void DoEditMenu(int v) {
    // clearing the board drops the game on it: asked first, as a new game is
    if (v == 2) {
        if (!ConfirmMenuAction(CONFIRM_CLEAR_BOARD)) return;
    } else {
        ForgetConfirm();
    }
    LeaveReplay();  // the game's own position is edited
    editing_option = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        POS_T* b = &state.position;
        if (v == 2) {
            for (int& cell : b->board) cell = 0;
            TakeEditAsStart(b);  // no piece of the game left in its places
            snprintf(info_string, sizeof info_string, "the board is empty: put both kings on it to play");
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
    ForgetConfirm();
    LeaveReplay();
    editing_option = v;
    CreateMenus();
}

void DoUndoMenu(int v) {
    ForgetConfirm();
    UndoForPlayer(v);  // stops the engine thread itself
    CreateMenus();
}

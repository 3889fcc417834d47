// The settings menus: their entries, the value each marks now, and which
// of them the window must rewrite because the state changed under them.
#include <algorithm>

#include "search/book.h"
#include "search/levels.h"
#include "shell/clock.h"
#include "viewlogic.h"
#include "tamzor.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
constexpr MENU_ENTRY_T comp[] = {{"plays white", TAMZOR_WHITE}, {"plays black", TAMZOR_BLACK},
                                 {"plays both", TAMZOR_BOTH}, {"does not play", TAMZOR_OFF}};
// the levels, weakest first (LEVEL_LADDER's rungs); digits have no capitals,
// so the current one is marked with '>'
constexpr MENU_ENTRY_T diff[] = {{" 800", 800},   {" 1000", 1000}, {" 1200", 1200}, {" 1400", 1400},
                                 {" 1600", 1600}, {" 1800", 1800}, {" 2000", 2000}, {" full strength", LEVEL_FULL}};
constexpr MENU_ENTRY_T limit[] = {{" 5s", 5}, {" 10s", 10}, {" 30s", 30}, {" 1m", 60}, {" 5m", 300}};
constexpr MENU_ENTRY_T pieces[] = {{"classic", 0}, {"mesh", 1}};
constexpr MENU_ENTRY_T rules[] = {{"tournament", RULES_TOURNAMENT}, {"tdcl", RULES_TDCL}};
// Each notation by the names it gives the same two cells.
constexpr MENU_ENTRY_T notation[] = {
    {"tournament: b3N, z0QL1", 0}, {"standard: c3(4), a0(3)", 1}, {"algebraic: b3N, z0Q1", 2}};
constexpr MENU_ENTRY_T spread[] = {{"off", SPREAD_OFF}, {"piece", SPREAD_PIECE}, {"team", SPREAD_TEAM}};
constexpr MENU_ENTRY_T proj[] = {{"Perspective", 0}, {"Orthographic", 1}};
constexpr MENU_ENTRY_T onoff[] = {{"Off", 0}, {"On", 1}};
constexpr MENU_ENTRY_T opacity[] = {{"Transparent", 1}, {"Opaque", 0}};
// minutes each + seconds added after each move; digits have no capitals, so
// the current one is marked with '>'
constexpr MENU_ENTRY_T clock[] = {{" untimed", 0}, {" 1+0", 1},   {" 3+2", 2},
                                  {" 5+3", 3},     {" 15+10", 4}, {" 30+0", 5}};

// " 1 thread" .. " 16 threads"; the menu lists as many as the machine has cores
constexpr MENU_ENTRY_T threads[] = {
    {" 1 thread", 1},    {" 2 threads", 2},   {" 3 threads", 3},   {" 4 threads", 4},
    {" 5 threads", 5},   {" 6 threads", 6},   {" 7 threads", 7},   {" 8 threads", 8},
    {" 9 threads", 9},   {" 10 threads", 10}, {" 11 threads", 11}, {" 12 threads", 12},
    {" 13 threads", 13}, {" 14 threads", 14}, {" 15 threads", 15}, {" 16 threads", 16}};
constexpr int MAX_THREAD_ENTRIES = sizeof threads / sizeof *threads;

template <int N>
constexpr SETTING_MENU_T Menu(const MENU_ENTRY_T (&e)[N], bool time_limit = false) {
    return {e, N, time_limit};
}
constexpr SETTING_MENU_T menus[SETTING_MENUS] = {
    Menu(comp),  Menu(diff, true), Menu(limit, true), Menu(pieces), Menu(rules),   Menu(notation),
    Menu(spread), Menu(proj), Menu(onoff),       Menu(opacity), Menu(onoff),
    Menu(clock, true), Menu(threads, true), Menu(onoff), Menu(onoff)};
}  // namespace

const SETTING_MENU_T& SettingMenu(int which) {
    if (which == SET_THREADS) {
        static const SETTING_MENU_T cores = {threads, std::min(MaxSearchThreads(), MAX_THREAD_ENTRIES), true};
        return cores;
    }
    return menus[which];
}

int ComputerPlays() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());  // the engine ends games
    if (state.demo_mode) return TAMZOR_BOTH;
    const int t = LoadShared(state.tamzor);
    return t == TAMZOR_WHITE || t == TAMZOR_BLACK ? t : computer_side;
}

int CurrentSetting(int which) {
    switch (which) {
        case SET_COMPUTER: {
            // A decided game has the computer off until undo gives it back
            // its side: the menu shows that side meanwhile.
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            if (state.position.winner && !state.demo_mode) return computer_side;
            return state.demo_mode ? TAMZOR_BOTH : LoadShared(state.tamzor);
        }
        case SET_DIFFICULTY: return LoadShared(state.maxdepth);
        case SET_TIME_LIMIT: return (int)timers.timer_limit.load();
        case SET_PIECES: return menu_mesh_pieces;
        // A new game leaves the rules at none, which moves the boards as
        // tournament rules do.
        case SET_RULES: return LoadShared(state.rules) == RULES_TDCL ? RULES_TDCL : RULES_TOURNAMENT;
        case SET_NOTATION: return LoadShared(state.notation);
        case SET_SPREAD: return state.spread;
        case SET_PROJECTION: return state.projection_ortho;
        case SET_AXES: return AxesOnOff ? 1 : 0;
        case SET_OPACITY: return state.stipple ? 1 : 0;
        case SET_CAPTURED: return CapturedOnOff ? 1 : 0;
        case SET_TIME_CONTROL: {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            return game_clock.chosen;
        }
        case SET_THREADS: return SearchThreads();
        case SET_PONDER: return ponder_on_players_time.load() ? 1 : 0;
        case SET_BOOK: return book_on.load() ? 1 : 0;
        default: return 0;
    }
}

const char* SettingLabel(int which, int entry, int current, char* out, size_t size) {
    const SETTING_MENU_T& m = SettingMenu(which);
    return MarkedLabel(m.entries[entry].label, m.entries[entry].value == current, m.time_limit, out, size);
}

unsigned StaleMarks(int shown[SETTING_MENUS]) {
    unsigned stale = 0;
    for (int which = 0; which < SETTING_MENUS; which++) {
        const int now = CurrentSetting(which);
        if (now == shown[which]) continue;
        shown[which] = now;
        stale |= 1u << which;
    }
    return stale;
}

// The players' clocks under a time control: each side's time left in
// milliseconds of the tick count, and the times at every ply of the record,
// so that undo gives them back and a PGN file can carry them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tamzor.h"
#include "shell/shell.h"

struct TIME_CONTROL_T {
    const char* label;  // as the menu shows it: "5+3"
    int base_s;         // each side's time at the start
    int increment_s;    // added to a side's clock after each of its moves
};
// The controls offered; index 0 is the untimed game.
constexpr int TIME_CONTROLS = 6;
const TIME_CONTROL_T& TimeControlAt(int index);
// The PGN TimeControl tag of a control: "300+3", "-" for the untimed game.
std::string TimeControlTag(int index);
// The control a TimeControl tag names: 0 for "-" or none, -1 for one not
// offered here.
int TimeControlOfTag(const std::string& tag);
// "[%clk 0:04:58]" (tenths below a minute: "[%clk 0:00:07.4]").
std::string ClockComment(long long ms);
// The milliseconds of the first [%clk h:mm:ss] or [%clk h:mm:ss.f] in a
// comment's text, -1 when there is none.
long long ClockOfComment(const std::string& text);
// "4:58", "1:02:05", and "7.4" below ten seconds; "0.0" at 0.
std::string ClockText(long long ms);

class GAME_CLOCK_C {
public:
    // A game under control `index` at ply `ply` (both clocks full); the
    // control also becomes the one chosen for new games.
    void Reset(int index, int ply);
    // A new game: the control chosen for it, from ply 0.
    void NewGame() { Reset(chosen, 0); }
    int Control() const { return control_; }
    bool Timed() const { return control_ != 0; }
    // A side's time left (1 White, -1 Black) at tick `now`, never below 0.
    long long LeftMs(int side, uint64_t now) const;
    // Starts or stops the clock of the side to move.
    void Run(bool on, uint64_t now);
    bool Running() const { return running_; }
    // The side to move played: its time until now is spent, its increment
    // added (unless its time had run out), the times noted for the new ply,
    // and the other side's clock runs.
    void Moved(int ply_after, uint64_t now);
    // Back to ply `ply` (undo): the times as they were then (the present ones
    // for a ply whose times are unknown); a flag fallen later is forgotten.
    void TakeBack(int ply, uint64_t now);
    // The game at ply `ply` with these times (a restored game); earlier plies'
    // times are unknown.
    void Resume(int index, int ply, long long white_ms, long long black_ms);
    // A game read with every move's clock after it (-1 unknown): move i made
    // ply `first + i`; the times at the end are the last ones known.
    void ResumeMoves(int index, int first, const std::vector<long long>& after_ms);
    // The side whose time ran out at tick `now` (the side to move, or one
    // whose move came too late), noted and the clock stopped; the one noted
    // before; 0 none. Asked only while the game is on: a mate made too late
    // still wins.
    int CheckFlag(uint64_t now);
    int Flagged() const { return flag_; }
    // The ply the clocks are at.
    int Ply() const { return ply_; }
    // Both times as they were at ply `ply` (White, Black); false when unknown.
    bool TimesAt(int ply, long long* white, long long* black) const;
    // The mover's clock after the move that reached ply `ply_after`, -1 unknown.
    long long AfterMove(int ply_after) const;
    // The times into the state's saved-game fields and back.
    void ToState(STATE_T* s, uint64_t now) const;
    void FromState(const STATE_T& s);

    // The control for the next new game (the menu's mark).
    int chosen = 0;

private:
    int control_ = 0, ply_ = 0, flag_ = 0;
    int late_ = 0;  // a side whose move came after its time ran out
    long long left_[2] = {0, 0};  // White, Black, when the running clock last started
    bool running_ = false;
    uint64_t since_ = 0;
    std::vector<long long> at_;  // times at ply p: at_[2p] White, at_[2p+1] Black; -1 unknown
    void Note(int ply);
};
// The live game's clocks; read and changed under GameMutex().
extern GAME_CLOCK_C game_clock;

// The result when `flagged` (1 White, -1 Black) runs out of time in `b`:
// the other side wins (1 or -1), or 2 drawn when it cannot mate (a lone
// king, or material neither side can mate with).
int TimeLossResult(const POS_T* b, int flagged);
// The move list's line of a game lost on time ("0-1 White loses on time",
// "1/2-1/2 drawn on time"), nullptr when the game did not end so.
const char* TimeLossLine(const POS_T* b);

// The time a search may take with `left` ms on its clock, `inc` ms
// increment and `movestogo` moves to the next control (0: unknown): the hard
// limit and the point after which no new iteration starts, in seconds. The
// hard limit always leaves a reserve on the clock. The UCI engine and the
// window's computer share it.
// overhead: the interface's delay a move, spared from the budget.
// stretch_s: what the hard limit may grow to when the search finds its move
// failing (never past half of what may be spent).
void UciClockBudget(long long left, long long inc, long long movestogo, double* hard_s, double* soft_s,
                    long long overhead = 0, double* stretch_s = nullptr);
// The engine thread's search under a timed game: its limits set from the
// computer's clock (true), or nothing done when the game is untimed
// (false). ClockSearchEnd puts the untimed limits back.
bool ClockSearchStart(int side);
void ClockSearchEnd();

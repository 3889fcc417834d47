#include <algorithm>

#include "shell/clock.h"
#include "tamzor.h"
#include "shell/shell.h"

GAME_CLOCK_C game_clock;

namespace {
// Index of a side in the two clocks: White 0, Black 1.
int Slot(int side) { return side == 1 ? 0 : 1; }
// The side to move at a ply of the record (ply 0 White).
int MoverAt(int ply) { return ply % 2 == 0 ? 0 : 1; }
}  // namespace

void GAME_CLOCK_C::Reset(int index, int ply) {
    control_ = index > 0 && index < TIME_CONTROLS ? index : 0;
    chosen = control_;
    ply_ = std::max(ply, 0);
    flag_ = late_ = 0;
    running_ = false;
    left_[0] = left_[1] = TimeControlAt(control_).base_s * 1000LL;
    at_.assign(2 * (ply_ + 1), -1);
    Note(ply_);
}

void GAME_CLOCK_C::Note(int ply) {
    if ((int)at_.size() < 2 * (ply + 1)) at_.resize(2 * (ply + 1), -1);
    at_[2 * ply] = left_[0];
    at_[2 * ply + 1] = left_[1];
}

long long GAME_CLOCK_C::LeftMs(int side, uint64_t now) const {
    const int k = Slot(side);
    long long left = left_[k];
    if (running_ && k == MoverAt(ply_) && now > since_) left -= (long long)(now - since_);
    return std::max(left, 0LL);
}

void GAME_CLOCK_C::Run(bool on, uint64_t now) {
    if (!Timed()) on = false;
    if (on == running_) return;
    if (running_) left_[MoverAt(ply_)] = LeftMs(MoverAt(ply_) == 0 ? 1 : -1, now);
    running_ = on;
    since_ = now;
}

void GAME_CLOCK_C::Moved(int ply_after, uint64_t now) {
    if (!Timed()) {
        ply_ = ply_after;
        return;
    }
    const int mover = MoverAt(ply_);
    if (running_) {
        left_[mover] = LeftMs(mover == 0 ? 1 : -1, now);
        since_ = now;
    }
    // a move made after the flag fell earns nothing: the flag stands
    if (left_[mover] > 0)
        left_[mover] += TimeControlAt(control_).increment_s * 1000LL;
    else
        late_ = mover == 0 ? 1 : -1;
    ply_ = ply_after;
    at_.resize(std::min<size_t>(at_.size(), 2 * (size_t)ply_));
    Note(ply_);
}

bool GAME_CLOCK_C::TimesAt(int ply, long long* white, long long* black) const {
    if (ply < 0 || 2 * ply + 1 >= (int)at_.size() || at_[2 * ply] < 0 || at_[2 * ply + 1] < 0) return false;
    *white = at_[2 * ply];
    *black = at_[2 * ply + 1];
    return true;
}

void GAME_CLOCK_C::TakeBack(int ply, uint64_t now) {
    if (!Timed() || ply < 0) {
        ply_ = std::max(ply, 0);
        return;
    }
    if (ply == ply_) return;  // the game rebuilt where it was: nothing changes
    if (2 * ply + 1 < (int)at_.size() && at_[2 * ply] >= 0 && at_[2 * ply + 1] >= 0) {
        left_[0] = at_[2 * ply];
        left_[1] = at_[2 * ply + 1];
    }
    ply_ = ply;
    flag_ = late_ = 0;
    since_ = now;
    at_.resize(std::min<size_t>(at_.size(), 2 * (size_t)ply_));
    Note(ply_);
}

void GAME_CLOCK_C::Resume(int index, int ply, long long white_ms, long long black_ms) {
    Reset(index, 0);
    if (!Timed()) {
        ply_ = std::max(ply, 0);
        return;
    }
    ply_ = std::max(ply, 0);
    left_[0] = std::max(white_ms, 0LL);
    left_[1] = std::max(black_ms, 0LL);
    at_.assign(2 * (ply_ + 1), -1);
    Note(ply_);
}

void GAME_CLOCK_C::ResumeMoves(int index, int first, const std::vector<long long>& after_ms) {
    Reset(index, std::max(first, 0));
    if (!Timed()) {
        ply_ = std::max(first, 0) + (int)after_ms.size();
        return;
    }
    // a move without its clock leaves the mover's time as it was, increment
    // and all: nothing says it was spent
    const long long inc = TimeControlAt(control_).increment_s * 1000LL;
    for (size_t i = 0; i < after_ms.size(); i++) {
        const int mover = MoverAt(ply_);
        left_[mover] = after_ms[i] >= 0 ? after_ms[i] : left_[mover] + inc;
        ply_++;
        Note(ply_);
        // only a clock the file gave counts for a later undo
        if (after_ms[i] < 0) at_[2 * ply_ + mover] = -1;
    }
}

int GAME_CLOCK_C::CheckFlag(uint64_t now) {
    if (flag_ || !Timed()) return flag_;
    if (late_) {
        Run(false, now);
        flag_ = late_;
        late_ = 0;
        return flag_;
    }
    const int side = MoverAt(ply_) == 0 ? 1 : -1;
    if (LeftMs(side, now) > 0) return 0;
    Run(false, now);
    left_[Slot(side)] = 0;
    flag_ = side;
    return flag_;
}

long long GAME_CLOCK_C::AfterMove(int ply_after) const {
    if (!Timed() || ply_after < 1 || 2 * ply_after + 1 >= (int)at_.size()) return -1;
    return at_[2 * ply_after + MoverAt(ply_after - 1)];
}

void GAME_CLOCK_C::ToState(STATE_T* s, uint64_t now) const {
    s->clock_control = (uint8_t)control_;
    // tenths, rounded up so that a clock with time left is saved with some
    auto tenths = [](long long ms) { return (uint16_t)std::min<long long>((ms + 99) / 100, 65535); };
    s->clock_white = Timed() ? tenths(LeftMs(1, now)) : 0;
    s->clock_black = Timed() ? tenths(LeftMs(-1, now)) : 0;
}

void GAME_CLOCK_C::FromState(const STATE_T& s) {
    // a byte no control has (a file from elsewhere) is the untimed game
    const int index = s.clock_control < TIME_CONTROLS ? s.clock_control : 0;
    Resume(index, s.position.move_num, s.clock_white * 100LL, s.clock_black * 100LL);
}

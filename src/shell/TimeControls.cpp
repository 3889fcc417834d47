// The time controls offered and the texts of clocks: the window's, and the
// PGN's TimeControl tag and [%clk] comments that other programs read too.
#include <cstdio>

#include "shell/clock.h"
#include "tamzor.h"

namespace {
constexpr TIME_CONTROL_T controls[TIME_CONTROLS] = {
    {"untimed", 0, 0}, {"1+0", 60, 0}, {"3+2", 180, 2}, {"5+3", 300, 3}, {"15+10", 900, 10}, {"30+0", 1800, 0}};
}  // namespace

const TIME_CONTROL_T& TimeControlAt(int index) {
    return controls[index > 0 && index < TIME_CONTROLS ? index : 0];
}

std::string TimeControlTag(int index) {
    const TIME_CONTROL_T& c = TimeControlAt(index);
    if (c.base_s == 0) return "-";
    return std::to_string(c.base_s) + "+" + std::to_string(c.increment_s);
}

int TimeControlOfTag(const std::string& tag) {
    if (tag.empty() || tag == "-" || tag == "?") return 0;
    for (int i = 1; i < TIME_CONTROLS; i++)
        if (TimeControlTag(i) == tag) return i;
    // "300" alone is 300+0
    if (tag.find('+') == std::string::npos) return TimeControlOfTag(tag + "+0");
    return -1;
}

std::string ClockComment(long long ms) {
    if (ms < 0) ms = 0;
    const long long s = ms / 1000;
    char text[48];
    if (s < 60)
        snprintf(text, sizeof text, "[%%clk 0:00:%02lld.%lld]", s, ms % 1000 / 100);
    else
        snprintf(text, sizeof text, "[%%clk %lld:%02lld:%02lld]", s / 3600, s / 60 % 60, s % 60);
    return text;
}

long long ClockOfComment(const std::string& text) {
    const size_t at = text.find("[%clk");
    if (at == std::string::npos) return -1;
    long long h = 0, m = 0;
    double s = 0;
    int used = 0;
    if (sscanf(text.c_str() + at + 5, " %lld:%lld:%lf%n", &h, &m, &s, &used) != 3 || h < 0 || m < 0 || m > 59 ||
        s < 0 || s >= 60)
        return -1;
    return (h * 3600 + m * 60) * 1000 + (long long)(s * 1000 + 0.5);
}

std::string ClockText(long long ms) {
    if (ms < 0) ms = 0;
    char text[32];
    // tenths below ten seconds, rounded down: 0.0 is the flag
    if (ms < 10000) {
        snprintf(text, sizeof text, "%lld.%lld", ms / 1000, ms % 1000 / 100);
        return text;
    }
    // whole seconds rounded up, as a clock shows the second it is in
    const long long s = (ms + 999) / 1000;
    if (s >= 3600)
        snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    else
        snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
    return text;
}

#include <algorithm>

#include "view.h"
#include "tamzor.h"

// A bar along the picture's foot while a review runs: how much of the game
// is done.
void DrawReviewProgress() {
    if (review_run.phase.load() != REVIEW_RUNNING) return;
    const LAYOUT_T& l = view_layout;
    const int total = review_run.total.load(), done = review_run.done.load();
    // right of the evaluation bar when the thinking panel draws one
    const int x0 = thinking_on && l.bar_w > 0 ? l.bar_x + l.bar_w + 8 : 12, x1 = (l.panel_w > 0 ? l.panel_x : l.width) - 12;
    // above the captured pieces' tray, when it shows, and above the
    // thinking panel's band, which sits there too
    int bottom = l.height - (l.tray_h > 0 ? l.tray_h + 6 : 8);
    if (thinking_on && l.think_h > 0) bottom = std::min(bottom, l.height - l.think_y - l.think_h - 6);
    const int top = bottom - 10;
    if (x1 <= x0) return;
    SetColor(COLOR_T{0.25f, 0.25f, 0.25f, 0});
    PixelRect(x0, top, x1, bottom);
    if (total > 0 && done > 0) {
        SetColor(color_yellow);
        PixelRect(x0, top, x0 + (int)((long long)(x1 - x0) * done / total), bottom);
    }
    SetColor(color_white);
    PixelRect(x0, top, x1, bottom, false);
}

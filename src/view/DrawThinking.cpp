// The computer's thinking: a band of text under the board and the
// evaluation bar at its left, White's share from the bottom.
#include <string>
#include <vector>

#include "search/thinking.h"
#include "view.h"
#include "tamzor.h"

namespace {
const COLOR_T band_color = {0.10f, 0.10f, 0.13f, 0};
const COLOR_T bar_white = {0.92f, 0.92f, 0.88f, 0};
const COLOR_T bar_black = {0.3f, 0.3f, 0.34f, 0};
const COLOR_T bar_middle = {0.9f, 0.3f, 0.1f, 0};
const COLOR_T line_color = {0.8f, 0.85f, 1.0f, 0};

int TextWidth(void* font, const std::string& text) {
    return glutBitmapLength(font, (const unsigned char*)text.c_str());
}

void DrawBar(const LAYOUT_T& l, const THINKING_T& t) {
    if (l.bar_w <= 0 || l.bar_h <= 0) return;
    const int top = l.height - l.bar_y - l.bar_h, bottom = l.height - l.bar_y;
    const double share = t.any ? WhiteShare(t.white_value) : 0.5;
    const int split = bottom - (int)(share * l.bar_h + 0.5);
    SetColor(bar_black);
    PixelRect(l.bar_x, top, l.bar_x + l.bar_w, split);
    SetColor(bar_white);
    PixelRect(l.bar_x, split, l.bar_x + l.bar_w, bottom);
    // even, for the eye to measure against
    const int middle = (top + bottom) / 2;
    SetColor(bar_middle);
    PixelRect(l.bar_x, middle - 1, l.bar_x + l.bar_w, middle + 1);
}
}  // namespace

void DrawThinking() {
    const LAYOUT_T& l = view_layout;
    if (l.think_h <= 0) return;
    const THINKING_T t = ThinkingNow();
    DrawBar(l, t);
    const int top = l.height - l.think_y - l.think_h, bottom = l.height - l.think_y;
    SetColor(band_color);
    PixelRect(l.think_x, top, l.think_x + l.think_w, bottom);
    void* font = l.think_w < 420 ? GLUT_BITMAP_HELVETICA_12 : GLUT_BITMAP_HELVETICA_18;
    const int line_h = font == GLUT_BITMAP_HELVETICA_12 ? 15 : 21;
    const int pad = 6, width = l.think_w - 2 * pad;
    const std::vector<std::string> lines = ThinkingPanelLines(t, AnalysisWanted());
    // the heading, then the main line wrapped into the rows left
    std::vector<std::string> rows;
    for (size_t i = 0; i < lines.size(); i++)
        for (const std::string& r : WrapText(lines[i], [font](const std::string& s) { return TextWidth(font, s); }, width))
            rows.push_back(r);
    const int room = (l.think_h - pad) / line_h;
    for (int i = 0; i < (int)rows.size() && i < room; i++) {
        SetColor(i == 0 ? color_white : line_color);
        DrawPixelText(l.think_x + pad, top + pad / 2 + (i + 1) * line_h - 3, rows[i].c_str(), font);
    }
}

#include <cstdio>

#include "view.h"
#include "tamzor.h"

namespace {
const COLOR_T page_color = {0.07f, 0.07f, 0.10f, 0};
const COLOR_T edge_color = {0.45f, 0.45f, 0.55f, 0};
const COLOR_T key_color = {0.55f, 0.80f, 1.0f, 0};
const COLOR_T text_color = {0.92f, 0.92f, 0.92f, 0};
const COLOR_T sub_color = {1.0f, 0.70f, 0.30f, 0};
const COLOR_T foot_color = {0.65f, 0.65f, 0.65f, 0};

// What the last frame showed, for the keys that scroll by pages.
int shown_count = 0, shown_rows = 1;

}  // namespace

void OpenHelpPage() {
    help_open = true;
    help_first = 0;
    PrintHelp();  // the key list on the terminal too, for --log
}

void CloseHelpPage() { help_open = false; }

void ScrollHelpPage(int delta, bool pages) {
    const int step = pages ? (shown_rows > 1 ? shown_rows - 1 : 1) : 1;
    help_first = HelpScroll(help_first, delta * step, shown_count, shown_rows);
}

// Expects the overlay projection of DisplayMain (a unit a pixel).
void DrawHelpPage() {
    const LAYOUT_T& l = view_layout;
    // The larger font while the page has room for it.
    const bool small = l.width < 560 || l.height < 420;
    void* font = small ? GLUT_BITMAP_HELVETICA_12 : GLUT_BITMAP_HELVETICA_18;
    const int line_h = small ? 16 : 23;
    const int margin = small ? 6 : 20, pad = small ? 8 : 18;
    const int x0 = margin, y0 = margin, x1 = l.width - margin, y1 = l.height - margin;
    const int left = x0 + pad, width = x1 - x0 - 2 * pad;
    if (width < 20 || y1 - y0 < 4 * line_h) return;

    auto width_of = [font](const std::string& s) {
        return glutBitmapLength(font, (const unsigned char*)s.c_str());
    };
    int count = 0, key_width = 0;
    const HELP_ITEM_T* items = HelpItems(&count);
    for (int i = 0; i < count; i++)
        if (items[i].kind == HELP_KEY) key_width = imax(key_width, width_of(items[i].keys));
    key_width += small ? 10 : 18;
    const std::vector<HELP_LINE_T> lines = HelpPageLines(width_of, width, key_width);

    glPushAttrib(GL_ENABLE_BIT | GL_SCISSOR_BIT | GL_LINE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    // The window behind dimmed, so the page stands out from it.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0, 0, 0, 0.7f);
    PixelRect(0, 0, l.width, l.height, true);
    glDisable(GL_BLEND);
    SetColor(page_color);
    PixelRect(x0, y0, x1, y1, true);
    SetColor(edge_color);
    PixelRect(x0, y0, x1, y1, false);

    const int title_y = y0 + pad + line_h - 4;
    SetColor(color_yellow);
    DrawPixelText(left, title_y, "Tamzor help", small ? GLUT_BITMAP_HELVETICA_18 : GLUT_BITMAP_TIMES_ROMAN_24);
    // The foot tells how to leave, and where the page is when it scrolls.
    shown_count = (int)lines.size();
    auto foot_text = [&](int rows, char* out, size_t size) {
        if (shown_count > rows)
            snprintf(out, size, "Lines %d-%d of %d. Up, Down, Page Up, Page Down: scroll. Esc, H or F1: close.",
                     help_first + 1, imin(help_first + rows, shown_count), shown_count);
        else
            snprintf(out, size, "Esc, H or F1: close.");
    };
    char foot[160];
    foot_text(0, foot, sizeof foot);  // the longest it gets
    const int foot_n = (int)WrapText(foot, width_of, width).size();
    const int top = title_y + line_h / 2, bottom = y1 - pad - foot_n * line_h;
    const int rows = imax(1, (bottom - top) / line_h);
    shown_rows = rows;
    help_first = HelpScroll(help_first, 0, shown_count, rows);

    glEnable(GL_SCISSOR_TEST);
    glScissor(left, l.height - y1, width, y1 - y0);
    for (int r = 0; r < rows && help_first + r < shown_count; r++) {
        const HELP_LINE_T& line = lines[help_first + r];
        const int y = top + (r + 1) * line_h - 5;
        switch (line.kind) {
            case HELP_HEADING: SetColor(color_yellow); break;
            case HELP_SUBHEADING: SetColor(sub_color); break;
            default: SetColor(text_color); break;
        }
        if (!line.keys.empty()) {
            SetColor(key_color);
            DrawPixelText(left, y, line.keys.c_str(), font);
            SetColor(text_color);
        }
        if (!line.text.empty()) DrawPixelText(left + line.indent, y, line.text.c_str(), font);
    }

    foot_text(rows, foot, sizeof foot);
    const std::vector<std::string> foot_lines = WrapText(foot, width_of, width);
    SetColor(foot_color);
    const int foot_y = y1 - pad;
    for (size_t i = 0; i < foot_lines.size(); i++)
        DrawPixelText(left, foot_y - (int)(foot_lines.size() - 1 - i) * line_h, foot_lines[i].c_str(), font);
    glPopAttrib();
}

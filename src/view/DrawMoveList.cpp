#include <cstdio>
#include <string>
#include <vector>

#include "search/review.h"
#include "view.h"
#include "tamzor.h"

namespace {
const COLOR_T panel_color = {0.12f, 0.12f, 0.16f, 0};
const COLOR_T mark_color = {0.30f, 0.30f, 0.42f, 0};
const COLOR_T number_color = {0.6f, 0.6f, 0.6f, 0};
const COLOR_T review_color = {1.0f, 0.45f, 0.2f, 0};

int TextWidth(void* font, const char* text) {
    return text ? glutBitmapLength(font, (const unsigned char*)text) : 0;
}

// A move's text as listed: with the note on it, if any.
std::string Listed(const char* text, int ply) {
    std::string s = text ? text : "";
    if (const char* note = move_list_note ? move_list_note(ply) : nullptr) s += note;
    return s;
}

}  // namespace

// The game's moves beside the board, a pair a line, the move on the board
// marked, the result at the bottom; the end shows when the list is long.
void DrawMoveList() {
    const LAYOUT_T& l = view_layout;
    move_list_geom = MOVE_LIST_GEOM_T{};
    if (l.panel_w <= 0) return;
    POS_T* b = &state.position;
    const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
    const int last = GameLength();
    const int current = ShownPly();
    static std::vector<MOVE_LINE_T> lines(GAME_RECORD_SIZE / 2 + 2);
    const int count = MoveListLines(first, last, current, lines.data(), (int)lines.size());

    // The larger font when the longest line fits the column.
    void* font = GLUT_BITMAP_HELVETICA_18;
    int line_h = 22;
    const int pad = 8;
    auto widths = [&](void* f, int* num_w, int* move_w) {
        // a game from a FEN may count from a number of more digits
        char widest[16];
        snprintf(widest, sizeof widest, "%d.", count ? lines[count - 1].number : 0);
        *num_w = imax(TextWidth(f, "000."), TextWidth(f, widest));
        // room for a long move of the game, so the columns stay put
        *move_w = TextWidth(f, state.dmode == 2 ? "Qxe5+" : "Qe9-d8(6)+");
        for (int i = 0; i < count; i++) {
            *move_w = imax(*move_w, TextWidth(f, Listed(lines[i].white, lines[i].white_ply).c_str()));
            *move_w = imax(*move_w, TextWidth(f, Listed(lines[i].black, lines[i].black_ply).c_str()));
        }
        *move_w += TextWidth(f, "??");  // a reviewed move's mark
    };
    int num_w, move_w;
    widths(font, &num_w, &move_w);
    if (num_w + 2 * move_w + 4 * pad > l.panel_w) {
        font = GLUT_BITMAP_HELVETICA_12;
        line_h = 16;
        widths(font, &num_w, &move_w);
    }
    const int x0 = l.panel_x, col_num = x0 + pad, col_white = col_num + num_w + pad,
              col_black = col_white + move_w + pad;

    SetColor(panel_color);
    PixelRect(x0, 0, l.width, l.height);
    SetColor(color_white);
    DrawPixelText(col_num, 26, "Moves", GLUT_BITMAP_HELVETICA_18);

    // The result at the foot, wrapped within the column.
    const char* result = ResultLine(b);
    std::vector<std::string> result_lines;
    if (result)
        result_lines = WrapText(result, [font](const std::string& t) { return TextWidth(font, t.c_str()); },
                                l.panel_w - 2 * pad);
    const int result_n = (int)result_lines.size();
    const int top = 40, bottom = l.height - (result_n ? (result_n + 1) * line_h + 8 : 8);
    const int rows = (bottom - top) / line_h;
    int current_line = -1;
    for (int i = 0; i < count; i++)
        if (lines[i].current) current_line = i;
    const int shown = FirstShownLine(count, rows, current_line);
    move_list_geom = MOVE_LIST_GEOM_T{x0, l.width - x0, top, line_h, rows, shown, col_white, col_black, move_w, pad,
                                      first, last};
    for (int i = shown; i < count && i - shown < rows; i++) {
        const MOVE_LINE_T& m = lines[i];
        const int base = top + (i - shown + 1) * line_h;
        if (m.current) {
            SetColor(mark_color);
            const int mx = m.current > 0 ? col_white : col_black;
            PixelRect(mx - pad / 2, base - line_h + 5, mx + move_w + pad / 2, base + 5);
        }
        char num[16];
        snprintf(num, sizeof num, "%d.", m.number);
        SetColor(number_color);
        DrawPixelText(col_num, base, num, font);
        SetColor(piece_color_white);
        DrawPixelText(col_white, base, m.white ? Listed(m.white, m.white_ply).c_str() : "...", font);
        if (m.black) {
            SetColor(piece_color_black);
            DrawPixelText(col_black, base, Listed(m.black, m.black_ply).c_str(), font);
        }
        // a reviewed move's mark right after its text: "Nf3?"
        const int white_ply = 2 * (m.number - 1) - state.oeb.ply_offset;
        SetColor(review_color);
        if (m.white) DrawPixelText(col_white + TextWidth(font, m.white), base, ReviewMarkOfPly(white_ply), font);
        if (m.black) DrawPixelText(col_black + TextWidth(font, m.black), base, ReviewMarkOfPly(white_ply + 1), font);
    }
    SetColor(color_yellow);
    for (int i = 0; i < result_n; i++)
        DrawPixelText(col_num, l.height - (result_n - i) * line_h, result_lines[i].c_str(), font);
}

#include "viewlogic.h"
#include "tamzor.h"

PROMOTION_BOX_T PromotionBox(const LAYOUT_T& l) {
    PROMOTION_BOX_T b{};
    const int pad = 14;
    b.gap = 10;
    b.title_h = 34;
    b.hint_h = 30;
    // Large pieces in a large picture, never wider than it while it has room.
    // In a small picture they may overhang it, within the window.
    const int side = l.pic_w < l.pic_h ? l.pic_w : l.pic_h;
    int cell = side / 6;
    if (cell > 110) cell = 110;
    const int fit = (l.pic_w - 8 - 3 * b.gap - 2 * pad) / 4;
    if (cell > fit) cell = fit;
    const int fit_window = (l.width - 4 - 3 * b.gap - 2 * pad) / 4;
    if (cell < 56) cell = fit_window < 56 ? fit_window : 56;
    if (cell < 24) cell = 24;
    b.cell = cell;
    b.w = 4 * cell + 3 * b.gap + 2 * pad;
    b.h = pad + b.title_h + cell + b.hint_h + pad / 2;
    const int pic_top = l.height - l.pic_y - l.pic_h;
    b.x = l.pic_x + (l.pic_w - b.w) / 2;
    b.y = pic_top + (l.pic_h - b.h) / 2;
    if (b.x + b.w > l.width) b.x = l.width - b.w;
    if (b.y + b.h > l.height) b.y = l.height - b.h;
    if (b.x < 0) b.x = 0;
    if (b.y < 0) b.y = 0;
    b.cells_x = b.x + pad;
    b.cells_y = b.y + pad + b.title_h;
    return b;
}

int PromotionBoxHit(const LAYOUT_T& l, int x, int y) {
    const PROMOTION_BOX_T b = PromotionBox(l);
    if (x < b.x || x >= b.x + b.w || y < b.y || y >= b.y + b.h) return -2;
    if (y < b.cells_y || y >= b.cells_y + b.cell) return -1;
    for (int i = 0; i < 4; i++) {
        const int x0 = b.cells_x + i * (b.cell + b.gap);
        if (x >= x0 && x < x0 + b.cell) return i;
    }
    return -1;
}

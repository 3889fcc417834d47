#include "viewlogic.h"
#include "tamzor.h"

TEXT_AREA_T StatusTextArea(const LAYOUT_T& l) {
    // A margin that shrinks with a small picture, so the text keeps its room.
    const int side = l.pic_w < l.pic_h ? l.pic_w : l.pic_h;
    int margin = side / 14;
    if (margin > 42) margin = 42;
    if (margin < 6) margin = 6;
    TEXT_AREA_T a;
    a.left = l.pic_x + margin;
    a.right = l.pic_x + l.pic_w - 6;
    // never under the move list, nor outside the window
    if (l.panel_w > 0 && a.right > l.panel_x - 6) a.right = l.panel_x - 6;
    if (a.right > l.width) a.right = l.width;
    if (a.right < a.left + 1) a.right = a.left + 1;
    return a;
}

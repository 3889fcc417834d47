#include "viewlogic.h"
#include "tamzor.h"

LAYOUT_T ViewLayout(int width, int height, bool panel, bool tray, bool thinking) {
    LAYOUT_T l{};
    l.width = width > 1 ? width : 1;
    l.height = height > 1 ? height : 1;
    // A quarter of the width for the list, within what its lines need and
    // never more than a third of a narrow window.
    int w = panel ? l.width / 4 : 0;
    if (panel && w < 190) w = 190;
    if (w > 300) w = 300;
    if (w > l.width / 3) w = l.width / 3;
    l.panel_w = w;
    l.panel_x = l.width - w;
    const int room = l.width - w;
    // The captured pieces' tray: a strip along the foot of the room, two rows
    // of small pieces, never more than a fifth of the height.
    int t = tray ? l.height / 10 : 0;
    if (tray && t < 56) t = 56;
    if (t > 84) t = 84;
    if (t > l.height / 5) t = l.height / 5;
    l.tray_x = 0;
    l.tray_y = 0;
    l.tray_w = tray ? room : 0;
    l.tray_h = t;
    // The computer's thinking: a band above the tray, three lines of small
    // text, never more than a fifth of the height; the evaluation bar a
    // narrow column at the picture's left.
    int band = thinking ? l.height / 8 : 0;
    if (thinking && band < 54) band = 54;
    if (band > 72) band = 72;
    if (band > l.height / 5) band = l.height / 5;
    const int bar = thinking ? (room < 400 ? 8 : 14) : 0;
    l.think_x = 0;
    l.think_y = t;
    l.think_w = thinking ? room : 0;
    l.think_h = band;
    l.bar_x = 0;
    l.bar_y = t + band;
    l.bar_w = bar;
    l.bar_h = thinking ? imax(l.height - t - band, 1) : 0;
    // The picture: everything else left of the list.
    l.pic_x = bar;
    l.pic_y = t + band;
    l.pic_w = room - bar > 1 ? room - bar : 1;
    l.pic_h = l.height - t - band > 1 ? l.height - t - band : 1;
    return l;
}

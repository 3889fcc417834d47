#include "viewlogic.h"

LAYOUT_T ViewLayout(int width, int height, bool panel, bool tray) {
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
    // The picture: everything else left of the list.
    l.pic_x = 0;
    l.pic_y = t;
    l.pic_w = room > 1 ? room : 1;
    l.pic_h = l.height - t > 1 ? l.height - t : 1;
    return l;
}

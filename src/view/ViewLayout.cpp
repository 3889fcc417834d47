#include "viewlogic.h"

LAYOUT_T ViewLayout(int width, int height, bool panel) {
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
    l.pic_size = room < l.height ? room : l.height;
    if (l.pic_size < 1) l.pic_size = 1;
    l.pic_x = (room - l.pic_size) / 2;
    l.pic_y = (l.height - l.pic_size) / 2;
    return l;
}

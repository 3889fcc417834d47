#include <vector>

#include "viewlogic.h"
#include "tamzor.h"

MOVE_LIST_GEOM_T move_list_geom;
const char* (*move_list_note)(int ply) = nullptr;

int MoveListHit(const MOVE_LIST_GEOM_T& g, int x, int y) {
    if (g.width <= 0 || x < g.x0 || x >= g.x0 + g.width) return -1;
    if (g.line_h <= 0 || y < g.top + 5) return 0;
    // The lines as drawn: line i of those shown spans the line_h pixels
    // that end 5 below its baseline.
    const int row = (y - g.top - 5) / g.line_h;
    if (row < 0 || row >= g.rows) return 0;
    std::vector<MOVE_LINE_T> lines((size_t)(g.last - g.first) / 2 + 2);
    const int count = MoveListLines(g.first, g.last, -1, lines.data(), (int)lines.size());
    const int i = g.shown + row;
    if (i >= count) return 0;
    // The number and White's column take White's move; the rest Black's.
    const int split = g.col_black - g.pad / 2;
    return x < split ? lines[i].white_ply : lines[i].black_ply;
}

#include <cstdlib>

#include "viewlogic.h"
#include "tamzor.h"

DRAG_T drag;

bool DragMoved(DRAG_T* d, int x, int y) {
    // A hand that trembles a little in a click does not drag.
    if (d->pressed && !d->dragging && (abs(x - d->x0) > DRAG_SLOP || abs(y - d->y0) > DRAG_SLOP)) d->dragging = true;
    return d->dragging;
}

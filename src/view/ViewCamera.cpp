#include <cmath>

#include "viewlogic.h"
#include "tamzor.h"

// The 3D board is taller than wide on the screen, so a picture a little
// narrower than square still holds it at full height. The 2D board is
// watched from further off through a narrower lens: the near rank's pieces
// stand up instead of sprawling, at the same size in the middle (eye times
// the half-angle's tangent is the same for both).
CAMERA_T ViewCamera(int dmode) {
    if (dmode == 2) return {31.3, 40.0, 0.95};
    return {70.0, 16.0, 0.75};
}

void CameraTangents(const CAMERA_T& c, double aspect, double* tan_h, double* tan_v) {
    const double t = std::tan(c.fovy * M_PI / 360);
    // Below the narrowest aspect the lens widens upward instead, so that the
    // board keeps its width.
    *tan_v = aspect >= c.min_aspect ? t : t * c.min_aspect / aspect;
    *tan_h = *tan_v * aspect;
}

// The status lines stand over the picture's top: the board's middle is drawn
// this many pixels below the picture's, into the room the lines leave.
int PictureDrop(const LAYOUT_T& l) {
    const int drop = l.pic_h / 14;
    return drop < 60 ? drop : 60;
}

VIEW_PRESET_T ViewPreset(int dmode) {
    if (dmode == 2) return {2.05f, 320, 0};  // from 50 degrees up, opaque
    return {1.6f, 300, 1};                    // from 30 degrees up, see-through
}

float TrayStep(int count, float room, float unit) {
    const float step = unit * 0.75f;
    if (count > 1 && step * (count - 1) > room) return room / (count - 1);
    return step;
}

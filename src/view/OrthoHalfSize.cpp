#include <cmath>

#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"

// Every cell corner, and a piece's height above it, turned like the model
// view (about Z, then Y, then X) and scaled: the widest reach in x or y.
float OrthoHalfSize(POS_T* b, float scale, float xang, float yang, float zang) {
    const double r = M_PI / 180;
    const double cz = cos(zang * r), sz = sin(zang * r), cy = cos(yang * r), sy = sin(yang * r),
                 cx = cos(xang * r), sx = sin(xang * r);
    double reach = 0;
    for (int x = 0; x < 8; x++)
        for (int y = 0; y < 8; y++) {
            P3D_T c;
            GetCoords(b, x, y, &c);
            for (int corner = 0; corner < 8; corner++) {
                double px = c.x + (corner & 1), py = c.y + ((corner >> 1) & 1), pz = c.z + ((corner >> 2) & 1) * 1.2;
                // x axis first, as the last rotation applied is the first to act
                double y1 = py * cx - pz * sx, z1 = py * sx + pz * cx;
                double x2 = px * cy + z1 * sy;
                double x3 = x2 * cz - y1 * sz, y3 = x2 * sz + y1 * cz;
                reach = fmax(reach, fmax(fabs(x3), fabs(y3)) * scale);
            }
        }
    // Never closer than the view has always been; room for the labels beside
    // the board.
    return (float)fmax(8.0, reach + 0.6 * scale);
}

#include "view.h"
#include "tamzor.h"

// Expects the overlay projection of DisplayMain: one unit a pixel, origin at
// the bottom left of the window.
void DrawPixelText(int x, int y, const char* text, void* font) {
    glRasterPos2i(x, view_layout.height - y);
    for (const char* c = text; *c; c++)
        if (*c != '\n') glutBitmapCharacter(font, *c);
}

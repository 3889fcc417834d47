#include "view.h"
#include "tamzor.h"

void DrawText(float x, float y, const char* text) {
    glRasterPos3f(x, y, 0);
    for (const char* c = text; *c; c++)
        if (*c != '\n') glutBitmapCharacter(GLUT_BITMAP_TIMES_ROMAN_24, *c);
}

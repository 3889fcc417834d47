#include "view.h"
#include "tamzor.h"

namespace {
// Stroke glyphs on a 0..1 grid: vertex numbers in drawing order, a negative
// number starts a new strip at that vertex; 99 ends the glyph.
const float glyph_points[][2] = {{0, 0}, {1, 1}, {0, 1}, {1, 0}, {0.5f, 0.5f}, {0.5f, 0}};
const int glyph_x[] = {0, 1, -2, 3, 99};
const int glyph_y[] = {2, 4, 1, -4, 5, 99};
const int glyph_z[] = {2, 1, 0, 3, 99};

void DrawGlyph(const int* glyph, float x, float y, float z) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glScalef(0.4f, 0.4f, 0.4f);
    glBegin(GL_LINE_STRIP);
    for (const int* g = glyph; *g != 99; g++) {
        if (*g < 0) {
            glEnd();
            glBegin(GL_LINE_STRIP);
        }
        const float* p = glyph_points[*g < 0 ? -*g : *g];
        glVertex3f(p[0], p[1], 0);
    }
    glEnd();
    glPopMatrix();
}
}  // namespace

void DrawAxes() {
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    SetColor(color_yellow);
    glLineWidth(2);
    glBegin(GL_LINE_STRIP);
    glVertex3f(4, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 4, 0);
    glEnd();
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, 4);
    glEnd();
    DrawGlyph(glyph_x, 4.4f, 0, 0);
    DrawGlyph(glyph_y, 0, 4.4f, 0);
    DrawGlyph(glyph_z, 0, 0, 4.4f);
    glLineWidth(1);
    glPopAttrib();
}

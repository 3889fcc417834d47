#include "view.h"
#include "tamzor.h"

void PixelRect(int x0, int top, int x1, int bottom, bool filled) {
    const int h = view_layout.height;
    glBegin(filled ? GL_QUADS : GL_LINE_LOOP);
    glVertex2i(x0, h - bottom);
    glVertex2i(x1, h - bottom);
    glVertex2i(x1, h - top);
    glVertex2i(x0, h - top);
    glEnd();
}

void OverlayProjection() {
    glViewport(0, 0, view_layout.width, view_layout.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, view_layout.width, 0, view_layout.height);
    glMatrixMode(GL_MODELVIEW);
}

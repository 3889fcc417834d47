#include <cmath>
#include <cstdio>

#include "view.h"

void PIECE_C::DrawMesh(bool white) {
    if (white) glColor3f(0.9f, 0.9f, 0.7f);
    else glColor3f(0.5f, 0.5f, 0.7f);
    // Thousands of triangles a piece: sent once, then replayed from a display list.
    if (display_list) {
        glCallList(display_list);
        return;
    }
    display_list = glGenLists(1);
    if (display_list) glNewList(display_list, GL_COMPILE_AND_EXECUTE);
    glBegin(GL_TRIANGLES);
    for (vi = 0; vi < vertices.size(); vi++) {
        const Point3D_T& p = vertices[vi];
        if (vi % 4 == 0) glNormal3d(p.x, p.y, p.z);
        else glVertex3d(p.x, p.y, p.z);
    }
    glEnd();
    if (display_list) glEndList();
}

void PIECE_C::DrawBox(float x0, float x1, float y0, float y1, float z0, float z1) {
    glBegin(GL_QUADS);
    glNormal3f(-1, 0, 0);
    glVertex3f(x0, y0, z0); glVertex3f(x0, y0, z1); glVertex3f(x0, y1, z1); glVertex3f(x0, y1, z0);
    glNormal3f(0, 1, 0);
    glVertex3f(x0, y1, z0); glVertex3f(x0, y1, z1); glVertex3f(x1, y1, z1); glVertex3f(x1, y1, z0);
    glNormal3f(1, 0, 0);
    glVertex3f(x1, y1, z0); glVertex3f(x1, y1, z1); glVertex3f(x1, y0, z1); glVertex3f(x1, y0, z0);
    glNormal3f(0, -1, 0);
    glVertex3f(x1, y0, z0); glVertex3f(x1, y0, z1); glVertex3f(x0, y0, z1); glVertex3f(x0, y0, z0);
    glNormal3f(0, 0, 1);
    glVertex3f(x0, y0, z1); glVertex3f(x1, y0, z1); glVertex3f(x1, y1, z1); glVertex3f(x0, y1, z1);
    glNormal3f(0, 0, -1);
    glVertex3f(x0, y0, z0); glVertex3f(x0, y1, z0); glVertex3f(x1, y1, z0); glVertex3f(x1, y0, z0);
    glEnd();
}

void PIECE_C::FaceKing(int piece, int x, int y) {
    double angle;
    if (state.dmode == 2) {
        const PS_T& king = state.position.pieces[piece > 0 ? 16 : 0];
        const int kx = (int)XPOS(king.pos), ky = (int)YPOS(king.pos);
        const double dy = (ky - y) + 0.01;
        angle = atan((kx - x) / dy) * 360.0 / (2 * M_PI);
        if (dy < 0) angle += 180;
    } else {
        angle = piece > 0 ? 0 : 180;
    }
    glRotated(-angle, 0, 0, 1);
}

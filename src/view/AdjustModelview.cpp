#include "view.h"

void AdjustModelview() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    if (state.projection_ortho) {
        // wide enough for the whole board as it is turned: Black's boards too
        const float h = OrthoHalfSize(&state.position, state.scale, state.xang, state.yang, (float)*GetZAng());
        glOrtho(-h, h, -h, h, 0.1, 60);
    } else {
        gluPerspective(70, 1.0, 0.1, 60);
    }
    gluLookAt(0, 0, 16, 0, 0, 0, 0, 1, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(state.scale, state.scale, state.scale);
    glRotatef((float)*GetZAng(), 0, 0, 1);
    glRotatef(state.yang, 0, 1, 0);
    glRotatef(state.xang, 1, 0, 0);
}

#include "view.h"
#include "tamzor.h"

void AdjustModelview() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    const double aspect = (double)view_layout.pic_w / view_layout.pic_h;
    const CAMERA_T cam = ViewCamera(state.dmode);
    double eye = cam.eye;
    glTranslated(0, -2.0 * PictureDrop(view_layout) / view_layout.pic_h, 0);
    if (state.projection_ortho) {
        // wide enough for the whole board as it is turned: Black's boards too
        const double h = OrthoHalfSize(&state.position, state.scale, state.xang, state.yang, (float)*GetZAng());
        const double hx = aspect >= 1 ? h * aspect : h, hy = aspect >= 1 ? h : h / aspect;
        glOrtho(-hx, hx, -hy, hy, 0.1, 60);
        eye = 16;
    } else {
        double th, tv;
        CameraTangents(cam, aspect, &th, &tv);
        const double n = 0.1;
        glFrustum(-n * th, n * th, -n * tv, n * tv, n, eye + 44);
    }
    gluLookAt(0, 0, eye, 0, 0, 0, 0, 1, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(state.scale, state.scale, state.scale);
    glRotatef((float)*GetZAng(), 0, 0, 1);
    glRotatef(state.yang, 0, 1, 0);
    glRotatef(state.xang, 1, 0, 0);
}

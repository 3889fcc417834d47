#include "view.h"

// The picture stays square: it is letterboxed into what the move list
// leaves, and the text is laid out in window pixels.
void ReshapeMain(int w, int h) {
    view_layout = ViewLayout(w, h, panel_on != 0);
    glViewport(0, 0, w, h);
    glutPostRedisplay();
}

#include "view.h"
#include "tamzor.h"

// The picture fills what the move list and the captured pieces' tray leave;
// the text is laid out in window pixels. Each frame lays the window out
// afresh too, as the list and the tray come and go.
void ReshapeMain(int w, int h) {
    view_layout = ViewLayout(w, h, panel_on != 0, CapturedOnOff != 0, thinking_on != 0);
    glViewport(0, 0, w, h);
    glutPostRedisplay();
}

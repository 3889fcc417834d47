#include "view.h"

// Draws the board once more in selection mode through a small pick window
// at the click, in the picture's part of the window.
void InSquare(int x, int y, unsigned int* sq, bool cells_first) {
    *sq = NO_SQUARE;
    static GLuint buffer[512];
    PictureViewport();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(512, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, view_layout.height - y, 1, 1, viewport);
    AdjustModelview();
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        DrawBoard(GL_SELECT);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFlush();
    const GLint hits = glRenderMode(GL_RENDER);
    *sq = DecodePickHits(buffer, hits, true, x, y, cells_first);
}

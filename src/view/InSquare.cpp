#include "view.h"

// Draws the board once more in selection mode through a one-pixel pick window.
void InSquare(int x, int y, unsigned int* sq) {
    *sq = NO_SQUARE;
    GLint viewport[4];
    static GLuint buffer[512];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(512, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, 1, 1, viewport);
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
    *sq = DecodePickHits(buffer, hits, true, x, y);
}

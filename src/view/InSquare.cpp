#include <chrono>
#include <cstdio>

#include "view.h"
#include "tamzor.h"
#include "search/search.h"

// Draws the board and the pieces once more in selection mode through a
// one-pixel pick window at (x, y), in the picture's part of the window.
std::vector<PICK_HIT_T> PickAt(int x, int y) {
    const auto start = std::chrono::steady_clock::now();
    static GLuint buffer[4096];
    PictureViewport();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(4096, buffer);
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
        DrawPieces(GL_SELECT);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFlush();
    // -1: the buffer ran over; what it holds is not to be trusted
    const GLint hits = glRenderMode(GL_RENDER);
    std::vector<PICK_HIT_T> out = PickHits(buffer, hits < 0 ? 0 : hits, true, x, y);
    if (eval_show) {
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        printf("\npick at %d,%d: %d hits, %.1f ms", x, y, (int)hits, ms);
    }
    return out;
}

void InSquare(int x, int y, unsigned int* sq, bool cells_first) {
    const std::vector<PICK_HIT_T> hits = PickAt(x, y);
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    *sq = ChoosePick(hits, cells_first, state.stipple != 0);
}

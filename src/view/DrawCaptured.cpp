#include <algorithm>
#include <vector>

#include "view.h"
#include "position/position.h"
#include "search/search.h"

// The captured pieces in a tray of their own along the foot of the picture:
// the pieces White took on the upper row, those Black took below, the most
// valuable first, each standing and seen a little from above. However long
// the game, they stay inside the tray: a long row closes up.
void DrawCaptured() {
    const LAYOUT_T& l = view_layout;
    if (l.tray_h <= 0 || l.tray_w <= 0) return;
    std::vector<int> taken_by_white, taken_by_black;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        const int count = (unsigned char)cap_t.captured_list[0];
        for (int i = 1; i <= count && i < (int)sizeof cap_t.captured_list; i++) {
            const int piece = cap_t.captured_list[i];
            if (piece < 0) taken_by_white.push_back(piece);
            else if (piece > 0) taken_by_black.push_back(piece);
        }
    }
    auto by_value = [](int a, int b) {
        static const int order[7] = {0, 1, 3, 3, 5, 9, 10};  // pawn .. king, bishop after knight
        const int ka = a < 0 ? -a : a, kb = b < 0 ? -b : b;
        return order[ka] != order[kb] ? order[ka] > order[kb] : ka > kb;
    };
    std::sort(taken_by_white.begin(), taken_by_white.end(), by_value);
    std::sort(taken_by_black.begin(), taken_by_black.end(), by_value);

    glPushAttrib(GL_ENABLE_BIT | GL_VIEWPORT_BIT | GL_CURRENT_BIT);
    glViewport(l.tray_x, l.tray_y, l.tray_w, l.tray_h);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, l.tray_w, 0, l.tray_h, -200, 200);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // the tray itself, behind its pieces
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.08f, 0.08f, 0.11f);
    glRectf(0, 0, (float)l.tray_w, (float)l.tray_h);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);  // the models are scaled up to pixels: their normals with them
    glShadeModel(GL_SMOOTH);
    const float row = (l.tray_h - 6) / 2.0f;  // pixels a row
    const float unit = row / 1.25f;           // a king's height fills the row
    const float left = 42;                    // in line with the status text
    GLUquadric* q = gluNewQuadric();
    for (int r = 0; r < 2; r++) {
        const std::vector<int>& pieces = r == 0 ? taken_by_white : taken_by_black;
        const float base = l.tray_h - 3 - row * (r + 1) + row * 0.08f;
        const float step = TrayStep((int)pieces.size(), l.tray_w - left - unit, unit);
        for (size_t i = 0; i < pieces.size(); i++) {
            glPushMatrix();
            glTranslatef(left + step * i, base, 0);
            glScalef(unit, unit, unit);
            glRotatef(-75, 1, 0, 0);
            SetColor(pieces[i] > 0 ? piece_color_white : piece_color_black);
            DrawPieceModel(pieces[i], q, -1, -1);
            glPopMatrix();
        }
    }
    gluDeleteQuadric(q);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

#include "view.h"

void DrawCaptured() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    GLUquadric* q = gluNewQuadric();
    int n_white = 0, n_black = 0;
    const int count = (unsigned char)cap_t.captured_list[0];
    for (int i = 1; i <= count && i < (int)sizeof cap_t.captured_list; i++) {
        const int piece = cap_t.captured_list[i];
        if (!piece) continue;
        const int n = piece > 0 ? n_white++ : n_black++;
        glPushMatrix();
        glTranslatef(piece > 0 ? -4.5f : 4.5f, 3.5f - 0.6f * n + 0.5f, 0.01f);
        SetColor(piece > 0 ? piece_color_white : piece_color_black);
        DrawPieceModel(piece, q, 0, 0);
        glPopMatrix();
    }
    gluDeleteQuadric(q);
}

#include <cmath>

#include "view.h"
#include "tamzor.h"
#include "board/board.h"

namespace {
// Heights of the pieces' tops, pawn .. king, a little above the models.
const float tops[7] = {0, 0.8f, 1.07f, 1.15f, 0.92f, 1.38f, 1.55f};
}  // namespace

// Seen from above every piece is a round top: each gets its letter there
// (dark on White's, light on Black's), hidden where something stands over it.
void DrawPieceLetters() {
    const double r = M_PI / 180;
    if (std::cos(state.xang * r) * std::cos(state.yang * r) < 0.85) return;  // not looking down
    POS_T* b = &state.position;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    void* font = GLUT_BITMAP_HELVETICA_18;
    for (int sq = 0; sq < 64; sq++) {
        const int piece = b->board[sq];
        if (!piece) continue;
        const int kind = piece < 0 ? -piece : piece;
        P3D_T c;
        GetCoords(b, XPOS(sq), YPOS(sq), &c);
        if (piece > 0) glColor3f(0.2f, 0.12f, 0.05f);
        else glColor3f(1, 1, 1);
        glRasterPos3f(c.x + 0.5f, c.y + 0.5f, c.z + tops[kind]);
        const char letter = "?PNBRQK"[kind];
        glBitmap(0, 0, 0, 0, -glutBitmapWidth(font, letter) / 2.0f, -6, nullptr);
        glutBitmapCharacter(font, letter);
    }
    glPopAttrib();
}

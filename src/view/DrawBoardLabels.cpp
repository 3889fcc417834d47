#include <cstdio>

#include "view.h"
#include "tamzor.h"
#include "board/board.h"

namespace {
const COLOR_T label_color = {0.78f, 0.78f, 0.6f, 0};

// Text at a model point: centred on it (align 0), ending left of it (-1) or
// starting right of it (1).
// A dark shadow first keeps it readable over a light piece.
void Label(float x, float y, float z, const char* text, int align, void* font) {
    const int w = glutBitmapLength(font, (const unsigned char*)text);
    const float dx = align == 0 ? -w / 2.0f : align < 0 ? -(float)w : 0;
    for (int pass = 0; pass < 2; pass++) {
        if (pass == 0) glColor3f(0, 0, 0);
        else SetColor(label_color);
        glRasterPos3f(x, y, z);  // takes the colour set before it
        glBitmap(0, 0, 0, 0, dx + (pass == 0 ? 1 : 0), pass == 0 ? -6 : -5, nullptr);  // moves the raster position only
        for (const char* c = text; *c; c++) glutBitmapCharacter(font, *c);
    }
}

// Files below the near edge and ranks beside the left one, as on a real board.
void Labels2D(POS_T* b) {
    void* font = GLUT_BITMAP_HELVETICA_18;
    for (int i = 0; i < 8; i++) {
        P3D_T c;
        char t[2] = {(char)('a' + i), 0};
        GetCoords(b, i, 0, &c);
        Label(c.x + 0.5f, c.y - 0.3f, c.z, t, 0, font);
        t[0] = (char)('1' + i);
        GetCoords(b, 0, i, &c);
        Label(c.x - 0.2f, c.y + 0.5f, c.z, t, -1, font);
    }
}

// Each level named beside the left end of its far rank; each attack board by its pin,
// beside its outer edge.
void Labels3D(POS_T* b) {
    void* font = GLUT_BITMAP_HELVETICA_12;
    const bool numbers = LoadShared(state.notation) == NOTATION_STANDARD;
    static const char* const names[3] = {"White", "Neutral", "Black"};
    static const char* const letters[3] = {"W", "N", "B"};
    for (int k = 0; k < 3; k++) {
        const int level = 2 + 2 * k;
        float left = 100, low = 100, high = -100, z = 0;
        for (int sq = 0; sq < 64; sq++) {
            if (GetLevel(b, (SQ_T)sq) != level) continue;
            P3D_T c;
            GetCoords(b, XPOS(sq), YPOS(sq), &c);
            if (c.x < left) left = c.x;
            if (c.y < low) low = c.y;
            if (c.y + 1 > high) high = c.y + 1;
            z = c.z;
        }
        char text[32];
        if (numbers) snprintf(text, sizeof text, "%s level (%d)", names[k], level);
        else snprintf(text, sizeof text, "%s level (%s)", names[k], letters[k]);
        // at the far rank: the near one has the attack boards and their pieces before it
        Label(left - 1.3f, high - 0.5f, z, text, -1, font);  // beyond a board beside it
    }
    for (int k = 0; k < 4; k++) {
        const int pin = b->whereis_board[k];
        // the board's four cells: its corner cell and the three beside it
        const SQ_T corner = (SQ_T)(k == 0 ? 0 : k == 1 ? 6 : k == 2 ? 16 : 22);
        P3D_T c;
        GetCoords(b, XPOS(corner), YPOS(corner), &c);
        const bool queen_side = c.x < 0;
        const char* name = GetABString(b, pin);
        Label(queen_side ? c.x - 0.2f : c.x + 2.2f, c.y + 1, c.z, name ? name : "?", queen_side ? -1 : 1, font);
    }
}
}  // namespace

// Coordinates of the 2D board and names of the 3D levels and boards, always
// shown: a newcomer reads moves against them.
void DrawBoardLabels() {
    POS_T* b = &state.position;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    if (state.dmode == 2) Labels2D(b);
    else Labels3D(b);
    glPopAttrib();
}

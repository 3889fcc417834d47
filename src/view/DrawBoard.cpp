#include "view.h"
#include "tamzor.h"
#include "board/board.h"
#include "shell/shell.h"

static const GLubyte* Halftone() {
    static GLubyte pattern[128];
    for (int row = 0; row < 32; row++)
        for (int k = 0; k < 4; k++) pattern[row * 4 + k] = (row & 1) ? 0x55 : 0xAA;
    return pattern;
}

void DrawBoard(unsigned int mode) {
    static const GLubyte* halftone = Halftone();
    POS_T* b = &state.position;
    const bool select = mode == GL_SELECT;
    const bool three = state.dmode != 2;
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    GLUquadric* q = gluNewQuadric();
    // The last move's cells, in the game and in a replay.
    const int shown = replay != -1 ? replay : b->move_num;
    const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
    const uint64_t last_move = shown > first && shown <= GAME_RECORD_SIZE ? LastMoveCells(b, &state.game_record[shown - 1]) : 0;
    // The hint's cells, for the position it was asked in.
    const bool hinted = hint.shown && hint.root_hash == b->hash1 && hint.move_num == b->move_num && replay == -1;
    const uint64_t hint_cells = hinted ? HintCells(&hint.move) : 0;
    if (hinted && three && IsAB(hint.move.piece_moving) && !select) DrawPinMarker(hint.move.to, color_hint);
    // The king in check stands on a red cell.
    const SQ_T checked = (b->flags & FLAG_IN_CHECK) ? b->pieces[IsWhitesMove(b) ? 0 : 16].pos : NO_SQUARE;
    for (int x = 0; x < 8; x++) {
        if (select) glLoadName(x);
        for (int y = 0; y < 8; y++) {
            const SQ_T sq = x * 8 + y;
            if (three && state.selected == sq + 100) {
                DrawAttackboardPins(state.selected);
                SetColor(square_color_selected);
            }
            if (select) glPushName(y);
            // a hint or a king in check is drawn solid: the see-through
            // pattern of the 3D cells halves a colour, and these must be seen
            const bool solid = sq == checked || (hint_cells >> sq & 1);
            if (stepped.target == sq && stepped.kind == PICK_HIT_T::CELL) {
                SetColor(color_yellow);
            } else if (state.selected == sq) {
                SetColor(square_color_selected);
            } else if (sq == checked) {
                SetColor(color_check);
            } else if (hint_cells >> sq & 1) {
                SetColor(color_hint);
            } else {
                int s = state.spreadmap[sq];
                if (s == 0) SetColor(color_green);
                else if (s == 1) SetColor(color_cyan);
                else if (s == -1) SetColor(color_magenta);
                else if (s > 64 && (last_move >> sq & 1)) SetColor(color_last_move);
                else if (s > 64) SetColor((x + y) % 2 == 0 ? square_color_black : square_color_white);
            }
            P3D_T c;
            GetCoords(b, x, y, &c);
            glPushMatrix();
            glTranslatef(c.x, c.y, c.z);
            if (state.stipple && !solid) {
                glEnable(GL_POLYGON_STIPPLE);
                glPolygonStipple(halftone);
            }
            glBegin(GL_QUADS);
            glVertex3f(0, 0, 0);
            glVertex3f(1, 0, 0);
            glVertex3f(1, 1, 0);
            glVertex3f(0, 1, 0);
            glEnd();
            glDisable(GL_POLYGON_STIPPLE);
            if (select) glPopName();
            const int id = (int)sq + 100;
            if (three && ABIndex(id) >= 0) {
                if (stepped.target == (SQ_T)id && stepped.kind == PICK_HIT_T::POST) SetColor(color_yellow);
                else if (state.selected == (SQ_T)id) SetColor(square_color_selected);
                else SetColor(WhiteOwns(b, id) ? piece_color_white : piece_color_black);
                glTranslatef(1, 1, -1);
                if (select) glPushName(id);
                gluCylinder(q, 0.1, 0.1, 1.0, 10, 8);
                if (select) {
                    glPopName();
                    // A wider ring makes the thin post easy to hit.
                    glLoadName(RING_PICK_NAME);
                    glPushName(id);
                    gluCylinder(q, 0.25, 0.25, 1.0, 10, 8);
                    glPopName();
                    glLoadName(x);
                }
            }
            glPopMatrix();
        }
    }
    gluDeleteQuadric(q);
    glPopAttrib();
}

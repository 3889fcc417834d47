#include "view.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {
// Marker bits in the order QL1, QL3, QL5, QL2, QL4, QL6, KL1, KL3, KL5, KL2, KL4, KL6.
const ABWHERE_E attack_pins[12] = {ABW_QL1, ABW_QL3, ABW_QL5, ABW_QL2, ABW_QL4, ABW_QL6,
                                   ABW_KL1, ABW_KL3, ABW_KL5, ABW_KL2, ABW_KL4, ABW_KL6};
struct CANDIDATES_T {
    ABWHERE_E from;
    ABWHERE_E forward[3], backward[3], always[2];
};
constexpr ABWHERE_E N = (ABWHERE_E)0;
const CANDIDATES_T candidates[12] = {
    {ABW_QL1, {ABW_QL2, ABW_QL3, N}, {N, N, N}, {ABW_KL1, N}},
    {ABW_QL2, {ABW_QL4, N, N}, {ABW_QL1, ABW_QL3, N}, {ABW_KL2, ABW_KL5}},
    {ABW_QL3, {ABW_QL2, ABW_QL4, ABW_QL5}, {ABW_QL1, N, N}, {ABW_KL3, N}},
    {ABW_QL4, {ABW_QL6, N, N}, {ABW_QL2, ABW_QL3, ABW_QL5}, {ABW_KL4, N}},
    {ABW_QL5, {ABW_QL4, ABW_QL6, N}, {ABW_QL3, N, N}, {ABW_KL2, ABW_KL5}},
    {ABW_QL6, {N, N, N}, {ABW_QL4, ABW_QL5, N}, {ABW_KL6, N}},
    {ABW_KL1, {ABW_KL2, ABW_KL3, N}, {N, N, N}, {ABW_QL1, N}},
    {ABW_KL2, {ABW_KL4, N, N}, {ABW_KL1, ABW_KL3, N}, {ABW_QL2, ABW_QL5}},
    {ABW_KL3, {ABW_KL2, ABW_KL4, ABW_KL5}, {ABW_KL1, N, N}, {ABW_QL3, N}},
    {ABW_KL4, {ABW_KL6, N, N}, {ABW_KL2, ABW_KL3, ABW_KL5}, {ABW_QL4, N}},
    {ABW_KL5, {ABW_KL4, ABW_KL6, N}, {ABW_KL3, N, N}, {ABW_QL2, ABW_QL5}},
    {ABW_KL6, {N, N, N}, {ABW_KL4, ABW_KL5, N}, {ABW_QL6, N}}};
}  // namespace

unsigned int AddABPin(unsigned int pin) {
    if (IsAttackBoardThere(&state.position, pin) != NO_SQUARE) return 0;
    for (int i = 0; i < 12; i++)
        if ((unsigned)attack_pins[i] == pin) return 1u << i;
    return 0;
}

void DrawAttackboardPins(unsigned int ab) {
    POS_T* b = &state.position;
    const SQ_T pin = WhereIsAttackBoard(b, (int)ab);
    int d = 0;
    if (!BoardCanMove(b, (int)ab, &d)) return;
    const int rules = LoadShared(state.rules);
    const bool f = d >= 0 || (rules == RULES_TDCL && d < -1);
    const bool back = d <= 0 || (rules == RULES_TDCL && d > 1);
    unsigned int mask = 0;
    for (const CANDIDATES_T& c : candidates) {
        if ((SQ_T)c.from != pin) continue;
        for (int i = 0; i < 3; i++) {
            if (f && c.forward[i]) mask |= AddABPin(c.forward[i]);
            if (back && c.backward[i]) mask |= AddABPin(c.backward[i]);
        }
        for (int i = 0; i < 2; i++)
            if (c.always[i]) mask |= AddABPin(c.always[i]);
    }
    GLint render_mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &render_mode);
    const bool select = render_mode == GL_SELECT;
    // The cell loop's name (the file of the board's corner cell), put back after the markers.
    const GLuint outer_name = (ab - 100) >> 3;
    if (select) {
        GLint depth = 0;
        glGetIntegerv(GL_NAME_STACK_DEPTH, &depth);
        if (depth < 1) return;
    }
    GLUquadric* q = gluNewQuadric();
    glPushAttrib(GL_CURRENT_BIT);
    SetColor(color_yellow);
    // A ball on the pin's corner, some 20 pixels across at the usual zoom,
    // and picked a good deal wider.
    const double radius = select ? 0.45 : 0.28;
    for (int i = 0; i < 12; i++) {
        if (!(mask & (1u << i))) continue;
        P3D_T c;
        GetCoords(b, XPOS(attack_pins[i]), YPOS(attack_pins[i]), &c);
        const float dx = i >= 6 ? 1.0f : 0.0f, dy = (i % 6) >= 3 ? 1.0f : 0.0f;
        glPushMatrix();
        glTranslatef(c.x + dx, c.y + dy, c.z + 0.28f);
        const bool stepped_here = stepped.target == (SQ_T)attack_pins[i] && stepped.kind == PICK_HIT_T::PIN;
        SetColor(stepped_here ? color_white : color_yellow);
        if (select) {
            glLoadName(PIN_PICK_NAME);
            glPushName((GLuint)attack_pins[i]);
        }
        gluSphere(q, radius, 14, 10);
        if (select) glPopName();
        glPopMatrix();
    }
    if (select) glLoadName(outer_name);
    glPopAttrib();
    gluDeleteQuadric(q);
}

void DrawPinMarker(unsigned int pin, const COLOR_T& color) {
    for (int i = 0; i < 12; i++) {
        if ((unsigned)attack_pins[i] != pin) continue;
        P3D_T c;
        GetCoords(&state.position, XPOS(attack_pins[i]), YPOS(attack_pins[i]), &c);
        const float dx = i >= 6 ? 1.0f : 0.0f, dy = (i % 6) >= 3 ? 1.0f : 0.0f;
        GLUquadric* q = gluNewQuadric();
        glPushAttrib(GL_CURRENT_BIT);
        SetColor(color);
        glPushMatrix();
        glTranslatef(c.x + dx, c.y + dy, c.z + 0.28f);
        gluSphere(q, 0.32, 14, 10);
        glPopMatrix();
        glPopAttrib();
        gluDeleteQuadric(q);
    }
}

// The view presets of the V, O and Z keys.
#include "view.h"
#include "tamzor.h"

static int zang = 0;

int* GetZAng() { return &zang; }

void ResetView() {
    AxesOnOff = 0;
    CapturedOnOff = 1;
    state.projection_ortho = 0;
    zang = 0;
    state.yang = 0;
    const VIEW_PRESET_T p = ViewPreset(state.dmode);
    state.scale = p.scale;
    state.stipple = p.stipple;
    state.xang = p.xang;
    RequestRedraw();
}

void Overhead() {
    state.projection_ortho = 1;
    state.stipple = state.dmode != 2;  // the lower levels show through the upper
    state.xang = 0;
    state.yang = 0;
    zang = 0;
    RequestRedraw();
}

void ToggleZeBlackView() {
    static bool black_view = false;
    if (state.dmode != 2) return;
    black_view = !black_view;
    if (!black_view) {
        ResetView();
        return;
    }
    state.xang -= 120;
    if (state.xang < 0) state.xang += 360;
    state.yang -= 180;
    if (state.yang > 0) state.yang += 360;
    RequestRedraw();
}

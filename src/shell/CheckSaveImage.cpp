// A saved game is checked whole before it replaces the game on screen: a
// file of the right length can still hold anything.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "search/levels.h"
#include "tamzor.h"
#include "position/position.h"
#include "shell/shell.h"

namespace {
template <typename T>
T Read(const unsigned char* image, size_t offset) {
    T v;
    memcpy(&v, image + offset, sizeof v);
    return v;
}

bool Fail(char* why, size_t size, const char* text) {
    snprintf(why, size, "%s", text);
    return false;
}

// Piece codes, pins and the en passant square of one stored position.
bool CheckPosition(const unsigned char* image, size_t base, int dmode, const char* which, char* why,
                   size_t size) {
    char text[128];
    for (int sq = 0; sq < 64; sq++) {
        int p = Read<int32_t>(image, base + offsetof(POS_T, board) + 4 * sq);
        if (p < -6 || p > 6) {
            snprintf(text, sizeof text, "%s: piece code %d on square %d", which, p, sq);
            return Fail(why, size, text);
        }
    }
    if (dmode == 3) {
        int pins[4];
        for (int i = 0; i < 4; i++) {
            pins[i] = Read<int32_t>(image, base + offsetof(POS_T, whereis_board) + 4 * i);
            if (PinIndex(pins[i]) < 0) {
                snprintf(text, sizeof text, "%s: attack board %d stands on %d, which is no pin", which, i, pins[i]);
                return Fail(why, size, text);
            }
            for (int j = 0; j < i; j++)
                if (pins[j] == pins[i]) {
                    snprintf(text, sizeof text, "%s: two attack boards share pin %d", which, pins[i]);
                    return Fail(why, size, text);
                }
        }
    }
    uint32_t ep = Read<uint32_t>(image, base + offsetof(POS_T, enpassant));
    if (ep >= 64) {
        snprintf(text, sizeof text, "%s: en passant square %u", which, ep);
        return Fail(why, size, text);
    }
    return true;
}
}  // namespace

bool CheckSaveImage(const unsigned char* image, size_t length, char* why, size_t size) {
    char text[128];
    if (length != SAVE_FILE_SIZE) {
        snprintf(text, sizeof text, "the file is %zu bytes long, a saved game is %d", length, SAVE_FILE_SIZE);
        return Fail(why, size, text);
    }
    int dmode = Read<int32_t>(image, offsetof(STATE_T, dmode));
    if (dmode != 2 && dmode != 3) {
        snprintf(text, sizeof text, "game kind %d (2 or 3 expected)", dmode);
        return Fail(why, size, text);
    }
    int maxdepth = Read<int32_t>(image, offsetof(STATE_T, maxdepth));
    // a ply limit (files before levels, the terminal tool's --depth) or a level's rating
    if ((maxdepth < 1 || maxdepth > DIFF_HARD) && !LevelRating(maxdepth)) {
        snprintf(text, sizeof text, "difficulty %d (1 to %d, or a level %d to %d expected)", maxdepth, DIFF_HARD,
                 LEVEL_LOWEST, LEVEL_HIGHEST);
        return Fail(why, size, text);
    }
    int rules = Read<int32_t>(image, offsetof(STATE_T, rules));
    if (rules < RULES_NONE || rules > RULES_TDCL) {
        snprintf(text, sizeof text, "rules setting %d", rules);
        return Fail(why, size, text);
    }
    int spread = Read<int32_t>(image, offsetof(STATE_T, spread));
    if (spread < SPREAD_OFF || spread > SPREAD_TEAM) {
        snprintf(text, sizeof text, "control display setting %d", spread);
        return Fail(why, size, text);
    }
    for (size_t off : {offsetof(STATE_T, scale), offsetof(STATE_T, xang), offsetof(STATE_T, yang)}) {
        float f = Read<float>(image, off);
        if (!std::isfinite(f) || std::fabs(f) > 1e6f) return Fail(why, size, "a view angle or zoom that is no number");
    }
    const size_t pos = offsetof(STATE_T, position);
    int move_num = Read<int32_t>(image, pos + offsetof(POS_T, move_num));
    if (move_num < 0 || move_num > GAME_MAX_PLIES) {
        snprintf(text, sizeof text, "game length %d plies (at most %d)", move_num, GAME_MAX_PLIES);
        return Fail(why, size, text);
    }
    if (!CheckPosition(image, pos, dmode, "position", why, size)) return false;
    int inited = Read<int32_t>(image, offsetof(STATE_T, oeb) + offsetof(OEB_T, inited));
    // Saves made before the FEN's move number was kept have 0 here.
    int ply_offset = Read<int32_t>(image, offsetof(STATE_T, oeb) + offsetof(OEB_T, ply_offset));
    if (ply_offset < 0 || ply_offset % 2 || ply_offset > 2 * (FEN_MAX_FULLMOVE - 1) || (ply_offset && !inited)) {
        snprintf(text, sizeof text, "start position after %d plies, which no game has", ply_offset);
        return Fail(why, size, text);
    }
    if (inited) {
        const size_t start = offsetof(STATE_T, oeb) + offsetof(OEB_T, pos_0);
        if (!CheckPosition(image, start, dmode, "start position", why, size)) return false;
        int first = Read<int32_t>(image, start + offsetof(POS_T, move_num));
        if (first < 0 || first > move_num) {
            snprintf(text, sizeof text, "start position at ply %d of a %d-ply game", first, move_num);
            return Fail(why, size, text);
        }
    }
    return true;
}

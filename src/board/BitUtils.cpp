// Bit and table helpers used by generation and evaluation on 32-bit slot sets.
#include "tamzor.h"

// Bit count of every byte value, fixed at compile time so it is ready before
// any count is taken.
#define TZ_B2(n) n, n + 1, n + 1, n + 2
#define TZ_B4(n) TZ_B2(n), TZ_B2(n + 1), TZ_B2(n + 1), TZ_B2(n + 2)
#define TZ_B6(n) TZ_B4(n), TZ_B4(n + 1), TZ_B4(n + 1), TZ_B4(n + 2)
const int pop_count[256] = {TZ_B6(0), TZ_B6(1), TZ_B6(1), TZ_B6(2)};

int BitCount(uint64_t mask) {
    int n = 0;
    while (mask) {
        mask &= mask - 1;
        n++;
    }
    return n;
}

int PopCount16(uint32_t x) { return pop_count[(x >> 8) & 0xFF] + pop_count[x & 0xFF]; }

int PopCount32(uint64_t x) {
    return PopCount16((uint32_t)(x & 0xFFFF)) + PopCount16((uint32_t)((x >> 16) & 0xFFFF));
}

int FFOne(uint64_t x) {
    static const int nib[16] = {-1, 0, 1, 0, 2, 0, 1, 0, 3, 0, 1, 0, 2, 0, 1, 0};
    uint32_t v = (uint32_t)x;
    if (v == 0) return -1;
    int base = 0;
    if ((v & 0xFFFF) == 0) { v >>= 16; base += 16; }
    if ((v & 0xFF) == 0) { v >>= 8; base += 8; }
    if ((v & 0xF) == 0) { v >>= 4; base += 4; }
    return base + nib[v & 0xF];
}

int FLOne(uint64_t x) {
    static const int nib[16] = {-1, 0, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3};
    uint32_t v = (uint32_t)x;
    if (v == 0) return -1;
    int base = 0;
    if (v & 0xFFFF0000u) { v >>= 16; base += 16; }
    if (v & 0xFF00) { v >>= 8; base += 8; }
    if (v & 0xF0) { v >>= 4; base += 4; }
    return base + nib[v & 0xF];
}

void invert(ETYPE_T* dst, const ETYPE_T* src) {
    for (int i = 0; i < 64; i++) dst[i] = src[i ^ 7];
}

int IsPawnHome(const PS_T* slot, const PS_T* base) {
    // A side's pawns are packed in column order at the start, so a pawn's
    // distance from the side's first pawn slot is the column it started on.
    long i = slot - base;
    if (i < 0 || i > 7) return 0;
    SQ_T sq = slot->pos;
    return (sq == (SQ_T)(8 * i + 1) || sq == (SQ_T)(8 * i + 6)) ? 1 : 0;
}

namespace {
constexpr signed char CornerDist(int s) {
    int x = s >> 3, y = s & 7;
    int a = x > y ? x : y, b = (7 - x) > (7 - y) ? 7 - x : 7 - y;
    return (signed char)(a < b ? a : b);
}
struct CornerTable {
    signed char t[64];
    constexpr CornerTable() : t() {
        for (int s = 0; s < 64; s++) t[s] = CornerDist(s);
    }
};
constexpr CornerTable corner_table;
}  // namespace

int CornerDistance(SQ_T sq) { return sq < 64 ? corner_table.t[sq] : 0; }

// Tamzor: what every part of the program shares: squares, pieces and
// directions, the position and game records (the saved-game layout), the
// live game's state, the hooks the window program installs, and small
// helpers. What each part offers is declared in its folder's header
// (board/board.h, movegen/movegen.h, position/position.h, eval/eval.h,
// search/search.h, shell/shell.h). No GL, GLU or GLUT header is pulled in
// by any of them: the window program talks to the core through the hooks.
#pragma once

#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Squares, pieces, directions
// ---------------------------------------------------------------------------

typedef uint32_t SQ_T;
typedef int32_t ETYPE_T;

constexpr SQ_T NO_SQUARE = 65;  // off-board / nothing selected / no hit

enum SQUARE : SQ_T {
    A1 = 0, A2, A3, A4, A5, A6, A7, A8,
    B1, B2, B3, B4, B5, B6, B7, B8,
    C1, C2, C3, C4, C5, C6, C7, C8,
    D1, D2, D3, D4, D5, D6, D7, D8,
    E1, E2, E3, E4, E5, E6, E7, E8,
    F1, F2, F3, F4, F5, F6, F7, F8,
    G1, G2, G3, G4, G5, G6, G7, G8,
    H1, H2, H3, H4, H5, H6, H7, H8
};

enum PIECE : int32_t {
    B_KING = -6, B_QUEEN = -5, B_ROOK = -4, B_BISHOP = -3, B_KNIGHT = -2, B_PAWN = -1,
    P_NONE = 0,
    W_PAWN = 1, W_KNIGHT = 2, W_BISHOP = 3, W_ROOK = 4, W_QUEEN = 5, W_KING = 6
};

enum DIR_T : int32_t {
    NORTH = 1, N_N_E = 10, NORTH_EAST = 9, E_N_E = 17,
    EAST = 8, E_S_E = 15, SOUTH_EAST = 7, S_S_E = 6,
    SOUTH = -1, S_S_W = -10, SOUTH_WEST = -9, W_S_W = -17,
    WEST = -8, W_N_W = -15, NORTH_WEST = -7, N_N_W = -6
};

// The sixteen directions in connectivity-table order.
extern const DIR_T dir_order[16];
// Table index 0..15 of a direction, -1 for a value that is no direction.
inline int DirIndex(int dir) {
    // indexed by dir + 17: W_S_W (-17) .. E_N_E (17)
    static constexpr signed char index[35] = {
        11, -1, 13, -1, -1, -1, -1, 9,  10, 12, 14, 15, -1, -1, -1, -1, 8, -1,
        0,  -1, -1, -1, -1, 7,  6,  4,  2,  1,  -1, -1, -1, -1, 5,  -1, 3};
    return (dir >= -17 && dir <= 17) ? index[dir + 17] : -1;
}
// (file, rank) step of the direction with table index k.
extern const int dir_dfile[16];
extern const int dir_drank[16];

enum AB_E : int32_t { AB_QLW = 100, AB_QLB = 106, AB_KLW = 116, AB_KLB = 122 };

enum ABWHERE_E : int32_t {
    ABW_QL1 = 32, ABW_QL2 = 35, ABW_QL3 = 2, ABW_QL4 = 5, ABW_QL5 = 36, ABW_QL6 = 39,
    ABW_KL1 = 56, ABW_KL2 = 59, ABW_KL3 = 26, ABW_KL4 = 29, ABW_KL5 = 60, ABW_KL6 = 63
};

// The twelve pins in name order QL1..QL6, KL1..KL6.
extern const ABWHERE_E all_pins[12];
// 0..11 for a pin value (position in all_pins), -1 otherwise.
int PinIndex(int pin);
// Board number 0..3 of an AB_E value, -1 otherwise.
int ABIndex(int which_ab);
extern const AB_E ab_of_index[4];

enum GS_E : int32_t { OPENING = 0, MID_GS = 1, ENDING = 2, MATING = 3 };

enum : int { RULES_NONE = 0, RULES_TOURNAMENT = 1, RULES_TDCL = 2 };
enum : int { TAMZOR_BLACK = -1, TAMZOR_OFF = 0, TAMZOR_WHITE = 1, TAMZOR_BOTH = 2 };
enum : int { SPREAD_OFF = 0, SPREAD_PIECE = 1, SPREAD_TEAM = 2 };
enum : int { NOTATION_ZARVIC = 0, NOTATION_STANDARD = 1, NOTATION_ALGEBRAIC = 2 };
// The names players of the tri-level game use (a2W, b3N, z0QL1, QL1): every
// new game starts with them, in the window, the terminal tool and PGN alike.
constexpr int NOTATION_DEFAULT = NOTATION_ZARVIC;
enum : int { DIFF_EASY = 4, DIFF_MED = 8, DIFF_HARD = 50 };

constexpr ETYPE_T INF_VALUE = 405000;

// ---------------------------------------------------------------------------
// Records. Their layout is the saved-game layout (64-bit little endian).
// ---------------------------------------------------------------------------

struct PS_T {
    int32_t p;   // piece code, 0 = empty slot
    SQ_T pos;    // square; kept after the piece is removed
};

struct MOVE_T {
    SQ_T from;
    SQ_T to;
    int32_t v;
    int32_t piece_moving;
    char move_symbol;
    char check;
};

struct HASHENTRY_T {
    uint64_t hash1;
    uint64_t hash2;
    ETYPE_T low;
    ETYPE_T high;
    uint8_t depth_low;
    uint8_t depth_high;
    uint32_t from;
    uint32_t to;
    uint32_t tag;
    uint8_t move_num;
};

struct BTO_T {
    uint32_t n;
    SQ_T* tos;
};

// One connectivity configuration: sixteen arrays (one per direction, in
// dir_order) of 64 step lists. `all` views the same pointers as one array
// indexed by direction number x 64 + square.
struct BC_T {
    union {
        struct {
            BTO_T* n[64];
            BTO_T* nne[64];
            BTO_T* ne[64];
            BTO_T* ene[64];
            BTO_T* e[64];
            BTO_T* e_se[64];
            BTO_T* se[64];
            BTO_T* sse[64];
            BTO_T* s[64];
            BTO_T* ssw[64];
            BTO_T* sw[64];
            BTO_T* wsw[64];
            BTO_T* w[64];
            BTO_T* wnw[64];
            BTO_T* nw[64];
            BTO_T* nnw[64];
        };
        BTO_T* all[1024];
    };
};

struct P3D_T {
    float x, y, z;
};

struct POS_T {
    BC_T* bc_active;
    int32_t whereis_board[4];
    int32_t whites_board[4];
    uint64_t hash1;
    uint64_t hash2;
    uint64_t sliding_mask;
    uint64_t pawns7th;
    uint64_t piece_mask;
    uint64_t material_mask;
    int32_t board[64];
    signed char pboard[64];
    PS_T pieces[32];
    ETYPE_T control[64];
    int32_t cont[64];
    char safe_mobility[32];
    char mobility[32];
    int32_t white_moves;
    int32_t black_moves;
    ETYPE_T piece_values[32];
    int32_t stage;
    uint64_t piece_change;
    uint64_t hung_mask;
    uint64_t pinned_mask;
    uint64_t attacking_mask;
    ETYPE_T w_material;
    ETYPE_T b_material;
    ETYPE_T board_control;
    ETYPE_T expensive;
    ETYPE_T evaluation;
    uint64_t flight[64];
    uint64_t wpassed_pawn_mask;
    uint64_t bpassed_pawn_mask;
    uint64_t null_stoppable_pawn;
    uint64_t null_unstoppable_pawn;
    uint64_t dont_copy;
    uint64_t topieces[64];
    uint64_t xray_topieces[64];
    MOVE_T* moves;
    int32_t num_moves;
    MOVE_T last_move;
    MOVE_T best_capture;
    ETYPE_T tactics;
    uint64_t flags;
    uint64_t flags2;
    SQ_T enpassant;
    int32_t pro_dunsel;
    int32_t fifty_count;
    int32_t move_num;
    int32_t winner;
    HASHENTRY_T h_entry;
    POS_T* oldb;
    ETYPE_T eval_result;
};

struct OEB_T {
    POS_T pos_0;
    int32_t inited;
    // Plies a FEN's move number counts before the start position (even, so
    // the record's plies keep the side to move): the record holds the game
    // from its start, however late in a game the FEN was taken.
    int32_t ply_offset;
};

constexpr int GAME_RECORD_SIZE = 1000;

struct STATE_T {
    POS_T position;
    OEB_T oeb;
    int32_t dmode;
    SQ_T selected;
    char spreadmap[65];
    // The game's time control (0 untimed) in what was padding: old files
    // have 0 there.
    uint8_t clock_control;
    int32_t spread;
    int32_t stipple;
    int32_t rules;
    int32_t tamzor;
    int32_t notation;
    int32_t maxdepth;
    float scale;
    int32_t projection_ortho;
    float xang;
    float yang;
    int32_t stop_search;
    int32_t state_hash_table_size;
    MOVE_T game_record[GAME_RECORD_SIZE];
    uint64_t hash_list[GAME_RECORD_SIZE];
    int32_t demo_mode;
    // Each side's clock in tenths of a second when saved (in the tail
    // padding; zero in old files, which are untimed).
    uint16_t clock_white;
    uint16_t clock_black;
};

static_assert(sizeof(MOVE_T) == 20);
static_assert(offsetof(MOVE_T, v) == 8 && offsetof(MOVE_T, piece_moving) == 12);
static_assert(offsetof(MOVE_T, move_symbol) == 16 && offsetof(MOVE_T, check) == 17);
static_assert(sizeof(HASHENTRY_T) == 48);
static_assert(offsetof(HASHENTRY_T, low) == 16 && offsetof(HASHENTRY_T, depth_low) == 24);
static_assert(offsetof(HASHENTRY_T, from) == 28 && offsetof(HASHENTRY_T, tag) == 36);
static_assert(offsetof(HASHENTRY_T, move_num) == 40);
static_assert(sizeof(PS_T) == 8);
static_assert(sizeof(POS_T) == 3176);
static_assert(offsetof(POS_T, whereis_board) == 8);
static_assert(offsetof(POS_T, whites_board) == 24);
static_assert(offsetof(POS_T, hash1) == 40);
static_assert(offsetof(POS_T, material_mask) == 80);
static_assert(offsetof(POS_T, board) == 88);
static_assert(offsetof(POS_T, pboard) == 344);
static_assert(offsetof(POS_T, pieces) == 408);
static_assert(offsetof(POS_T, control) == 664);
static_assert(offsetof(POS_T, cont) == 920);
static_assert(offsetof(POS_T, safe_mobility) == 1176);
static_assert(offsetof(POS_T, mobility) == 1208);
static_assert(offsetof(POS_T, white_moves) == 1240);
static_assert(offsetof(POS_T, piece_values) == 1248);
static_assert(offsetof(POS_T, stage) == 1376);
static_assert(offsetof(POS_T, piece_change) == 1384);
static_assert(offsetof(POS_T, attacking_mask) == 1408);
static_assert(offsetof(POS_T, w_material) == 1416);
static_assert(offsetof(POS_T, evaluation) == 1432);
static_assert(offsetof(POS_T, flight) == 1440);
static_assert(offsetof(POS_T, wpassed_pawn_mask) == 1952);
static_assert(offsetof(POS_T, null_unstoppable_pawn) == 1976);
static_assert(offsetof(POS_T, dont_copy) == 1984);
static_assert(offsetof(POS_T, topieces) == 1992);
static_assert(offsetof(POS_T, xray_topieces) == 2504);
static_assert(offsetof(POS_T, moves) == 3016);
static_assert(offsetof(POS_T, num_moves) == 3024);
static_assert(offsetof(POS_T, last_move) == 3028);
static_assert(offsetof(POS_T, best_capture) == 3048);
static_assert(offsetof(POS_T, tactics) == 3068);
static_assert(offsetof(POS_T, flags) == 3072);
static_assert(offsetof(POS_T, flags2) == 3080);
static_assert(offsetof(POS_T, enpassant) == 3088);
static_assert(offsetof(POS_T, pro_dunsel) == 3092);
static_assert(offsetof(POS_T, fifty_count) == 3096);
static_assert(offsetof(POS_T, move_num) == 3100);
static_assert(offsetof(POS_T, winner) == 3104);
static_assert(offsetof(POS_T, h_entry) == 3112);
static_assert(offsetof(POS_T, oldb) == 3160);
static_assert(offsetof(POS_T, eval_result) == 3168);
static_assert(sizeof(STATE_T) == 34496);
static_assert(offsetof(STATE_T, oeb) == 3176);
static_assert(offsetof(STATE_T, oeb) + offsetof(OEB_T, inited) == 6352);
static_assert(offsetof(STATE_T, oeb) + offsetof(OEB_T, ply_offset) == 6356);
static_assert(offsetof(STATE_T, dmode) == 6360);
static_assert(offsetof(STATE_T, selected) == 6364);
static_assert(offsetof(STATE_T, spreadmap) == 6368);
static_assert(offsetof(STATE_T, spread) == 6436);
static_assert(offsetof(STATE_T, stipple) == 6440);
static_assert(offsetof(STATE_T, rules) == 6444);
static_assert(offsetof(STATE_T, tamzor) == 6448);
static_assert(offsetof(STATE_T, notation) == 6452);
static_assert(offsetof(STATE_T, maxdepth) == 6456);
static_assert(offsetof(STATE_T, scale) == 6460);
static_assert(offsetof(STATE_T, projection_ortho) == 6464);
static_assert(offsetof(STATE_T, xang) == 6468);
static_assert(offsetof(STATE_T, yang) == 6472);
static_assert(offsetof(STATE_T, stop_search) == 6476);
static_assert(offsetof(STATE_T, state_hash_table_size) == 6480);
static_assert(offsetof(STATE_T, game_record) == 6484);
static_assert(offsetof(STATE_T, hash_list) == 26488);
static_assert(offsetof(STATE_T, demo_mode) == 34488);
static_assert(offsetof(STATE_T, clock_control) == 6433);
static_assert(offsetof(STATE_T, clock_white) == 34492 && offsetof(STATE_T, clock_black) == 34494);

// Flag bits of POS_T.flags.
enum : uint64_t {
    FLAG_WK_CASTLE = 0x1,
    FLAG_WQ_CASTLE = 0x2,
    FLAG_BK_CASTLE = 0x4,
    FLAG_BQ_CASTLE = 0x8,
    FLAG_W_CASTLED = 0x10,
    FLAG_B_CASTLED = 0x20,
    FLAG_IN_CHECK = 0x80,
    FLAG_WAS_CHECK = 0x100,
    FLAG_W_PROMOTED = 0x800,
    FLAG_B_PROMOTED = 0x1000,
    FLAG_MATERIAL_DRAW = 0x2000,
    FLAG_EVALUATED = 0x4000,
    FLAG_CONTROL_TAG = 0x78000,
    FLAG_NEED_PART2 = 0x100000,
    FLAG_EXTENDED = 0x4000000,
    FLAG_TAMZOR_WHITE = 0x8000000,
    FLAG_TACTICS_DONE = 0x10000000
};

// ---------------------------------------------------------------------------
// Globals of the application state
// ---------------------------------------------------------------------------

extern STATE_T state;
// Verbose diagnostics (the E key); read on every thread.
extern std::atomic<bool> eval_show;
// Option fields of the state that a running search reads while the interface
// may change them: read and written atomically (they live in the saved-game
// record, so they stay plain ints).
inline int LoadShared(const int32_t& field) {
    return std::atomic_ref<int32_t>(const_cast<int32_t&>(field)).load(std::memory_order_relaxed);
}
inline void StoreShared(int32_t& field, int value) {
    std::atomic_ref<int32_t>(field).store(value, std::memory_order_relaxed);
}


extern const int pop_count[256];

// Failure path: prints "\nPanic: %s"; when fatal also "\nUNSTABLE" and exits 420.
void Panic(bool fatal, const char* message);

// ---------------------------------------------------------------------------
// Small pure helpers
// ---------------------------------------------------------------------------

inline SQ_T XPOS(SQ_T sq) { return sq >> 3; }
inline SQ_T YPOS(SQ_T sq) { return sq & 7; }
inline int flip(int x) { return 1 - x; }
inline int sign(int x) { return x < 0 ? -1 : 1; }
inline int imin(int a, int b) { return a < b ? a : b; }
inline int imax(int a, int b) { return a > b ? a : b; }
inline ETYPE_T emin(ETYPE_T a, ETYPE_T b) { return a < b ? a : b; }
inline ETYPE_T emax(ETYPE_T a, ETYPE_T b) { return a > b ? a : b; }
inline int SameColor(int a, int b) { return ((a < 0) == (b < 0)) ? 1 : 0; }
inline int IsSliding(int piece) {
    static const int t[7] = {0, 0, 0, 1, 1, 1, 0};
    int k = piece < 0 ? -piece : piece;
    return k <= 6 ? t[k] : 0;
}
inline int IsBlacksMove(const POS_T* b) { return b->move_num & 1; }
inline int IsWhitesMove(const POS_T* b) { return !IsBlacksMove(b); }
inline int NextToPlay(const POS_T* b) { return IsWhitesMove(b) ? 1 : -1; }
inline bool IsAB(int piece_moving) { return ABIndex(piece_moving) >= 0; }

int BitCount(uint64_t mask);
int PopCount16(uint32_t x);
int PopCount32(uint64_t x);
int FFOne(uint64_t x);
int FLOne(uint64_t x);
void invert(ETYPE_T* dst, const ETYPE_T* src);
int IsPawnHome(const PS_T* slot, const PS_T* base);
int CornerDistance(SQ_T sq);

// ---------------------------------------------------------------------------
// Hooks the window program installs; the defaults do nothing.
// ---------------------------------------------------------------------------

struct CORE_HOOKS_T {
    void (*redraw)();                   // ask for a new frame
    void (*set_title)(const char*);     // window title
    void (*reset_view)();               // view preset of a new game
    int (*ask_promotion)();             // promotion choice of a mouse move, 2..5; 0 = cannot ask
    void (*options_changed)();          // difficulty, rules etc. changed: mark the menus
    bool (*quiet_reports)();            // true: non-fatal Panic reports stay off the console
};
extern CORE_HOOKS_T core_hooks;
// Calls a hook when the window program installed it.
inline void CallRedraw() {
    if (core_hooks.redraw) core_hooks.redraw();
}
inline void CallSetTitle(const char* title) {
    if (core_hooks.set_title) core_hooks.set_title(title);
}

// ---------------------------------------------------------------------------
// Moves
// ---------------------------------------------------------------------------

// Entries of one move list: room for every pseudo-legal move of any position
// a board edit can make, promotion variants included.
constexpr int MOVE_LIST_SIZE = 1024;

inline void ZeroMove(MOVE_T* m) { *m = MOVE_T{}; }
inline bool IsZeroMove(const MOVE_T* m) { return m->from == 0 && m->to == 0; }
// Every field alike (compared one by one: the padding bytes are not part of a move).
inline bool IdenticalMove(const MOVE_T& a, const MOVE_T& b) {
    return a.from == b.from && a.to == b.to && a.v == b.v && a.piece_moving == b.piece_moving &&
           a.move_symbol == b.move_symbol && a.check == b.check;
}
inline bool SameMove(const MOVE_T* a, const MOVE_T* b) { return a->from == b->from && a->to == b->to; }
// Lowest and highest slot of a non-empty slot set, in one instruction: the
// evaluation walks slot sets in its inner loops.
inline int LowSlot(uint64_t m) { return std::countr_zero((uint32_t)m); }
inline int HighSlot(uint64_t m) { return 31 - std::countl_zero((uint32_t)m); }

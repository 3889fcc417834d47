// Tamzor: shared types, globals and prototypes of the engine core.
// This header never pulls in GL, GLU or GLUT: the window program talks to the
// core through the hooks declared at the end.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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


extern char gamefilename[260];
extern int replay;
extern char banner_string[64];
extern char move_string[64];

extern thread_local constinit unsigned char white_pawn_loc[8];
extern thread_local constinit unsigned char black_pawn_loc[8];
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
// Board model: piece bookkeeping and start positions
// ---------------------------------------------------------------------------

void AddPiece(POS_T* b, int piece, SQ_T sq, PS_T* slot);
void RemovePiece(POS_T* b, PS_T* slot);
int MovePiece(POS_T* b, PS_T* slot, SQ_T dest);
void ChangePiece(POS_T* b, PS_T* slot, int piece);
void SetPBoard(POS_T* b, SQ_T sq, PS_T* slot);
PS_T* GetPBoard(POS_T* b, SQ_T sq);
int CreatePBoard(POS_T* b);
int RegenToPieces(POS_T* b);
void ShiftUp(PS_T* slots, int k, int* count);
void BuildPawnLoc(POS_T* b);
int ResetBoard(bool reset_view, bool keep_search_memory = false);
// The start position of the current game kind into `b`, touching nothing
// else; 0 when it cannot be built.
int StartPosition(POS_T* b);
int PieceComp(const void* pp1, const void* pp2);
inline int SlotOf(const POS_T* b, const PS_T* slot) { return (int)(slot - b->pieces); }

// ---------------------------------------------------------------------------
// Connectivity
// ---------------------------------------------------------------------------

// The configuration cache (per thread: the engine thread and the interface
// thread each keep their own, so neither can disturb the other's lists).
constexpr int BC_CACHE_SIZE = 512;
extern thread_local constinit int bc_hash;
extern thread_local constinit int bc_hashes[BC_CACHE_SIZE];
extern thread_local constinit BC_T* bc_stored[BC_CACHE_SIZE];
extern thread_local constinit int bc_index;
extern thread_local constinit int bc_search_index;
extern thread_local constinit int bc_recurse;
extern thread_local constinit int abo_a, abo_b, abo_c, abo_d;
extern thread_local constinit int abi_a, abi_b, abi_c, abi_d;
extern thread_local constinit int ab_outer, ab_inner;
extern thread_local constinit int capmap_index;
// The geometry maps in force: sliding_map[a][b] and capture_map[p + 6][a][b]
// read as tables, but point at the maps of the current game kind and, in the
// 3D game, of the current placement of the boards.
typedef signed char LINE_MAP_T[64][64];
typedef char CAPTURE_SLICE_T[64][64];
extern thread_local constinit signed char (*sliding_map)[64];
extern thread_local constinit char (*capture_map[13])[64];
// Game kind of the maps in force (0 before the thread built any).
extern thread_local constinit int capmap_dmode;
// Brings the maps in force in line with the position's game kind (and, in the
// 3D game, its placement) before code that reads them.
void UpdateMaps(POS_T* b);
inline void EnsureMaps(POS_T* b) {
    if (capmap_dmode != state.dmode || (state.dmode != 2 && capmap_index < 0)) UpdateMaps(b);
}

extern const BC_T* const bc_core;

int DirTo(POS_T* b, SQ_T sq, int dir, BTO_T* rec);
// The 3D configuration of the position's placement, looked up (and the
// geometry maps brought in line) once, for code that reads many steps of one
// position in a row. Valid until a position with other pins is looked up.
BC_T* ActiveConfig(POS_T* b);
// Level of every cell under a configuration.
const signed char* ConfigLevels(const BC_T* bc);
bool OffBoard(POS_T* b, SQ_T sq, int dir);
void FindBoardConfig(POS_T* b);
int PlacementKey(const POS_T* b);
void BoardConfigCacheClear();
// The maps kept with a stored configuration: its line map, its slider
// slices of the capture map (bishop, rook, queen of each colour, in piece
// code order -5, -4, -3, 3, 4, 5) and whether they are built.
struct STORED_MAPS_T {
    LINE_MAP_T* lines;
    CAPTURE_SLICE_T* sliders;  // 6 slices
    bool* built;
};
STORED_MAPS_T StoredMaps(int slot);
void AddPath_N(int from, int to);
void AddPath_NNE(int from, int to);
void AddPath_NE(int from, int to);
void AddPath_ENE(int from, int to);
void AddPath_E(int from, int to);
void AddPath_ESE(int from, int to);
void AddPath_SE(int from, int to);
void AddPath_SSE(int from, int to);
void AddPath_S(int from, int to);
void AddPath_SSW(int from, int to);
void AddPath_SW(int from, int to);
void AddPath_WSW(int from, int to);
void AddPath_W(int from, int to);
void AddPath_WNW(int from, int to);
void AddPath_NW(int from, int to);
void AddPath_NNW(int from, int to);
void SamePattern();
void UpPattern();
void DownPattern();
int GetLevel(POS_T* b, SQ_T sq);
void GetCoords(POS_T* b, int x, int y, P3D_T* out);
void GetAttackBoardCoords(POS_T* b, int x, int y, int which_ab, P3D_T* out);
bool IsSameCell(POS_T* b, SQ_T a, SQ_T c);
bool SameLine(SQ_T a, SQ_T b, SQ_T c);
bool EmptyLine(POS_T* b, SQ_T from, SQ_T to);

// Projected (file, rank) of a cell in the 3D game for the position's pins;
// false for a square that is no cell.
bool ProjectedCell(const POS_T* b, SQ_T sq, int* file, int* rank);

// ---------------------------------------------------------------------------
// Attack-board placement
// ---------------------------------------------------------------------------

SQ_T WhereIsAttackBoard(POS_T* b, int which_ab);
inline SQ_T WhereIsAB_C(int board) {
    static const SQ_T c[4] = {0, 6, 16, 22};
    return c[board & 3];
}
// Board number 0..3 owning an attack-board cell, -1 for any other square.
int BoardOfCell(SQ_T sq);
SQ_T IsAttackBoardThere(POS_T* b, SQ_T pin);
bool IsAttackBoardHome(POS_T* b, int which_ab);
bool WhiteOwns(POS_T* b, int which_ab);
int GetAttackBoardLevel(POS_T* b, int board);
void AlignAttackBoards(POS_T* b);

// ---------------------------------------------------------------------------
// Geometry maps
// ---------------------------------------------------------------------------

void UpdateMaps(POS_T* b);
void UpdateMaps2D();
void UpdateMaps3D(POS_T* b);
bool UMJump(POS_T* b, SQ_T to, SQ_T from, int delta);
int UMDirTo(POS_T* b, SQ_T from, int dir, BTO_T* glo_t);
void UMJumpA(POS_T* b, int jump_ab, BTO_T* glo_t, int dir);
void UMJumpB(POS_T* b, int jump_ab, BTO_T* glo_t, int dir);
void UMJumpC(POS_T* b, int jump_ab, BTO_T* glo_t, int dir);
void UMJumpD(POS_T* b, int jump_ab, BTO_T* glo_t, int dir);

// ---------------------------------------------------------------------------
// Notation
// ---------------------------------------------------------------------------

char* PosStr(POS_T* b, SQ_T sq);
char* posstr3D(POS_T* b, SQ_T sq);
char* posstr3DZarvic(POS_T* b, SQ_T sq);
void PosStrAB(char* out, SQ_T sq, int base, int pin, bool right, int style);
const char* GetABString(POS_T* b, int pin);
const char* GetABStringBySquare(POS_T* b, SQ_T sq);
const char* GetShortABStr(int pin);
char* GetAttackBoardString(POS_T* b);
char piecechar(int piece);
// A cell's name as the window writes it: file and rank, and in the 3D game
// its level ("c3N", or "b4(4)" in the standard notation).
void CellName(POS_T* b, SQ_T sq, char* out, size_t size);

// ---------------------------------------------------------------------------
// Hash keys (members of the transposition-table object come later)
// ---------------------------------------------------------------------------

struct HVE_T {
    uint64_t v1[13][64];
    uint64_t v2[13][64];
};

extern bool ihv_initialized;

// The transposition-table object: random key tables, key updates and (with
// the search) the table and move-ordering memories.
struct KILLER_T {
    MOVE_T k1;  // the last capture that caused a cut-off at this ply
    MOVE_T k2;  // the last quiet move that did
};

constexpr int MAX_PLY = 60;  // plies the per-ply search memories hold
constexpr uint64_t HISTORY_CAP = 1ull << 30;  // the most one move's cut-off history holds

// What one search thread learns about the order of moves as it goes, and
// its table counts: threads searching together share the table, but each
// keeps its own memories.
struct SEARCH_MEMORY_T {
    // cut-offs by move, 2^depth each; held at most HISTORY_CAP so that the
    // order built on it stays in an int however deep the search runs
    uint64_t history[64][64];
    KILLER_T killers[MAX_PLY];
    MOVE_T refutation[64][64];
    MOVE_T hash_move;
    int bad_updates, good_updates, hash_misses, hash_hits, hash_shallow;
    uint32_t epoch;  // the OrderReset these memories last followed
};
extern thread_local constinit SEARCH_MEMORY_T search_memory;
// How many times OrderReset was called.
uint32_t OrderEpoch();

// The transposition-table object: random key tables, key updates and the
// table itself, shared by every search thread without a lock. An entry is
// read and written word by word, and its hash2 is kept folded with its data:
// an entry read while another thread writes it fails the key check, so no
// thread takes a torn entry's move or value. The entries are allocated at
// the first use.
class HASH_C {
public:
    bool hash_table_initialized = false;
    HASHENTRY_T* hash_table = nullptr;   // hash_table_size entries; read them through FetchHash
    uint64_t hash_table_size = 0;
    char cret[30] = {};
    uint64_t hash_tag = 0;
    HVE_T hash_values;

    HASH_C();
    ~HASH_C();
    void HashValuesInit();
    // Piece p put on (or taken off) square pos: the same exclusive-or.
    void AddHash(POS_T* b, SQ_T pos, int p) {
        b->hash1 ^= hash_values.v1[p + 6][pos];
        b->hash2 ^= hash_values.v2[p + 6][pos];
    }
    void RemoveHash(POS_T* b, SQ_T pos, int p) { AddHash(b, pos, p); }
    // Where an attack board stands is part of a 3D position: the same men
    // with a board elsewhere have other moves, so neither the table nor the
    // repetition count may take one for the other. The term of board k on a
    // pin, applied again, takes it out. Bit 0 of hash1 stays the side's.
    static void BoardPinHash(POS_T* b, int k, int pin) {
        if (pin <= 0) return;  // the 8x8 game has no boards
        uint64_t x = (uint64_t)(k * 64 + pin) * 0x9E3779B97F4A7C15ull;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
        x ^= x >> 31;
        b->hash1 ^= x & ~1ull;
        b->hash2 ^= x * 0xD6E8FEB86659FD93ull;
    }
    void HashReset();
    // The table's values were found with the evaluation of one game stage:
    // a search in another stage clears it first.
    void MatchStage(int stage);
    // A table of about `megabytes` (the default is 48); the stored entries
    // go. Only while no search runs.
    void HashResize(uint64_t megabytes);
    // Every search thread's move-ordering memories start afresh (the calling
    // thread's now, the others' at their next search).
    void OrderReset();
    uint64_t GetIndex(POS_T* b);
    void HashChangeTag(int move_num);
    HASHENTRY_T* GetHashEntry(uint64_t index);
    // A copy of the entry of `b` in *out; false when the table holds none.
    bool FetchHash(POS_T* b, HASHENTRY_T* out);
    // The entry at `index` as stored (a torn one comes back with keys that
    // match no position), and an entry written there.
    void LoadEntry(uint64_t index, HASHENTRY_T* out) const;
    void StoreEntry(uint64_t index, const HASHENTRY_T& in);
    int CheckHash(POS_T* b, int depth, ETYPE_T testv, ETYPE_T* v, MOVE_T* move);
    int CheckHash2(POS_T* b, int depth, ETYPE_T testv, ETYPE_T* v);
    int CheckHashEtc(POS_T* b, MOVE_T* moves, int num_moves, int depth, ETYPE_T testv, ETYPE_T* v, MOVE_T* m1);
    void HashInsert(POS_T* b, int depth, ETYPE_T testv, ETYPE_T evaluation, MOVE_T* move);
    int HashOrdering(POS_T* b, MOVE_T* move, ETYPE_T testv);
    // Starts loading the buckets of the children of `b` by these moves.
    void PrefetchChildren(POS_T* b, MOVE_T* moves, int n);
    char* HashStats();

private:
    int last_move_num = 0;
    std::atomic<bool> table_dirty{false};  // something was stored since the last clear
    int table_stage = -1;      // the stage of the stored values; -1: none known yet
    void Allocate();
    void Release();  // gives the table back; Allocate makes a new one
    // The keys of the position after `move` as far as a plain move or
    // capture changes them (no move is made); the caller restores the keys.
    void LookAheadKeys(POS_T* b, MOVE_T* move);
};
int MaxDepthFunc(const HASHENTRY_T* he_t);
extern HASH_C hash_c;

// ---------------------------------------------------------------------------
// Evaluation (material bookkeeping and stage)
// ---------------------------------------------------------------------------

constexpr int COEFF_SLICE = 1468;
constexpr int COEFF_COUNT = 5872;
extern const ETYPE_T orig_coefficients[COEFF_COUNT];
extern ETYPE_T new_coefficients[COEFF_COUNT];
// The 2D game's own table: the shared one with the values fitted to 2D
// positions alone, which made the 2D engine stronger and the 3D one weaker.
// Material and the entries read straight from new_coefficients are alike in
// both.
struct COEFF_ENTRY_T {
    int index;
    ETYPE_T value;
};
extern const COEFF_ENTRY_T coefficients_2d_fitted[];
extern const int coefficients_2d_fitted_count;
extern ETYPE_T new_coefficients_2d[COEFF_COUNT];
// The table of the game being played.
ETYPE_T* GameCoefficients();
// Where the worth of each kind of piece starts (indexed by the piece's kind),
// read from the first slice.
constexpr int COEFF_MATERIAL = 1181;
// A capture gives material away when the piece taken is defended and the
// taker is worth more than it by over half a pawn.
inline bool GivesMaterialAway(ETYPE_T taken, ETYPE_T risked, bool defended) {
    return defended && risked > taken + new_coefficients[COEFF_MATERIAL + W_PAWN] / 2;
}
extern thread_local constinit ETYPE_T* coefficients;  // the active slice of this thread
void InitEvalTables();
void EvalPiece(POS_T* b, PS_T* ps);
void DevalPiece(POS_T* b, PS_T* ps);
ETYPE_T Evaluate(POS_T* b, int alpha, int mode);
void EstimateGameStage(POS_T* b, int doit);

// ---------------------------------------------------------------------------
// Move generation entry points used by the board model
// ---------------------------------------------------------------------------

void PieceGenerate(POS_T* b, int slot);
int DetectPromotionImminent(POS_T* b, int piece, SQ_T sq, uint64_t bit);

// ---------------------------------------------------------------------------
// Captured pieces shown beside the board; the square-control display map
// ---------------------------------------------------------------------------

struct CAP_T {
    char captured_list[40];
    int wht_cnt;
    int blk_cnt;
    int wht_pn;
    int blk_pn;
};
extern CAP_T cap_t;
void CapturedPieceStore(int piece);
void CaptureReset();
int GetCapturedPiece(int i);
// The enemy piece a move took, from the positions before and after it (0 for none).
int CapturedPiece(const POS_T* before, const POS_T* after, const MOVE_T* m);
void ResetSpreadmap();

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

// A new game of kind dmode (2 or 3): the whole state record is zeroed except
// the difficulty and the attack-board rules (tdcl unless tournament was
// chosen), the notation set to NOTATION_DEFAULT, the connectivity
// cache emptied and the start position set.
int NewGameState(int dmode, bool keep_search_memory = false);

// ---------------------------------------------------------------------------
// Move records, generation, legality and move lists
// ---------------------------------------------------------------------------

// Entries of one move list: room for every pseudo-legal move of any position
// a board edit can make, promotion variants included.
constexpr int MOVE_LIST_SIZE = 1024;

void InitMove(MOVE_T* m, int piece, SQ_T from, SQ_T to, int v, char symbol, bool check);
inline void ZeroMove(MOVE_T* m) { *m = MOVE_T{}; }
inline bool IsZeroMove(const MOVE_T* m) { return m->from == 0 && m->to == 0; }
// Every field alike (compared one by one: the padding bytes are not part of a move).
inline bool IdenticalMove(const MOVE_T& a, const MOVE_T& b) {
    return a.from == b.from && a.to == b.to && a.v == b.v && a.piece_moving == b.piece_moving &&
           a.move_symbol == b.move_symbol && a.check == b.check;
}
inline bool SameMove(const MOVE_T* a, const MOVE_T* b) { return a->from == b->from && a->to == b->to; }
bool IsValidMove(POS_T* b, MOVE_T m);
void* Realloc(void* p, int size);

int GenerateMoves(POS_T* b, MOVE_T* moves);
void PG_UTP(POS_T* b, int slot, int dir);
void PG_UTPCont(POS_T* b, int count, int slot, int dir);
SQ_T PG_UTP3DCont(POS_T* b, SQ_T from, int dir, uint64_t bit, bool first);
void PG_Jump(POS_T* b, int slot);
bool PawnMovedTwoSteps(POS_T* b, SQ_T to, SQ_T from, int dir);
// Whether the pawn in the slot may make a double step, its first-step cells
// aside (they must be empty too).
bool PawnMayStepTwice(POS_T* b, int slot);
bool PawnToEastWest(POS_T* b, SQ_T sq, int piece);

int GenAttackBoardMoves(POS_T* b, int which_ab, MOVE_T* moves);
int BoardCanMove(POS_T* b, int which_ab, int* load);
void InitABMove(POS_T* b, int which_ab, SQ_T from, SQ_T to);
int DetectPromoteAttackBoard(POS_T* b, MOVE_T* move);
int PromoteAttackBoard(POS_T* b, int which_ab, MOVE_T* move);
extern thread_local constinit unsigned int gabm_n;
extern thread_local constinit MOVE_T* gabm_moves;

int GenerateCheckAvoidance(POS_T* b, MOVE_T* moves);
bool GCAKingShadow(POS_T* b, SQ_T cell, int dir, SQ_T king);

// Moves of the position with exact duplicates removed (GetMoveCount without
// writing the move texts): what the search and perft need.
int GetMoveList(POS_T* b, MOVE_T* list);
// GetMoveList, then the text of every entry into disambstrs.
int GetMoveCount(POS_T* b, MOVE_T* list);
void GenMoveList(POS_T* b, int ply, MOVE_T* hint, int testv);
int LegalMove(POS_T* b, MOVE_T* move, const char* text);
int IsCheckmate(POS_T* b);
int DetectPromotion(POS_T* b, int piece, SQ_T to, MOVE_T* move);
int GetPromotedPiece(MOVE_T* move);
extern thread_local constinit int msm;              // the move being made was chosen with the mouse
extern thread_local constinit MOVE_T** move_lists;
extern thread_local constinit int num_move_lists;

// Move texts (notation of the last list built by GetMoveCount).
extern thread_local constinit int da_n;
extern thread_local constinit MOVE_T da_moves[MOVE_LIST_SIZE];
extern thread_local constinit char disambstrs[MOVE_LIST_SIZE][16];
extern thread_local constinit char da_str_i[16];
extern thread_local constinit char da_str_j[16];
// Set with da_str_i when another move of the same kind to the same place
// starts from a cell of the same name on another level: the text then names
// the origin's level.
extern thread_local constinit bool da_level_i;
char* ShortMovestr(POS_T* b, MOVE_T* move, char* out);
char* ShortDisambiguateMovestr(MOVE_T* move);
// The text of a move whether or not the position's list holds it: the
// list's text when it does, else the piece and its cells ("Ng1-e2") or the
// board and its pin ("QL white to QL3"); never a fault report.
void PlainMoveText(POS_T* b, const MOVE_T* m, char* out, size_t size);
// Why the rules refuse a move, in the player's words ("a pawn moves forward
// only", "you are in check: Ng1-e2 does not answer it"); false, `out` empty,
// when the move is legal as a player's move (what PlayerMoved plays). The
// position is not changed.
bool RefusalReason(POS_T* b, const MOVE_T* m, char* out, size_t size);

// ---------------------------------------------------------------------------
// Making moves, attack maps
// ---------------------------------------------------------------------------

int DoMove(POS_T* nb, POS_T* ob, MOVE_T* move);
int DoMovePart1(POS_T* nb, POS_T* ob, MOVE_T* move);
int DoMovePart2(POS_T* nb, MOVE_T* move);
void UpdateMoves(POS_T* b, POS_T* oldb, MOVE_T* move);
uint64_t XrayAttack(POS_T* b, SQ_T sq1, SQ_T sq2);
int XrayThrough(POS_T* b, SQ_T sq1, SQ_T sq2);
void GenerateSpreadmap(POS_T* b);

// Leaf count of the move tree to `depth`: every legal move once, a promotion
// once per piece it can become.
uint64_t Perft(POS_T* b, int depth);
// The legal moves of a position for perft's divide and the terminal tool:
// duplicates by (piece, from, to) merged, promotions expanded to 'Q', 'R',
// 'B', 'N'.
int LegalMoves(POS_T* b, MOVE_T* out);
// Replaces a move known by its squares with the legal list's own entry
// (same piece and symbol where the list has them; a queen for a promotion
// whose piece is not named), keeping its value; 0 when no legal move has
// those squares.
int ListedMove(POS_T* b, MOVE_T* move);

// ---------------------------------------------------------------------------
// Game record, results, replay
// ---------------------------------------------------------------------------

// A game ends as a draw when it reaches this many plies, leaving the rest of
// the record for the search's lines beyond the game's end.
constexpr int GAME_MAX_PLIES = 900;
// The move number of the move made from ply `ply` of the game record, as the
// players count it: from 1 at the start, from a FEN's own number after one.
inline int MoveNumberOfPly(int ply) { return (ply + state.oeb.ply_offset) / 2 + 1; }
// The most a FEN's move number may be: any real game's, and room to play on.
constexpr int FEN_MAX_FULLMOVE = 99999999;

void GameListInit();
char* GameListGet(int n);
char* GameListPut(POS_T* b, MOVE_T* move, int n);
int CheckRepetition(POS_T* b, int count);
bool NoMaterial(POS_T* b);
// Neither side can ever mate, as the rules judge a game drawn for it.
bool InsufficientMaterial(const POS_T* b);
int FindWinner(POS_T* b, MOVE_T* move);
int PlayerMoved(POS_T* b, MOVE_T* move);
// After a move was played on the live position: records a result (mate,
// stalemate, repetition, the fifty-move limit, insufficient material, a full
// record) with its text; 1 when the game is over. A repetition is "I'm
// repeating" after the computer's move, "you're repeating" after a person's.
int JudgeGame(POS_T* b, bool computer_moved = false);
// The result a position just reached has by the rules (0 the game goes on,
// 1 White won, -1 Black won, 2 drawn), its console text, whose repetition
// text is `repeating`, and its line for a move list ("1-0 White mates"),
// without recording or printing it.
int JudgeReached(POS_T* c, const char* repeating, const char** text, const char** line = nullptr);
void UndoMoves(int n);
void ReplayMoves(int delta);
void ReplayExit();
// Prints the game so far, a line a move, in the game record's form.
void ListGame(bool unused);
// Rebuilds state.position from the game's start position and replays the
// first `target` plies of the record (storing their texts when `texts`);
// false, after `message`, when a recorded move does not replay.
bool RebuildGame(int target, bool texts, const char* caller, const char* message);
// An en passant square a double step could have left (or none); the other
// kind is cleared from a start position, from an edit or a file.
bool EnPassantHolds(POS_T* b);
void DropStaleEnPassant(POS_T* b);
// "\nTamzor V<version>" and the lines after it.
void PrintBanner();

// ---------------------------------------------------------------------------
// Saved games
// ---------------------------------------------------------------------------

constexpr int SAVE_FILE_SIZE = 34496;
static_assert(sizeof(STATE_T) == SAVE_FILE_SIZE);

// The saved-game image of a state: every field at its place, pointer fields
// and padding zero.
void SaveImage(const STATE_T* s, unsigned char image[SAVE_FILE_SIZE]);
// Checks a saved-game image before anything is changed; false with `why`
// naming what is wrong.
bool CheckSaveImage(const unsigned char* image, size_t length, char* why, size_t why_size);
// Saves the live game to tamzor.sav; when it cannot, the file and the
// reason go into `why` when given.
bool SaveGame(int unused, char* why = nullptr, size_t why_size = 0);
// Restores tamzor.sav over the live game. A file it refuses leaves the game
// as it was; the reason, one line, goes into `why` when given, else to the
// console.
bool RestoreGame(int unused, char* why = nullptr, size_t why_size = 0);

// ---------------------------------------------------------------------------
// The engine thread (held while the game is changed wholesale)
// ---------------------------------------------------------------------------

void Clutch(int engage);

// ---------------------------------------------------------------------------
// Game clock and search timer; SDL library lifetime
// ---------------------------------------------------------------------------
// No SDL header here: the two SDL types are forward-declared and the
// timer-callback types are spelled as the plain integers SDL defines them as
// (Uint32 is uint32_t, SDL_TimerID is int; checked where SDL is included).

struct SDL_Window;
struct SDL_Renderer;

// Milliseconds since SDL started. Everything that reads SDL ticks goes
// through this pointer, so tests can drive the clock without sleeping. Set
// it before other threads read the clock.
extern uint64_t (*tick_source)();
inline uint64_t TickCount() { return tick_source(); }

// Whole seconds of the tick count; gameStart is the tick count of the first
// call, wallClock that of the latest.
uint64_t WallTime();
extern std::atomic<bool> wt_initialized;
extern std::atomic<uint64_t> gameStart;
extern std::atomic<uint64_t> wallClock;

enum TIMERSTATE : int32_t { TIMER_IDLE = 0, TIMER_STARTED = 1, TIMER_EXPIRED = 2 };
enum TIMERMODE_E : int32_t {
    TM_OFF = 0, TM_BLACK = 1, TM_WHITE = 2, TM_ELAPSED = 3, TM_STOPPED = 4, TM_ERROR = 5
};

// The game clock shown in the window and the computer's search timer.
// Fields read on a thread other than their writer's are atomic (the second
// counts are written on SDL's timer thread, timer_state and move_start_time
// on the engine thread, timermode and timer_limit by the interface); pass
// them to printf through .load() or a cast.
class TIMERS_C {
public:
    char time_string[64] = {};
    uint32_t init_time = 0;                 // tick count at start-up
    uint32_t curr_time = 0;
    std::atomic<uint32_t> elapsed_time{0};  // seconds since start-up
    std::atomic<uint32_t> white_time{0};    // seconds counted while White was to move
    std::atomic<uint32_t> black_time{0};
    // Hard search limit in seconds, counted in milliseconds from TimerStart:
    // a 5-second limit ends the search 5.0 s after it began.
    std::atomic<uint64_t> timer_limit{0};
    // The running search's own hard limit in seconds (a timed game's clock,
    // a hint, a review), 0 for the player's timer_limit: kept apart so that
    // the menu shows, and a save keeps, the player's choice meanwhile.
    std::atomic<uint64_t> search_limit{0};
    uint64_t LimitS() const {
        const uint64_t own = search_limit.load();
        return own ? own : timer_limit.load();
    }
    std::atomic<TIMERSTATE> timer_state{TIMER_IDLE};
    std::atomic<uint64_t> move_start_time{0};  // WallTime() at TimerStart
    std::atomic<uint64_t> move_start_ms{0};    // TickCount() at TimerStart
    int TID = 0;                            // SDL_TimerID of the one-second tick
    std::atomic<TIMERMODE_E> timermode{TM_OFF};
    // Optional millisecond deadline on the tick count (0 = none) for callers
    // that need finer limits than whole seconds; TimerExpired honours it.
    std::atomic<uint64_t> deadline_ms{0};
    // Optional limit of every move in milliseconds (0 = none), for a game
    // whose limit is no whole number of seconds: TimerStart sets the
    // deadline that far ahead.
    std::atomic<uint64_t> move_limit_ms{0};
    // Set while the game has a result: the clock stands at the time played.
    std::atomic<bool> standing{false};
    // What the clock showed before the game's end switched it to TM_STOPPED.
    std::atomic<TIMERMODE_E> mode_before_stop{TM_OFF};

    TIMERS_C();
    int PrintTimeString(uint32_t time_to_print);
    void TimerStart();
    uint64_t TimerElapsed();
    // Milliseconds since TimerStart; 0 while idle.
    uint64_t TimerElapsedMs();
    int TimerExpired();
    int TimerTerminate(int force);
    // When an iteration is no longer begun, for a hard limit in seconds.
    static uint64_t SoftLimitMs(uint64_t limit_seconds);
    // True once the tick count reaches deadline_ms; false when none is set.
    bool DeadlinePassed();
    // deadline_ms = now + ms (ms 0 still sets a deadline: the current tick).
    void SetDeadlineIn(uint64_t ms);
    // The game has a result: the clock stands, showing the time played.
    void GameOver();
    // A new game: the counts start from zero, the clock runs and shows what
    // it showed before a result stopped it.
    void NewGame();
    // The game goes on (a move was taken back from its end): the clock runs again.
    void GoOn();
};
extern TIMERS_C timers;

// SDL timer callback, once a second: counts the clock, asks for a redraw and
// returns 1000 to be called again a second later.
uint32_t secondtick(uint32_t tick, void* param);

// Owns the SDL library: initialised with the given subsystem flags,
// shut down on destruction. A failed initialisation is reported (non-fatal)
// and leaves Initialized() false.
class SDL {
public:
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;

    explicit SDL(unsigned int flags);
    virtual ~SDL();
    SDL(const SDL&) = delete;
    SDL& operator=(const SDL&) = delete;
    bool Initialized() const { return m_initialized; }

private:
    bool m_initialized = false;
};
extern SDL* pSDL;

// Start-up of the clock once SDL is up: time_string "0:00:0", init_time and
// curr_time = tick count, the one-second secondtick registered (its id in
// timers.TID). False, after a non-fatal report, when SDL is not initialised or
// the timer cannot be added; the program then runs without the tick.
// Install core_hooks.redraw before calling it: secondtick reads the hook.
bool StartSecondTick(const SDL* sdl);

// ---------------------------------------------------------------------------
// Evaluation: control layer, piece, pawn, king and tactical terms
// ---------------------------------------------------------------------------
// Every table or flag the evaluation writes is per thread: the engine thread
// and the interface thread may evaluate positions of different stages at the
// same time.

// Control-value tables in force for White and Black (RecalcPosValues).
extern thread_local constinit const ETYPE_T* sq_p1;
extern thread_local constinit const ETYPE_T* sq_p2;
// Set when the tables in force changed: BoardControl1 then starts afresh.
extern thread_local constinit int new_pos_values;
// Rank-mirrored copies of the active slice's king-zone tables.
extern thread_local constinit ETYPE_T black_king_side[64];
extern thread_local constinit ETYPE_T black_queen_side[64];
extern const ETYPE_T null_pos_value[64];

// First index of each row's bonuses for a free path, rows 1..6.
inline constexpr int passed_pawn_index[6] = {0, 6, 11, 15, 18, 20};

// Square reads that treat an index off the 64 cells as empty: pawn and king
// terms step by index arithmetic, which in the 3D game can leave the grid.
inline int BoardAt(const POS_T* b, int sq) { return (unsigned)sq < 64 ? b->board[sq] : 0; }
inline uint64_t ToPiecesAt(const POS_T* b, int sq) {
    return (unsigned)sq < 64 ? b->topieces[sq] : 0;
}
inline bool PawnAt(const POS_T* b, int sq) {
    int p = BoardAt(b, sq);
    return p == W_PAWN || p == B_PAWN;
}

// Control layer (attack and control maps of the evaluation).
int GetControl(POS_T* b, uint64_t topieces, int piece, SQ_T sq);
ETYPE_T BoardControl1(POS_T* b);
ETYPE_T BoardControl2(POS_T* b);
ETYPE_T FindPins(POS_T* b);
void UpdatePawns(POS_T* b);
void UpdateTactics(POS_T* b);

// Driver, material, text.
ETYPE_T EvalEtype(POS_T* b, int alpha, int mode);
ETYPE_T PieceValues(POS_T* b);
ETYPE_T CheckMaterial(POS_T* b, ETYPE_T v);
void RecalcPosValues(POS_T* b);
char* EvalStr(int v);
// The value of a drawn position from White's point of view, with the
// computer's contempt for draws.
ETYPE_T DrawValue();

// Piece, pawn and king terms (value for the piece's owner).
ETYPE_T OutpostBonus(POS_T* b, int s, int outpost_index, int defended_index);
ETYPE_T EvalKnight(POS_T* b, int s);
ETYPE_T EvalBishop(POS_T* b, int s);
ETYPE_T EvalBishopXray(POS_T* b, int s);
ETYPE_T EvalRook(POS_T* b, int s);
ETYPE_T EvalQueen(POS_T* b, int s);
ETYPE_T EvalPawnWhite(POS_T* b, int s);
ETYPE_T EvalPawnBlack(POS_T* b, int s);
ETYPE_T EvalWhiteKing(POS_T* b, int s);
ETYPE_T EvalBlackKing(POS_T* b, int s);
ETYPE_T MobilityFunction(POS_T* b, int s);
// Whole-position terms, White's point of view.
ETYPE_T EvalMobility(POS_T* b);
ETYPE_T KingSafety(POS_T* b);
ETYPE_T WhiteKingSafety(POS_T* b);
ETYPE_T BlackKingSafety(POS_T* b);
// The cost to a side of the enemy pawns advancing on its king.
ETYPE_T PawnStorm(const POS_T* b, bool white);
// The kings against the passed pawns' paths in the 2D ending.
ETYPE_T PassedPawnKings(const POS_T* b);
// A positional term at its weight against the material: three quarters in
// the 2D game, whole in the 3D game (truncated toward zero, so both colours
// get the same). At full weight the 2D engine gave pawns away for activity
// it could not turn into a gain; matches scored better at three quarters
// (half, and five quarters, scored worse).
inline ETYPE_T WeighedTerm(ETYPE_T term) { return state.dmode == 2 ? term * 3 / 4 : term; }
ETYPE_T EvalTactics(POS_T* b);
ETYPE_T OverloadedPieces(POS_T* b);
ETYPE_T EvalSpecifics(POS_T* b);
ETYPE_T EvalMoveTactics(POS_T* b, MOVE_T* move);

// Static exchange estimate on the attack maps, White (W) or Black (B) to
// move: that side's material balance after the captures. The position is
// changed while it runs and restored before it returns.
int MiniQuiesceW(POS_T* b, uint64_t caplist, uint64_t donelist, int beta, int ply);
int MiniQuiesceB(POS_T* b, uint64_t caplist, uint64_t donelist, int beta, int ply);
// One capture of the estimate played on the maps (2D: with the slider step)
// and taken back; the attack sets the slider step changed are kept in
// MQ_SAVED_T and restored in reverse order.
struct MQ_SAVED_T {
    int n = 0;
    SQ_T sq[8];
    uint64_t set[8];
};
uint64_t MiniQuiesceCapture(POS_T* b, int attacker, int victim, uint64_t caplist, uint64_t donelist,
                            MQ_SAVED_T* saved);
void MiniQuiesceUndo(POS_T* b, int attacker, int victim, SQ_T from, int victim_code, const MQ_SAVED_T* saved);

// The terms of the last full evaluation made on this thread (White's view),
// for the terminal tool and the tests.
struct EVAL_TERMS_T {
    ETYPE_T material;       // w_material - b_material, bounded
    ETYPE_T specifics;
    ETYPE_T piece_values;
    ETYPE_T king_safety;
    ETYPE_T tactics;
    ETYPE_T board_control;
    ETYPE_T attack_counts;
    ETYPE_T mobility;
    ETYPE_T overload;
    ETYPE_T correction;     // CheckMaterial
    ETYPE_T total;          // eval_result
    int stage;
};
extern thread_local constinit EVAL_TERMS_T eval_terms;

#include <bit>
// Lowest and highest slot of a non-empty slot set, in one instruction: the
// evaluation walks slot sets in its inner loops.
inline int LowSlot(uint64_t m) { return std::countr_zero((uint32_t)m); }
inline int HighSlot(uint64_t m) { return 31 - std::countl_zero((uint32_t)m); }

// ---------------------------------------------------------------------------
// Search: alpha-beta, quiescence, ordering, MTD(f) driver, engine thread
// ---------------------------------------------------------------------------

#include <mutex>

extern thread_local constinit int nodes;
extern thread_local constinit int quiesce_nodes;
extern thread_local constinit int quiesce_start_ply;
extern thread_local constinit int search_depth;
extern thread_local constinit int null_ply[MAX_PLY];
extern thread_local constinit int mtd_count;
extern thread_local constinit int si_converged;

// The game's hash list that moves write and repetition reads: the live
// record, or a search's private copy of it (a search runs lines far past the
// game's end that must not touch the record).
extern thread_local constinit uint64_t* active_hash_list;

inline ETYPE_T flipv(ETYPE_T testv) { return 1 - testv; }
inline int ComputersMove(const POS_T* b) {
    bool computer_white = (b->flags & FLAG_TAMZOR_WHITE) != 0;
    return IsWhitesMove(b) == computer_white ? 1 : 0;
}

ETYPE_T abroot(POS_T* b, int depth, ETYPE_T testv, MOVE_T* move);
ETYPE_T abtest(POS_T* b, int depth0, ETYPE_T testv, int ply);
int DepthExtensions(POS_T* b, int depth, int ply, ETYPE_T v1, ETYPE_T testv);
void CutoffHint(POS_T* b, int m, int depth, int ply);
ETYPE_T StartQuiesce(POS_T* b, ETYPE_T testv, int ply);
ETYPE_T Quiesce(POS_T* b, ETYPE_T testv, int ply);
ETYPE_T QuiesceCheck(POS_T* b, ETYPE_T testv, int ply);
void OrderMoves(POS_T* b, MOVE_T* moves, int n, int ply, MOVE_T* m1, ETYPE_T testv);
int OrderFunction(POS_T* b, MOVE_T* m, int ply, ETYPE_T testv);
void OrderClear(int move_num);
void SortMoves(MOVE_T* m, int n);
void SimpleMerge(MOVE_T* m1, MOVE_T* m2, MOVE_T* d, int n1, int n2);
void RootMoves(POS_T* b, MOVE_T* move);
int TerribleMove(POS_T* b, MOVE_T* move, ETYPE_T* v);
ETYPE_T Search(POS_T* b, MOVE_T* move_t);
ETYPE_T MTDSearch(POS_T* b, MOVE_T* move, int depth, ETYPE_T guess);
int MtdConverged(POS_T* b, int alpha, int depth);
int SearchExpired();
// The side (1 White, -1 Black) the running search thinks for; 0 when none.
extern thread_local constinit int search_side;

// A search's own limits beside the whole-second clock, for the terminal
// tool: stop a new iteration once soft_deadline_ms (tick count) has passed;
// 0 = the window program's fixed rule.
extern std::atomic<uint64_t> soft_deadline_ms;
// Where the hard deadline may move once (tick count; 0 = it may not): an
// iteration whose value falls well below the last one's has found the move
// about to be played failing, and looks for another.
extern std::atomic<uint64_t> stretch_deadline_ms;
// Moves the hard deadline to stretch_deadline_ms, once.
void StretchDeadline();
// Set while the search thinks on the opponent's time (UCI go ponder): no
// soft limit ends it. Whoever set it sets the deadlines and clears it when
// the opponent plays the move expected.
extern std::atomic<bool> search_pondering;
// The window's choice to think on the player's time: while the player is
// to move, the engine thread searches their position, and the table it
// fills answers the computer's own search after their move. Off at first.
extern std::atomic<bool> ponder_on_players_time;
// One such search when it is wanted (the computer plays one side, the
// player is to move, nothing else is asked of the engine); it ends with
// the next nudge. The engine thread's loop calls it.
void ThinkOnPlayersTime();

// The live game is shared by the interface thread and the engine thread:
// whoever reads or changes state.position, the game record or the captured
// list holds this lock.
std::recursive_mutex& GameMutex();
void* MoveThread(void* parm);
void TamzorIdleFunc();
void TamzorLoses(const char* whylost);
// True while the engine thread exists.
bool EngineEngaged();
// Wakes the engine thread's poll at once (the game moved on).
void EngineNudge();
extern std::atomic<bool> makemovebusy;

// A search as the engine thread runs it (the computer plays the side to
// move), for the terminal tool, benchmarks and tests.
struct SEARCH_LIMITS_T {
    int maxdepth = 0;        // the ply limit (iterations stop below it); 0 keeps state.maxdepth
    int last_iteration = 0;  // the deepest iteration to search; 0 = none beyond maxdepth
    double seconds = 0;      // hard limit; 0 keeps the clock's whole-second limit
    double soft_seconds = 0; // no new iteration after this; 0 = the fixed rule
    bool no_soft_limit = false;  // deepen until the depth, the nodes, the hard limit or a stop
    uint64_t max_nodes = 0;  // stop once this many nodes were searched; 0 = no limit
    double stretch_seconds = 0;  // the hard limit grows to this when the value falls; 0 = it never does
    int mate_moves = 0;      // prove a mate in at most this many moves, or that none exists; 0 = play
    std::vector<std::string> only_moves;  // the root's moves to search (tokens); empty = all
    // An analysis (a hint, a review) beside the game: it plays for no side, so
    // the game's computer side and stop request are neither changed nor
    // obeyed; the search stops when this flag is set. It searches at full
    // strength unless `maxdepth` says otherwise.
    const std::atomic<bool>* cancel = nullptr;
    // The computer's move in a game: a move of the opening book, when it has
    // one, is played without a search (not with only_moves or mate_moves).
    bool book = false;
};
struct SEARCH_RESULT_T {
    ETYPE_T value = 0;       // for the side to move
    int depth = 0;           // deepest completed iteration
    uint64_t nodes = 0;      // interior and quiescence nodes
    uint64_t elapsed_ms = 0;
    bool book = false;       // the move came from the opening book (depth and value 0)
};
extern thread_local constinit int search_edepth;  // deepest completed depth of the last Search
// Iterations beyond this depth are not started (0: only the ply limit counts).
extern thread_local constinit int search_last_iteration;
// The running search ignores the soft limits (a fixed depth, an analysis).
extern thread_local constinit bool search_no_soft_limit;
// Interior and quiescence nodes after which the running search stops; 0 = none.
extern thread_local constinit uint64_t search_node_limit;
// A mate in at most this many moves is sought (0: an ordinary search). The
// search then prunes nothing before its depth, so an iteration of 2N - 1
// plies either finds the mate or proves there is none.
extern thread_local constinit int search_mate_moves;
// The running search's own ply limit, set by EngineSearch; 0 takes the
// game's (SearchPlyLimit, search/levels.h). Kept apart so that an analysis
// beside the game neither changes the game's setting nor is changed by it.
extern thread_local constinit int search_ply_limit;
// The deepest ply the running search has reached (quiescence included).
extern thread_local constinit int search_seldepth;
// The deepest iteration the running search has completed itself, 0 before
// the first: a depth taken from the table is not counted.
extern thread_local constinit int search_done_depth;
// When set, the root's moves are only these (move tokens), and the root's
// own table entry is neither trusted nor written: it holds the whole list's value.
extern thread_local constinit const std::vector<std::string>* search_only_moves;
// The stop flag of an analysis search (SEARCH_LIMITS_T::cancel); nullptr in a
// search for the computer's move.
extern thread_local constinit const std::atomic<bool>* search_cancel;
// Called after every iteration of Search with the root, the move and value
// so far and the completed depth (the terminal tool's UCI info lines).
using SEARCH_PROGRESS_FN = void (*)(POS_T* root, MOVE_T* move, ETYPE_T value, int depth);
extern thread_local constinit SEARCH_PROGRESS_FN search_progress;
ETYPE_T EngineSearch(POS_T* b, MOVE_T* move, const SEARCH_LIMITS_T& limits, SEARCH_RESULT_T* result);

// Several threads search together: each runs the iterative MTD(f) driver on
// the same root and they share the table, so that the helpers' results,
// found at other depths and in another order, answer the main thread's
// probes; the main thread's move is played. The count (1: the search runs
// alone) is read when a search starts; 1 to MaxSearchThreads().
void SetSearchThreads(int n);
int SearchThreads();
int MaxSearchThreads();  // the machine's cores, at most 64
// Set on a thread that helps another's search.
extern thread_local constinit bool search_helper;
// Set where this thread's searches must run alone (the weaker levels,
// whose strength was measured so).
extern thread_local constinit bool search_single_thread;
// Interior and quiescence nodes the helpers of the last search on this
// thread searched (0 without helpers).
extern thread_local constinit uint64_t search_helper_nodes;
// Starts `helpers` threads on the root, before the search changes it, and
// stops them (waiting until they have) with their node count.
void HelpersStart(POS_T* root, int helpers);
uint64_t HelpersStop();
// The depth the main thread is searching, for the helpers to keep ahead of.
void HelpersDepth(int depth);

// ---------------------------------------------------------------------------
// Games as text: FEN (2D game), move tokens, the texts people type
// ---------------------------------------------------------------------------

struct FEN_T {
    int board[64];              // piece codes by square index
    bool white_to_move;
    uint64_t castling;          // FLAG_WK_CASTLE .. FLAG_BQ_CASTLE
    SQ_T enpassant;             // the square a pawn just passed over, 0 for none
    int halfmove;
    int fullmove;
};

// Reads a FEN (six fields, or four without the move counters) and checks it
// for everything that needs no move generation. On failure `error` names
// the bad part.
bool ParseFen(const std::string& text, FEN_T* fen, std::string* error);

// Puts a FEN position into the live 2D game (a new 2D game set up first);
// refuses a position whose side not to move is in check.
bool SetUpFen(const std::string& text, std::string* error);

// The FEN of a 2D position.
std::string FenText(POS_T* b);

// ---------------------------------------------------------------------------
// Move tokens: <from><to>[q|r|b|n] with squares a1..h8 by index (UCI in the
// 2D game), or <board>@<pin>[q|r|b|n] for an attack-board move (qlw@ql3).
// ---------------------------------------------------------------------------

struct MOVE_TOKEN_T {
    bool board_move = false;
    int board = -1;             // 0..3 (QLW, QLB, KLW, KLB) for a board move
    SQ_T from = NO_SQUARE;      // piece move only
    SQ_T to = NO_SQUARE;        // destination square, or the destination pin
    char promotion = 0;         // 'Q', 'R', 'B', 'N', or 0
};

// Reads a token, any case; false with `error` set for a malformed one.
bool ParseMoveToken(const std::string& text, MOVE_TOKEN_T* token, std::string* error);

// The token of a move, lower case.
std::string MoveToken(const MOVE_T& move);

// The legal move of the position the token names; false with `error` set
// when it names none (illegal, or a promotion without its piece letter).
bool MoveFromToken(POS_T* b, const std::string& text, MOVE_T* move, std::string* error);

// The tokens of a list separated by commas or blanks.
std::vector<std::string> SplitMoveList(const std::string& list);

// Room for a LegalMoves result.
constexpr int LEGAL_LIST_SIZE = 4 * MOVE_LIST_SIZE;

// Moves as people enter them

struct MOVE_TEXT_T {
    MOVE_T move;
    std::string token;
    std::string text;           // the program's text; a promotion's names the piece ("a8Q")
    std::string bare;           // the text the move list holds (one for all promotions of a move)
};

// The legal moves of a position, in LegalMoves order, with their tokens and
// texts ("?" for a move the move list has no text for).
std::vector<MOVE_TEXT_T> LegalMoveTexts(POS_T* b);

// The legal move a person typed: a token, the program's text of the move
// (exact case; a trailing '+' or '#' is not needed; in the 3D game the text
// of another notation too when it names one move), or in the 2D game its
// standard algebraic notation. False with `error` set.
bool ReadMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* error);

// Standard algebraic notation (2D game), as other chess programs write and
// read it: the move's text in the position before it (the move a legal
// entry of its list), with "+" or "#" after it.
std::string SanText(POS_T* b, const MOVE_T& move);
// The legal move a SAN text names (Nf3, exd6, e8=Q, e8Q, O-O, 0-0; marks
// after it are ignored); false with `error` set when it names none or more.
bool SanMove(POS_T* b, const std::string& text, MOVE_T* move, std::string* error);

// ---------------------------------------------------------------------------
// Games as PGN: the 2D game in standard algebraic notation, the 3D game as
// move tokens with the program's texts beside them
// ---------------------------------------------------------------------------

struct PGN_TAGS_T {
    std::string event = "Tamzor game";
    std::string site = "?";
    std::string date;           // empty: today
    std::string round = "-";
    std::string white = "?";    // "Tamzor" for the computer's side
    std::string black = "?";
};

// The live game from its start, as PGN: the seven tags (and SetUp/FEN for a
// 2D game from another start; Variant, Rules and Board3D for a 3D game), the
// moves and the result, in lines under 80 characters.
std::string PgnText(const PGN_TAGS_T& tags);

struct PGN_MOVE_T {
    std::string text;           // the move as the file writes it, marks and all
    int line;                   // where it stands in the file
    long long clock_ms = -1;    // its [%clk] comment: the mover's clock after it; -1 none
};

struct PGN_GAME_T {
    std::vector<std::pair<std::string, std::string>> tags;
    std::vector<PGN_MOVE_T> moves;
    std::string result = "*";   // the result token that ends the game
    int first_line = 1;
    // A tag's value, empty when the game has none.
    std::string Tag(const std::string& name) const;
};

// Game `number` (1 the first) of a PGN text: its tags and the moves of its
// main line (comments, variations and annotation glyphs skipped). False with
// `error` naming the line of what cannot be read.
bool PgnParse(const std::string& text, int number, PGN_GAME_T* game, std::string* error);

// The PGN game last loaded, kept beside the live game so that writing it
// again keeps what the file said of it: its tags, in their order, and its
// result when the board does not decide the game. A new game forgets it.
struct PGN_SOURCE_T {
    std::vector<std::pair<std::string, std::string>> tags;
    std::string result = "*";        // the file's result
    std::string start;               // its kind and start position
    std::vector<std::string> moves;  // the tokens of its moves
    bool loaded = false;

    // Noted from the live game just loaded from `g`.
    void Note(const PGN_GAME_T& g);
    void Forget() { *this = PGN_SOURCE_T(); }
    // How the live game stands to it: 0 another game, 1 the same game taken
    // back or played on, 2 the very same moves.
    int Follows() const;
};
extern PGN_SOURCE_T pgn_source;

// Game `number` of a PGN text made the live game: a new game of its kind
// and rules from its start position, every move played, recorded and named
// as a player's is (nothing printed). False with `error` naming the line and
// the move; the live game is then as it was. The caller keeps the engine
// thread disengaged meanwhile.
bool PgnLoadGame(const std::string& text, int number, std::string* error);

// A PGN file's text; false with `error` set when it cannot be read or is
// larger than any collection of games kept at hand (64 MiB).
bool ReadPgnFile(const std::string& path, std::string* text, std::string* error);

// The 3D start position of an edited game as one text (cells by index,
// pins, side to move, castling, en passant), and back into a position.
std::string Board3DText(const POS_T* b);
bool ParseBoard3D(const std::string& text, POS_T* b, std::string* error);

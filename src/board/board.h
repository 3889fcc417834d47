// The board model: piece bookkeeping and start positions, the cells' connectivity
// and the geometry maps built on it, where the attack boards stand, the names of
// cells, FEN and move tokens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tamzor.h"

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
// Whether each side's men fit its 16 places (a piece beyond the set of the
// start takes a pawn's place); kings are not asked for.
bool PiecesFit(const POS_T* b);
// "White" or "Black" when that side has no king on the board (an edit under
// way), else null.
const char* MissingKing(const POS_T* b);
// "pawn" .. "king" for a piece code of either side, "piece" for any other.
const char* KindName(int piece);
// "QL white", "QL black", "KL white", "KL black"; null for no board id.
const char* AttackBoardName(int ab);
int RegenToPieces(POS_T* b);
void ShiftUp(PS_T* slots, int k, int* count);
// The rank of each side's rearmost pawn on every file (0: none), for the
// pawn terms.
void BuildPawnLoc(POS_T* b);
extern thread_local constinit unsigned char white_pawn_loc[8];
extern thread_local constinit unsigned char black_pawn_loc[8];
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
// FEN (the 2D game)
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
// The tokens of a list separated by commas or blanks.
std::vector<std::string> SplitMoveList(const std::string& list);

// The position as moves change it: making a move, the attack and control maps,
// the captured pieces, and the game's record, results and replay.
#pragma once

#include <cstdint>

#include "tamzor.h"

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
// Making moves, attack maps
// ---------------------------------------------------------------------------

int DoMove(POS_T* nb, POS_T* ob, MOVE_T* move);
int DoMovePart1(POS_T* nb, POS_T* ob, MOVE_T* move);
int DoMovePart2(POS_T* nb, MOVE_T* move);
void UpdateMoves(POS_T* b, POS_T* oldb, MOVE_T* move);
uint64_t XrayAttack(POS_T* b, SQ_T sq1, SQ_T sq2);
int XrayThrough(POS_T* b, SQ_T sq1, SQ_T sq2);
void GenerateSpreadmap(POS_T* b);

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

// ---------------------------------------------------------------------------
// Control layer: the attack and control maps the evaluation reads
// ---------------------------------------------------------------------------

int GetControl(POS_T* b, uint64_t topieces, int piece, SQ_T sq);
ETYPE_T BoardControl1(POS_T* b);
ETYPE_T BoardControl2(POS_T* b);
ETYPE_T FindPins(POS_T* b);
void UpdatePawns(POS_T* b);
void UpdateTactics(POS_T* b);

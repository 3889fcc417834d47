#include "tamzor.h"
#include "position/position.h"

CAP_T cap_t;

void CapturedPieceStore(int p) {
    if (p == 1) {
        cap_t.wht_pn++;
        cap_t.wht_cnt++;
    } else if (p >= 2 && p <= 5) {
        cap_t.wht_cnt++;
    } else if (p == -1) {
        cap_t.blk_pn++;
        cap_t.blk_cnt++;
    } else if (p >= -5 && p <= -2) {
        cap_t.blk_cnt++;
    }
    int n = cap_t.captured_list[0];
    if (n < 39) {  // at most 30 captures happen in a game
        cap_t.captured_list[n + 1] = (char)p;
        cap_t.captured_list[0] = (char)(n + 1);
    }
}

void CaptureReset() {
    cap_t.captured_list[0] = 0;
    cap_t.wht_cnt = cap_t.blk_cnt = cap_t.wht_pn = cap_t.blk_pn = 0;
}

int GetCapturedPiece(int i) { return (i >= 0 && i < 40) ? cap_t.captured_list[i] : 0; }

int CapturedPiece(const POS_T* before, const POS_T* after, const MOVE_T* m) {
    if (IsAB(m->piece_moving) || m->from >= 64 || m->to >= 64) return 0;
    const int mover = before->board[m->from], there = before->board[m->to];
    if (there && (there > 0) != (mover > 0)) return there;
    // a piece gone though none stood on the destination: taken en passant
    // (3D short castling removes and puts back its own rook: no change)
    if (PopCount32(after->material_mask) < PopCount32(before->material_mask)) return mover > 0 ? B_PAWN : W_PAWN;
    return 0;
}

// The connectivity of the three main levels alone, derived once from the
// projection rule: a step in a direction reaches the main-level cells at the
// neighbouring projected position, the White/Black level cell before the
// middle-level one. Attack-board cells have no entries here.
#include "tamzor.h"
#include "board/board.h"

int MainCellsAt(int file, int rank, SQ_T out[2]);

int MainCellsAt(int file, int rank, SQ_T out[2]) {
    int n = 0;
    if (file < 1 || file > 4) return 0;
    if (rank >= 1 && rank <= 8) out[n++] = (SQ_T)(32 + (file - 1) * 8 + (rank - 1));
    if (rank >= 3 && rank <= 6) out[n++] = (SQ_T)((file - 1) * 8 + (rank - 1));
    return n;
}

namespace {
BC_T core_bc;
BTO_T core_rec[1024];
SQ_T core_sq[1024][4];

const BC_T* BuildCore() {
    POS_T none{};  // main-level cells do not depend on the pins
    for (int k = 0; k < 16; k++) {
        for (int sq = 0; sq < 64; sq++) {
            int idx = k * 64 + sq;
            BTO_T* rec = &core_rec[idx];
            rec->tos = core_sq[idx];
            rec->tos[0] = rec->tos[1] = rec->tos[2] = NO_SQUARE;
            rec->tos[3] = 0;
            rec->n = 0;
            core_bc.all[idx] = rec;
            int f, r;
            if (BoardOfCell((SQ_T)sq) >= 0 || !ProjectedCell(&none, (SQ_T)sq, &f, &r)) continue;
            SQ_T cells[2];
            rec->n = (uint32_t)MainCellsAt(f + dir_dfile[k], r + dir_drank[k], cells);
            for (uint32_t i = 0; i < rec->n; i++) rec->tos[i] = cells[i];
        }
    }
    return &core_bc;
}
}  // namespace

const BC_T* const bc_core = BuildCore();

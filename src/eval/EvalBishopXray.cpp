// A bishop whose diagonals lead to the enemy king, queen or rooks, whatever
// stands between, keeps them under latent pressure.
#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"

ETYPE_T EvalBishopXray(POS_T* b, int s) {
    EnsureMaps(b);
    const PS_T& bishop = b->pieces[s];
    const int enemy = s < 16 ? 16 : 0;
    int n = 0;
    for (int off : {0, 1, 2, 3}) {
        const PS_T& t = b->pieces[enemy + off];
        if (off > 0 && !t.p) continue;
        if (t.pos < 64 && bishop.pos < 64 && capture_map[bishop.p + 6][bishop.pos][t.pos]) n++;
    }
    return coefficients[48 + n];
}

// The end a position has in itself, whatever the game record says: the
// board and moves commands show positions no game was judged in.
#include <vector>

#include "cli.h"
#include "tamzor.h"
#include "movegen/movegen.h"

std::string MateText(POS_T* b) {
    std::vector<MOVE_T> legal(LEGAL_LIST_SIZE);
    if (LegalMoves(b, legal.data()) > 0) return "";
    if (!(b->flags & FLAG_IN_CHECK)) return "stalemate: " + ResultText(0);
    return "checkmate: " + ResultText(IsWhitesMove(b) ? -1 : 1);
}

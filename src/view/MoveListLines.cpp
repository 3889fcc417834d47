#include "viewlogic.h"
#include "position/position.h"

int MoveListLines(int first, int last, int current, MOVE_LINE_T* lines, int room) {
    int count = 0;
    for (int ply = first + 1; ply <= last; ply++) {
        const bool white = (ply - 1) % 2 == 0;  // ply k is made from ply k-1
        if (white || count == 0) {
            if (count == room) break;
            lines[count] = MOVE_LINE_T{MoveNumberOfPly(ply - 1), nullptr, nullptr, 0};
            count++;
        }
        MOVE_LINE_T& l = lines[count - 1];
        (white ? l.white : l.black) = GameListGet(ply);
        (white ? l.white_ply : l.black_ply) = ply;
        if (ply == current) l.current = white ? 1 : -1;
    }
    return count;
}

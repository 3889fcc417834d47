#include "search/thinking.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"

std::vector<std::string> LineTexts(POS_T* root, const std::vector<MOVE_T>& line) {
    std::vector<std::string> texts;
    std::vector<POS_T> positions(2);
    positions[0] = *root;
    positions[0].oldb = nullptr;
    for (size_t i = 0; i < line.size(); i++) {
        POS_T* b = &positions[i & 1];
        POS_T* child = &positions[(i + 1) & 1];
        const std::string token = MoveToken(line[i]);
        std::string text;
        for (const MOVE_TEXT_T& t : LegalMoveTexts(b))
            if (t.token == token) text = t.text == "?" ? t.token : t.text;
        // a move the position does not have ends the line
        if (text.empty()) break;
        MOVE_T made = line[i];
        if (!ListedMove(b, &made) || !DoMove(child, b, &made)) break;
        child->oldb = nullptr;
        child->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
        texts.push_back(text);
    }
    return texts;
}

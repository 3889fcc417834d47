// The position drawn as text: the 2D board as usual; the 3D game as its
// three main levels and four attack boards, top (Black's end) to bottom,
// each cell labelled with the name the program gives it.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "tamzor.h"
#include "board/board.h"

namespace {
struct BLOCK_T {
    int top_rank;
    int level;
    std::vector<std::string> lines;
};

char CellChar(POS_T* b, SQ_T sq) {
    int p = b->board[sq];
    return p ? piecechar(p) : '.';
}

// A grid of cells: rows[r][c] are squares, top row first.
std::vector<std::string> Grid(POS_T* b, const std::string& title,
                              const std::vector<std::vector<SQ_T>>& rows) {
    std::vector<std::string> out{title};
    std::string head = "    ";
    for (SQ_T sq : rows.back()) {
        head += ' ';
        head += PosStr(b, sq)[0];
    }
    out.push_back(head);
    for (const auto& row : rows) {
        std::string line = "  ";
        line += PosStr(b, row[0])[1];
        line += ' ';
        for (SQ_T sq : row) {
            line += ' ';
            line += CellChar(b, sq);
        }
        out.push_back(line);
    }
    return out;
}

std::string Text2D(POS_T* b) {
    std::string s = "  +-----------------+\n";
    for (int y = 7; y >= 0; y--) {
        s += (char)('1' + y);
        s += " |";
        for (int x = 0; x < 8; x++) {
            s += ' ';
            s += CellChar(b, (SQ_T)(x * 8 + y));
        }
        s += " |\n";
    }
    s += "  +-----------------+\n    a b c d e f g h\n";
    return s;
}

std::string Text3D(POS_T* b) {
    std::vector<BLOCK_T> blocks;
    // Each level named as the cell names of the notation mark it: by its
    // letter (a1W, b3N, d8B), or by its height (b1(2)).
    const bool heights = LoadShared(state.notation) == NOTATION_STANDARD;
    const char* level_name[3] = {"White level (W)", "Neutral level (N)", "Black level (B)"};
    if (heights) {
        level_name[0] = "White level (2)";
        level_name[1] = "Middle level (4)";
        level_name[2] = "Black level (6)";
    }
    const int level_base[3] = {32, 2, 36};   // square of the level's a-file bottom cell
    const int level_low[3] = {1, 3, 5};      // lowest projected rank
    for (int l = 0; l < 3; l++) {
        std::vector<std::vector<SQ_T>> rows;
        for (int r = 3; r >= 0; r--) {
            std::vector<SQ_T> row;
            for (int f = 0; f < 4; f++) row.push_back((SQ_T)(level_base[l] + f * 8 + r));
            rows.push_back(row);
        }
        blocks.push_back({level_low[l] + 3, 2 + 2 * l, Grid(b, level_name[l], rows)});
    }
    const char* board_name[4] = {"QLW", "QLB", "KLW", "KLB"};
    for (int k = 0; k < 4; k++) {
        SQ_T c = WhereIsAB_C(k);
        int file, low;
        if (!ProjectedCell(b, c, &file, &low)) continue;
        char title[64];
        const char* pin = GetABString(b, b->whereis_board[k]);
        const char* owner = b->whites_board[k] ? "White's" : "Black's";
        if (heights)
            snprintf(title, sizeof title, "%s on %s, level %d, %s", board_name[k], pin ? pin : "?",
                     GetAttackBoardLevel(b, k), owner);
        else  // its cells are named after the pin (z0QL1)
            snprintf(title, sizeof title, "%s on %s, %s", board_name[k], pin ? pin : "?", owner);
        std::vector<std::vector<SQ_T>> rows = {{c + 1, c + 9}, {c, c + 8}};
        blocks.push_back({low + 1, GetAttackBoardLevel(b, k), Grid(b, title, rows)});
    }
    std::stable_sort(blocks.begin(), blocks.end(), [](const BLOCK_T& x, const BLOCK_T& y) {
        return x.top_rank != y.top_rank ? x.top_rank > y.top_rank : x.level > y.level;
    });
    std::string s;
    for (size_t i = 0; i < blocks.size();) {
        // Boards standing at the same height and rank are drawn side by side.
        size_t j = i + 1;
        while (j < blocks.size() && blocks[j].top_rank == blocks[i].top_rank &&
               blocks[j].level == blocks[i].level)
            j++;
        size_t height = 0;
        for (size_t k = i; k < j; k++) height = std::max(height, blocks[k].lines.size());
        for (size_t line = 0; line < height; line++) {
            std::string row;
            for (size_t k = i; k < j; k++) {
                std::string part = line < blocks[k].lines.size() ? blocks[k].lines[line] : "";
                if (k + 1 < j) part.resize(std::max<size_t>(part.size() + 4, 36), ' ');
                row += part;
            }
            while (!row.empty() && row.back() == ' ') row.pop_back();
            s += row + "\n";
        }
        s += "\n";
        i = j;
    }
    return s;
}
}  // namespace

std::string BoardText(POS_T* b) {
    std::string s = state.dmode == 2 ? "2D chess, " : "3D chess, ";
    const std::string mate = MateText(b);
    if (!mate.empty()) s += mate;
    else s += IsWhitesMove(b) ? "White to move" : "Black to move";
    if (mate.empty() && (b->flags & FLAG_IN_CHECK)) s += ", in check";
    s += "\n\n";
    s += state.dmode == 2 ? Text2D(b) : Text3D(b);
    return s;
}

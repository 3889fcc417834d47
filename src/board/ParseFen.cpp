// Reading a FEN. Everything that can be judged without generating moves is
// checked here, so that the engine never sees a board it cannot hold.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"

namespace {
int PieceOfChar(char c) {
    switch (c) {
        case 'P': return W_PAWN;
        case 'N': return W_KNIGHT;
        case 'B': return W_BISHOP;
        case 'R': return W_ROOK;
        case 'Q': return W_QUEEN;
        case 'K': return W_KING;
        case 'p': return B_PAWN;
        case 'n': return B_KNIGHT;
        case 'b': return B_BISHOP;
        case 'r': return B_ROOK;
        case 'q': return B_QUEEN;
        case 'k': return B_KING;
        default: return P_NONE;
    }
}

bool Fail(std::string* error, const std::string& why) {
    *error = "bad FEN: " + why;
    return false;
}

// A non-negative decimal counter no larger than `max`.
bool ReadCounter(const std::string& s, int max, int* value) {
    if (s.empty()) return false;
    long long v = 0;
    for (char c : s) {
        if (!isdigit((unsigned char)c)) return false;
        v = v * 10 + (c - '0');
        if (v > max) return false;
    }
    *value = (int)v;
    return true;
}

// The side's pieces must fit its 16 slots: the layout has room for one
// queen, two rooks, two bishops and two knights; more of a kind share the
// eight pawn places with the pawns.
bool PiecesFit(const int* board, int colour, std::string* error) {
    int count[7] = {};
    for (int sq = 0; sq < 64; sq++)
        if (board[sq] && (board[sq] > 0) == (colour > 0)) count[abs(board[sq])]++;
    const char* side = colour > 0 ? "White" : "Black";
    if (count[6] != 1)
        return Fail(error, std::string(side) + (count[6] ? " has more than one king" : " has no king"));
    if (count[1] > 8) return Fail(error, std::string(side) + " has more than 8 pawns");
    int extra = 0;
    const int room[6] = {0, 0, 2, 2, 2, 1};
    for (int k = 2; k <= 5; k++)
        if (count[k] > room[k]) extra += count[k] - room[k];
    if (count[1] + extra > 8)
        return Fail(error, std::string(side) + " has more pieces than a game can produce");
    return true;
}
}  // namespace

bool ParseFen(const std::string& text, FEN_T* fen, std::string* error) {
    std::istringstream in(text);
    std::vector<std::string> f;
    for (std::string w; in >> w;) f.push_back(w);
    if (f.size() != 6 && f.size() != 4)
        return Fail(error, "'" + text + "' has " + std::to_string(f.size()) +
                               " fields, expected 6 (or 4 without the move counters)");
    memset(fen->board, 0, sizeof fen->board);

    // Placement: ranks 8 to 1, files a to h.
    int rank = 7, file = 0;
    for (char c : f[0]) {
        if (c == '/') {
            if (file != 8) return Fail(error, "rank " + std::to_string(rank + 1) + " of '" + f[0] + "' does not have 8 squares");
            if (--rank < 0) return Fail(error, "'" + f[0] + "' has more than 8 ranks");
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8) return Fail(error, "rank " + std::to_string(rank + 1) + " of '" + f[0] + "' has more than 8 squares");
        } else if (int p = PieceOfChar(c)) {
            if (file >= 8) return Fail(error, "rank " + std::to_string(rank + 1) + " of '" + f[0] + "' has more than 8 squares");
            if ((p == W_PAWN || p == B_PAWN) && (rank == 0 || rank == 7))
                return Fail(error, std::string("pawn on rank ") + (rank ? "8" : "1") + " in '" + f[0] + "'");
            fen->board[file * 8 + rank] = p;
            file++;
        } else {
            return Fail(error, std::string("unknown piece '") + c + "' in '" + f[0] + "'");
        }
    }
    if (rank != 0 || file != 8) return Fail(error, "'" + f[0] + "' does not describe 8 ranks of 8 squares");
    if (!PiecesFit(fen->board, 1, error) || !PiecesFit(fen->board, -1, error)) return false;

    if (f[1] != "w" && f[1] != "b") return Fail(error, "side to move '" + f[1] + "' is not w or b");
    fen->white_to_move = f[1] == "w";

    fen->castling = 0;
    if (f[2] != "-") {
        for (char c : f[2]) {
            const char* letters = "KQkq";
            const char* at = strchr(letters, c);
            uint64_t bit = at && c ? 1ull << (at - letters) : 0;
            if (!bit || (fen->castling & bit)) return Fail(error, "castling rights '" + f[2] + "'");
            fen->castling |= bit;
        }
    }

    fen->enpassant = 0;
    if (f[3] != "-") {
        const std::string& e = f[3];
        if (e.size() != 2 || e[0] < 'a' || e[0] > 'h' || (e[1] != '3' && e[1] != '6'))
            return Fail(error, "en passant square '" + e + "'");
        SQ_T sq = (SQ_T)((e[0] - 'a') * 8 + (e[1] - '1'));
        // The square behind a pawn of the side that just moved, which
        // passed over it from its start square.
        int step = fen->white_to_move ? -1 : 1;
        int pawn = fen->white_to_move ? B_PAWN : W_PAWN;
        if (YPOS(sq) != (fen->white_to_move ? 5u : 2u))
            return Fail(error, "en passant square '" + e + "' is on the wrong rank for the side to move");
        if (fen->board[sq + step] != pawn || fen->board[sq] || fen->board[sq - step])
            return Fail(error, "en passant square '" + e + "' does not follow a pawn's double step");
        fen->enpassant = sq;
    }

    fen->halfmove = 0;
    fen->fullmove = 1;
    if (f.size() == 6) {
        if (!ReadCounter(f[4], 100000, &fen->halfmove))
            return Fail(error, "halfmove clock '" + f[4] + "'");
        // The number is kept apart from the game record, which starts empty
        // at the FEN however late in a game it was taken.
        if (!ReadCounter(f[5], FEN_MAX_FULLMOVE, &fen->fullmove))
            return Fail(error, "fullmove number '" + f[5] + "' (1 to " + std::to_string(FEN_MAX_FULLMOVE) + ")");
        if (fen->fullmove == 0) fen->fullmove = 1;
    }
    return true;
}

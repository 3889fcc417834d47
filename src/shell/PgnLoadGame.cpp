// A game of a PGN text made the live game, or nothing changed at all.
#include <strings.h>

#include <algorithm>

#include "shell/clock.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

namespace {
// The game's kind from its Variant tag: 2, 3, or 0 for one not played here.
int GameKind(const PGN_GAME_T& g) {
    const std::string v = g.Tag("Variant");
    if (v.empty() || !strcasecmp(v.c_str(), "standard") || !strcasecmp(v.c_str(), "chess") ||
        !strcasecmp(v.c_str(), "2D"))
        return 2;
    if (!strcasecmp(v.c_str(), "3D")) return 3;
    return 0;
}

bool Fail(std::string* error, int line, const std::string& what) {
    *error = (line > 0 ? "line " + std::to_string(line) + ": " : std::string()) + what;
    return false;
}

// Sets up the game of `g` on the live state; false with `error` set.
bool SetUpPgnGame(const PGN_GAME_T& g, std::string* error) {
    const int kind = GameKind(g);
    if (!kind) return Fail(error, g.first_line, "the variant '" + g.Tag("Variant") + "' is not played here");
    const int notation = state.notation, maxdepth = LoadShared(state.maxdepth);
    if (!NewGameState(kind)) return Fail(error, 0, "the start position cannot be set up");
    state.notation = notation;
    StoreShared(state.maxdepth, maxdepth);
    StoreShared(state.tamzor, TAMZOR_OFF);
    if (kind == 3) {
        const std::string rules = g.Tag("Rules");
        if (rules.empty() || !strcasecmp(rules.c_str(), "tdcl"))
            state.rules = RULES_TDCL;
        else if (!strcasecmp(rules.c_str(), "tournament"))
            state.rules = RULES_TOURNAMENT;
        else
            return Fail(error, g.first_line, "unknown attack-board rules '" + rules + "' (tdcl or tournament)");
    }
    const std::string fen = g.Tag("FEN"), board3d = g.Tag("Board3D");
    if (kind == 2 && !fen.empty()) {
        std::string why;
        if (!SetUpFen(fen, &why)) return Fail(error, g.first_line, "the FEN tag: " + why);
    } else if (kind == 3 && !board3d.empty()) {
        POS_T* b = &state.position;
        std::string why;
        if (!ParseBoard3D(board3d, b, &why)) return Fail(error, g.first_line, "the Board3D tag: " + why);
        if (!CreatePBoard(b)) return Fail(error, g.first_line, "the Board3D tag holds no game (kings, pieces)");
        UpdateMaps(b);
        DropStaleEnPassant(b);
        const bool white = IsWhitesMove(b);
        const SQ_T own = b->pieces[white ? 0 : 16].pos, other = b->pieces[white ? 16 : 0].pos;
        const uint64_t by_white = 0xFFFF, by_black = 0xFFFF0000;
        if (b->topieces[other] & (white ? by_white : by_black))
            return Fail(error, g.first_line, "the Board3D tag: the side not to move is in check");
        if (b->topieces[own] & (white ? by_black : by_white)) b->flags |= FLAG_IN_CHECK;
        state.oeb.pos_0 = *b;
        state.oeb.inited = 1;
    }
    // every move as a player's, checked against the position's own list
    const int first = state.position.move_num;
    std::vector<long long> clocks;
    for (size_t i = 0; i < g.moves.size(); i++) {
        const PGN_MOVE_T& pm = g.moves[i];
        POS_T* b = &state.position;
        // named as the file numbers it: "4. Qh5", "4... Nf6"
        const std::string which =
            std::to_string(MoveNumberOfPly(b->move_num)) + (IsWhitesMove(b) ? ". " : "... ") + pm.text + ": ";
        if (b->move_num >= GAME_MAX_PLIES) return Fail(error, pm.line, which + "the game record is full");
        MOVE_T m;
        std::string why;
        if (!ReadMove(b, pm.text, &m, &why)) return Fail(error, pm.line, which + why);
        const int ply = b->move_num;
        if (!DoMove(b, b, &m)) return Fail(error, pm.line, which + "not legal here");
        state.game_record[ply] = m;  // as made, as a player's move is recorded
        clocks.push_back(pm.clock_ms);
        b->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
    }
    // the whole game once more from its start, as a restore rebuilds it:
    // the record's texts and the captured pieces come with it
    if (!RebuildGame(state.position.move_num, true, "PgnLoadGame", "a move of the PGN game does not replay"))
        return Fail(error, 0, "the game does not replay");
    StoreShared(state.tamzor, TAMZOR_OFF);  // who plays on is the caller's choice
    state.demo_mode = 0;
    // a timed game goes on with the clocks its last comments give; a control
    // not offered here is played untimed
    game_clock.ResumeMoves(std::max(TimeControlOfTag(g.Tag("TimeControl")), 0), first, clocks);
    pgn_source.Note(g);
    return true;
}
}  // namespace

bool PgnLoadGame(const std::string& text, int number, std::string* error) {
    PGN_GAME_T g;
    if (!PgnParse(text, number, &g, error)) return false;
    static STATE_T backup;
    backup = state;
    const PGN_SOURCE_T source = pgn_source;
    const GAME_CLOCK_C clock = game_clock;
    if (SetUpPgnGame(g, error)) return true;
    pgn_source = source;
    game_clock = clock;
    // As it was: the record's texts and captured pieces, which live beside
    // the state, rebuilt from it; then the state itself, settings and all.
    state = backup;
    RebuildGame(state.position.move_num, true, "PgnLoadGame", "the game before the PGN does not replay");
    state = backup;
    return false;
}

// The review kept beside the live game, and what it says of a move: the
// mark in the move list, a note for the player, words for the PGN file.
#include <cstdio>
#include <mutex>
#include <sstream>

#include "review.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"

namespace {
std::mutex kept_mutex;
GAME_REVIEW_T kept;
bool have_kept = false;

bool SameMove(const MOVE_T& a, const MOVE_T& b) {
    return a.from == b.from && a.to == b.to && a.move_symbol == b.move_symbol;
}

// The kept review's ply when the live game is still that game up to it.
// Called with kept_mutex held.
const REVIEW_PLY_T* LivePly(int ply) {
    if (!have_kept || kept.dmode != state.dmode || kept.from_setup != (state.oeb.inited != 0)) return nullptr;
    if (kept.from_setup && state.oeb.pos_0.hash1 != kept.start_key) return nullptr;
    const REVIEW_PLY_T* p = kept.At(ply);
    if (!p || ply >= state.position.move_num) return nullptr;
    for (int i = kept.first; i <= ply; i++)
        if (!SameMove(state.game_record[i], kept.plies[i - kept.first].move)) return nullptr;
    return p;
}

std::string Pawns(double v) {
    char s[16];
    snprintf(s, sizeof s, "%.1f", v);
    return s;
}
}  // namespace

std::string ReviewLineText(POS_T* b, const std::vector<MOVE_T>& line, bool tokens) {
    static thread_local uint64_t hashes[GAME_RECORD_SIZE];
    static thread_local POS_T positions[2];
    uint64_t* const saved = active_hash_list;
    active_hash_list = hashes;
    positions[0] = *b;
    positions[0].oldb = nullptr;
    std::string out;
    for (size_t i = 0; i < line.size(); i++) {
        POS_T* pos = &positions[i & 1];
        POS_T* child = &positions[(i + 1) & 1];
        MOVE_T m = line[i];
        if (!ListedMove(pos, &m)) break;
        std::string text;
        if (tokens) {
            text = MoveToken(m);
        } else if (state.dmode == 2) {
            text = SanText(pos, m);
        } else {
            const std::string token = MoveToken(m);
            for (const MOVE_TEXT_T& t : LegalMoveTexts(pos))
                if (t.token == token) text = t.text;
            if (text.empty() || text == "?") text = token;
        }
        const int number = MoveNumberOfPly(pos->move_num);
        if (IsWhitesMove(pos))
            out += (out.empty() ? "" : " ") + std::to_string(number) + ". ";
        else if (i == 0)
            out += std::to_string(number) + "... ";
        else
            out += " ";
        out += text;
        MOVE_T made = m;
        if (!DoMove(child, pos, &made)) break;
        child->oldb = nullptr;
        child->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
    }
    active_hash_list = saved;
    return out;
}

void KeepReview(const GAME_REVIEW_T& review) {
    std::lock_guard<std::mutex> lk(kept_mutex);
    kept = review;
    have_kept = true;
}

void ForgetReview() {
    std::lock_guard<std::mutex> lk(kept_mutex);
    kept = GAME_REVIEW_T();
    have_kept = false;
}

bool ReviewedPly(int ply, REVIEW_PLY_T* out) {
    std::lock_guard<std::mutex> lk(kept_mutex);
    const REVIEW_PLY_T* p = LivePly(ply);
    if (p && out) *out = *p;
    return p != nullptr;
}

const char* ReviewMarkOfPly(int ply) {
    std::lock_guard<std::mutex> lk(kept_mutex);
    const REVIEW_PLY_T* p = LivePly(ply);
    return p ? MarkText(p->mark) : "";
}

std::string ReviewNote(int ply) {
    REVIEW_PLY_T p;
    if (!ReviewedPly(ply, &p)) return "";
    if (p.mark == MARK_NONE) return p.loss < 0.05 ? p.text + ", fine" : p.text + ", lost " + Pawns(p.loss);
    std::string note = p.text + MarkText(p.mark) + " lost " + Pawns(p.loss);
    if (!p.line_note.empty()) note += ": better " + p.line_note;
    return note;
}

std::vector<std::string> ReviewPgnWords(int ply) {
    REVIEW_PLY_T p;
    std::vector<std::string> words;
    if (!ReviewedPly(ply, &p)) return words;
    if (p.mark != MARK_NONE) words.push_back("$" + std::to_string(MarkNag(p.mark)));
    // the value after the move, for White
    if (p.after_known) words.push_back("{[%eval " + EvalText(p.white ? p.after : -p.after) + "]}");
    if (!p.line_pgn.empty()) {
        std::istringstream in(p.line_pgn);
        std::vector<std::string> line;
        for (std::string w; in >> w;) line.push_back(w);
        line.front() = "(" + line.front();
        line.back() += ")";
        words.insert(words.end(), line.begin(), line.end());
    }
    return words;
}

std::string ReviewSummary(const GAME_REVIEW_T& review) {
    std::string out;
    for (int side = 0; side < 2; side++) {
        const bool white = side == 0;
        int count[4] = {0, 0, 0, 0}, moves = 0;
        double loss = 0;
        for (const REVIEW_PLY_T& p : review.plies)
            if (p.white == white) {
                count[p.mark]++;
                moves++;
                loss += p.loss;
            }
        char line[160];
        snprintf(line, sizeof line, "%s: %d moves; blunders (?\?) %d, mistakes (?) %d, inaccuracies (?!) %d; "
                 "average loss %.2f pawns\n", white ? "White" : "Black", moves, count[MARK_BLUNDER],
                 count[MARK_MISTAKE], count[MARK_INACCURACY], moves ? loss / moves : 0.0);
        out += line;
    }
    return out;
}

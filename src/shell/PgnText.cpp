// The live game as PGN. The 2D game's moves are written in standard
// algebraic notation, which every chess program reads. The 3D game keeps the
// same shape: each move is its token, which replays it exactly whatever the
// notation, followed by the program's own text of it in braces for people.
#include <cstring>
#include <ctime>
#include <algorithm>
#include <set>

#include "search/review.h"
#include "shell/clock.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
std::string Quoted(const std::string& s) {
    std::string q = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

std::string Today() {
    time_t now = time(nullptr);
    struct tm t;
    localtime_r(&now, &t);
    char buf[16];
    strftime(buf, sizeof buf, "%Y.%m.%d", &t);
    return buf;
}

const char* ResultToken(int winner) {
    switch (winner) {
        case 1: return "1-0";
        case -1: return "0-1";
        case 2: return "1/2-1/2";
        default: return "*";
    }
}

// The program's text of a 3D move in the position before it, as the game
// record shows it: with the promoted piece, and "+" or "#".
std::string RecordText(POS_T* b, const MOVE_T& move, const POS_T& after) {
    static thread_local MOVE_T list[MOVE_LIST_SIZE];
    GetMoveCount(b, list);
    MOVE_T m = move;
    const char* listed = ShortDisambiguateMovestr(&m);
    std::string text = listed ? listed : MoveToken(move);
    const char s = move.move_symbol;
    if ((s == 'Q' || s == 'R' || s == 'B' || s == 'N') && (text.empty() || text.back() != s)) text += s;
    if (after.flags & FLAG_IN_CHECK) {
        POS_T copy = after;
        text += IsCheckmate(&copy) ? '#' : '+';
    }
    return text;
}

// Words joined into lines under 80 characters.
struct LINES_T {
    std::string out, line;
    void Add(const std::string& word) {
        if (!line.empty() && line.size() + 1 + word.size() > 79) {
            out += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    std::string Done() {
        if (!line.empty()) out += line + "\n";
        line.clear();
        return out;
    }
};
}  // namespace

std::string PgnText(const PGN_TAGS_T& tags) {
    const bool is2d = state.dmode == 2;
    static thread_local POS_T positions[2];
    POS_T* pos = &positions[0];
    if (state.oeb.inited) {
        *pos = state.oeb.pos_0;
        pos->bc_active = nullptr;
        pos->moves = nullptr;
        pos->oldb = nullptr;
        CreatePBoard(pos);
        UpdateMaps(pos);
    } else {
        StartPosition(pos);
    }
    const int first = pos->move_num < 0 ? 0 : pos->move_num;

    // The replay writes its keys into a list of its own, which then holds
    // the game's repetitions for judging its end.
    static thread_local uint64_t hashes[GAME_RECORD_SIZE];
    memcpy(hashes, state.hash_list, sizeof hashes);
    uint64_t* const saved_list = active_hash_list;
    active_hash_list = hashes;

    LINES_T moves;
    bool complete = true;
    const int last = state.position.move_num < GAME_MAX_PLIES ? state.position.move_num : GAME_MAX_PLIES;
    for (int ply = first; ply < last; ply++) {
        MOVE_T m = state.game_record[ply];
        POS_T* child = &positions[(ply - first + 1) & 1];
        MOVE_T made = m;
        if (!ListedMove(pos, &m) || !(made = m, DoMove(child, pos, &made))) {
            complete = false;  // a record that does not replay ends here
            break;
        }
        child->oldb = nullptr;
        child->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
        if (IsWhitesMove(pos))
            moves.Add(std::to_string(MoveNumberOfPly(ply)) + ".");
        else if (ply == first)
            moves.Add(std::to_string(MoveNumberOfPly(ply)) + "...");
        if (is2d) {
            moves.Add(SanText(pos, m));
        } else {
            moves.Add(MoveToken(m));
            moves.Add("{" + RecordText(pos, m, *child) + "}");
        }
        // a reviewed move's mark and value, the mover's clock after the move
        // (increment added), then the better line
        std::vector<std::string> words = ReviewPgnWords(ply);
        auto line = std::find_if(words.begin(), words.end(), [](const std::string& w) { return w[0] == '('; });
        const long long clock = game_clock.AfterMove(ply + 1);
        if (clock >= 0) words.insert(line, "{" + ClockComment(clock) + "}");
        for (const std::string& word : words) moves.Add(word);
        pos = child;
    }
    int winner = state.position.winner;
    if (!winner && complete) {
        const char* why;
        winner = JudgeReached(pos, "", &why);
    }
    active_hash_list = saved_list;
    // A game read from a file keeps what the file said of it while it is
    // that game; its result where the board leaves the game undecided (a
    // resignation, a draw agreed).
    const int follows = pgn_source.Follows();
    auto file_tag = [&](const char* name) {
        if (follows)
            for (const auto& [n, v] : pgn_source.tags)
                if (n == name) return v;
        return std::string();
    };
    const std::string result = !winner && follows == 2 ? pgn_source.result : ResultToken(winner);
    moves.Add(result);

    std::string out;
    auto tag = [&out](const char* name, const std::string& value) {
        out += std::string("[") + name + " " + Quoted(value) + "]\n";
    };
    // the file's value; what it leaves unknown is written so
    auto from_file = [&](const char* name, const std::string& unknown, const std::string& ours) {
        if (!follows) return ours;
        const std::string v = file_tag(name);
        return v.empty() ? unknown : v;
    };
    // the computer's name for a side the file leaves unnamed
    auto player = [&](const char* name, const std::string& ours) {
        const std::string v = file_tag(name);
        return v.empty() || v == "?" ? ours : v;
    };
    tag("Event", from_file("Event", "?", tags.event));
    tag("Site", from_file("Site", "?", tags.site));
    tag("Date", from_file("Date", "????.??.??", tags.date.empty() ? Today() : tags.date));
    tag("Round", from_file("Round", "?", tags.round));
    tag("White", player("White", tags.white));
    tag("Black", player("Black", tags.black));
    tag("Result", result);
    // A timed game says its control; an untimed one of ours says "-", and one
    // read from a file says what the file said (nothing, or a control not
    // offered here).
    if (game_clock.Timed() || !follows)
        tag("TimeControl", TimeControlTag(game_clock.Control()));
    else if (!file_tag("TimeControl").empty())
        tag("TimeControl", file_tag("TimeControl"));
    const bool on_time = game_clock.Flagged() && state.position.winner;
    if (on_time) tag("Termination", "time forfeit");
    if (is2d && state.oeb.inited) {
        tag("SetUp", "1");
        tag("FEN", FenText(&state.oeb.pos_0));
    }
    if (!is2d) {
        tag("Variant", "3D");
        // no rules set (an old saved game) moves the boards as tournament rules do
        tag("Rules", state.rules == RULES_TDCL ? "tdcl" : "tournament");
        if (state.oeb.inited) tag("Board3D", Board3DText(&state.oeb.pos_0));
    }
    // The file's other tags in its order, but those written above from the
    // game itself, and those that describe its end when the moves changed.
    static const std::set<std::string> ours = {"Event", "Site",  "Date",  "Round", "White",  "Black",
                                               "Result", "SetUp", "FEN", "Variant", "Rules", "Board3D",
                                               "TimeControl"};
    if (follows)
        for (const auto& [name, value] : pgn_source.tags)
            if (!ours.count(name) && (follows == 2 || (name != "PlyCount" && name != "Termination")) &&
                !(on_time && name == "Termination"))
                tag(name.c_str(), value);
    return out + "\n" + moves.Done();
}

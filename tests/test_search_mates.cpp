// The engine finds forced mates: the mate problems of the tactical test
// suite, and mates built by hand on the tri-level board.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <regex>
#include <set>
#include <string>

#include "cli.h"
#include "mate_prover.h"
#include "test_util.h"

namespace {

struct PROBLEM_T {
    std::string fen, id;
    int mate_in;
    std::string bm;  // the suite's best move, as it writes it (Qxh5)
};

// Whether a move is the one the suite names: its piece and its square.
bool IsBestMove(const MOVE_T& m, std::string bm) {
    while (!bm.empty() && (bm.back() == '+' || bm.back() == '#')) bm.pop_back();
    if (bm.size() < 2) return false;
    const char piece = isupper((unsigned char)bm[0]) ? bm[0] : 'P';
    const std::string square = {(char)('a' + XPOS(m.to)), (char)('1' + YPOS(m.to))};
    return "PNBRQK"[abs(m.piece_moving) - 1] == piece && bm.substr(bm.size() - 2) == square;
}

std::vector<PROBLEM_T> MateProblems() {
    std::ifstream in(std::string(TAMZOR_SOURCE_DIR) + "/tests/data/wac-mates.epd");  // the mate lines of the tactical suite
    std::vector<PROBLEM_T> out;
    std::regex dm("dm ([23]);"), id("id \"([^\"]+)\""), bm("bm ([^;]+);");
    for (std::string line; std::getline(in, line);) {
        std::smatch m, i, b;
        if (!std::regex_search(line, m, dm) || !std::regex_search(line, i, id) || !std::regex_search(line, b, bm))
            continue;
        std::istringstream fields(line);
        std::string f[4];
        for (auto& s : f) fields >> s;
        out.push_back({f[0] + " " + f[1] + " " + f[2] + " " + f[3] + " 0 1", i[1], std::stoi(m[1]), b[1]});
    }
    return out;
}

// The value of a mate in n moves for the side to move at the root.
ETYPE_T MateIn(int n) { return 400001 - 2 * n; }

void ExpectMate(const PROBLEM_T& p, int extra_plies) {
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    ASSERT_TRUE(SetUpGame(opt));
    std::string error;
    ASSERT_TRUE(SetUpFen(p.fen, &error)) << p.id << ": " << error;
    SEARCH_LIMITS_T limits;
    // the null move at the opponent's nodes reduces by four plies: the mate
    // shows a few plies beyond its length
    limits.maxdepth = 2 * p.mate_in + extra_plies;
    // depth ends these searches; the limits only guard the run
    limits.seconds = 300;
    limits.soft_seconds = 300;
    MOVE_T move;
    SEARCH_RESULT_T r;
    hash_c.HashReset();
    EngineSearch(&state.position, &move, limits, &r);
    // A mate score carried through the table may count one ply more than
    // the mate's length; the move must then be the suite's own.
    if (r.value == MateIn(p.mate_in) - 1)
        EXPECT_TRUE(IsBestMove(move, p.bm)) << p.id << " plays " << MoveToken(move) << ", not " << p.bm;
    else
        EXPECT_GE(r.value, MateIn(p.mate_in)) << p.id << " value " << r.value << " depth " << r.depth;
    // the move found mates: after it the opponent is mated in n - 1
    MOVE_T m = move;
    POS_T child;
    EXPECT_EQ(DoMove(&child, &state.position, &m), 1) << p.id;
}

// The problems this engine solves in well under a second; the rest take it
// up to minutes and run with the long tests.
const std::set<std::string> fast = {
    "WAC.004", "WAC.005", "WAC.012", "WAC.027", "WAC.050", "WAC.054", "WAC.057", "WAC.060",
    "WAC.061", "WAC.064", "WAC.079", "WAC.084", "WAC.097", "WAC.099", "WAC.102", "WAC.136",
    "WAC.143", "WAC.154", "WAC.156", "WAC.160", "WAC.172", "WAC.177", "WAC.179", "WAC.184",
    "WAC.186", "WAC.188", "WAC.197", "WAC.219", "WAC.246", "WAC.295"};

TEST(SearchMates, TacticalSuiteMatesFast) {
    auto problems = MateProblems();
    ASSERT_EQ(problems.size(), 38u);
    for (const auto& p : problems)
        if (fast.count(p.id)) ExpectMate(p, 4);
}

TEST(SearchMates, LongTacticalSuiteMatesTheRest) {
    SKIP_UNLESS_LONG();
    for (const auto& p : MateProblems())
        if (!fast.count(p.id)) ExpectMate(p, 3);
}

}  // namespace

namespace {

void Expect3DMate(std::vector<PLACED_T> pieces, int n) {
    // the Black king on QLB's cell a at the far end, its board boxed in
    POS_T* b = Setup3D({ABW_QL4, ABW_QL6, ABW_QL5, ABW_KL6}, pieces);
    POS_T start = *b;
    ASSERT_TRUE(CanMate(&start, n));
    if (n > 1) {
        ASSERT_FALSE(CanMate(&start, n - 1));
    }
    SEARCH_LIMITS_T limits;
    limits.maxdepth = 2 * n + 4;
    limits.seconds = 120;
    MOVE_T move;
    SEARCH_RESULT_T r;
    hash_c.HashReset();
    EngineSearch(&state.position, &move, limits, &r);
    EXPECT_GE(r.value, MateIn(n));
    // the move found keeps the mate: the opponent is lost within n - 1 moves
    POS_T child;
    MOVE_T m = move;
    ASSERT_EQ(DoMove(&child, &start, &m), 1);
    EXPECT_TRUE(Lost(&child, n - 1));
}

TEST(SearchMates, MateInOneOnTheTriLevelBoard) {
    Expect3DMate({{H1, W_KING}, {E7, W_QUEEN}, {D7, W_ROOK}, {A8, B_KING}}, 1);
}

TEST(SearchMates, MateInTwoOnTheTriLevelBoard) {
    Expect3DMate({{H1, W_KING}, {G6, W_QUEEN}, {H6, W_ROOK}, {A8, B_KING}}, 2);
}

// The 3D mate problems: positions of self-play with a proven forced mate
// and every mating first move (tools/mine_3d_mates).
struct MATE_3D_T {
    int number, mate;
    std::set<std::string> solutions;
};

std::string Mates3DText() {
    std::ifstream in(std::string(TAMZOR_SOURCE_DIR) + "/tests/data/mates-3d.pgn");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<MATE_3D_T> Mates3D(const std::string& text) {
    std::vector<MATE_3D_T> out;
    for (int number = 1;; number++) {
        PGN_GAME_T g;
        std::string error;
        if (!PgnParse(text, number, &g, &error)) break;
        std::istringstream solutions(g.Tag("Solutions"));
        MATE_3D_T p{number, atoi(g.Tag("Mate").c_str()), {}};
        for (std::string token; solutions >> token;) p.solutions.insert(token);
        out.push_back(p);
    }
    return out;
}

void Solve3DProblems(int shortest, int longest) {
    const std::string text = Mates3DText();
    const std::vector<MATE_3D_T> problems = Mates3D(text);
    ASSERT_GE(problems.size(), 100u);
    int tried = 0;
    for (const MATE_3D_T& p : problems) {
        if (p.mate < shortest || p.mate > longest) continue;
        SCOPED_TRACE("problem " + std::to_string(p.number) + ", mate in " + std::to_string(p.mate));
        std::string error;
        ASSERT_TRUE(PgnLoadGame(text, p.number, &error)) << error;
        if (p.mate == 1) {
            // the file's answers, checked by proof where that is cheap
            std::set<std::string> proven;
            for (const MOVE_T& m : MatingMoves(&state.position, 1)) proven.insert(MoveToken(m));
            EXPECT_EQ(proven, p.solutions);
        }
        SEARCH_LIMITS_T limits;
        limits.maxdepth = 2 * p.mate + 2;
        limits.seconds = 300;
        MOVE_T move;
        SEARCH_RESULT_T r;
        hash_c.HashReset();
        EngineSearch(&state.position, &move, limits, &r);
        EXPECT_EQ(r.value, MateIn(p.mate)) << "depth " << r.depth;
        EXPECT_EQ(p.solutions.count(MoveToken(move)), 1u) << MoveToken(move);
        tried++;
    }
    EXPECT_GT(tried, 10);
}

// The mates in three are counted by make bench-3d-mates.
TEST(SearchMates, ThreeDProblemsOfOneAndTwoMoves) { Solve3DProblems(1, 2); }

}  // namespace

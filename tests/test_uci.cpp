// The UCI mode through its real process, every move checked by the rules engine.
#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <thread>
#include <sstream>

#include "cli.h"
#include "mate_prover.h"
#include "test_util.h"
#include "uci_process.h"
#include "wac_mates.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"

namespace {

using namespace std::chrono_literals;

void Handshake(UciProcess* e) {
    std::string line;
    e->Send("uci");
    ASSERT_TRUE(e->WaitFor("uciok", &line, 10s));
    e->Send("isready");
    ASSERT_TRUE(e->WaitFor("readyok", &line, 10s));
}

// Sends the lines, then reads to the bestmove: every line read in *seen, the bestmove last.
bool Ask(UciProcess* t, const std::vector<std::string>& lines, std::vector<std::string>* seen,
         std::chrono::milliseconds limit = 120s) {
    seen->clear();
    for (const std::string& l : lines) t->Send(l);
    std::string line;
    return t->WaitFor("bestmove", &line, limit, seen);
}

// Every line a UCI engine writes begins with one of the protocol's words.
void ExpectOnlyUci(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) {
        bool ok = false;
        for (const char* word : {"id ", "option ", "uciok", "readyok", "info ", "bestmove "})
            ok |= l.rfind(word, 0) == 0;
        EXPECT_TRUE(ok) << "not a UCI line: '" << l << "'";
    }
}

// The move of the last line (a bestmove's).
std::string Best(const std::vector<std::string>& seen) {
    std::istringstream in(seen.empty() ? "" : seen.back());
    std::string word, token;
    in >> word >> token;
    return token;
}

long InfoStrings(const std::vector<std::string>& lines) {
    return std::count_if(lines.begin(), lines.end(),
                         [](const std::string& l) { return l.rfind("info string", 0) == 0; });
}

long long Nodes(const std::string& info) { return atoll(info.c_str() + info.find(" nodes ") + 7); }

// The deepest "info depth", and the last score and line among the lines.
int DeepestInfo(const std::vector<std::string>& lines, std::string* score = nullptr,
                std::string* pv = nullptr) {
    int deepest = 0;
    for (const std::string& l : lines) {
        if (l.rfind("info depth ", 0) != 0) continue;
        deepest = std::max(deepest, atoi(l.c_str() + 11));
        size_t at = l.find(" score ");
        if (score && at != std::string::npos) *score = l.substr(at + 7, l.find(" nodes") - at - 7);
        at = l.find(" pv ");
        if (pv && at != std::string::npos) *pv = l.substr(at + 4);
    }
    return deepest;
}

// Is the token a legal move after "position <position>"? Its position after in *child.
bool LegalIn(int dmode, const std::string& position, const std::string& token, int rules = RULES_TDCL,
             POS_T* child = nullptr) {
    std::istringstream in(position);
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    opt.rules = rules;
    std::string word;
    in >> word;
    if (word == "fen") {
        opt.has_fen = true;
        for (int i = 0; i < 6 && in >> word; i++) opt.fen += (i ? " " : "") + word;
    }
    if (in >> word && word == "moves")
        for (std::string m; in >> m;) opt.moves += (opt.moves.empty() ? "" : " ") + m;
    if (SetUpPosition(opt) != 0) return false;
    MOVE_T m;
    std::string error;
    if (!MoveFromToken(&state.position, token, &m, &error)) return false;
    return !child || DoMove(child, &state.position, &m) == 1;
}

const char* const MATE_IN_TWO = "fen r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1";
const char* const MATE_IN_ONE = "fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1";
const std::string POSITION = "position ";

TEST(Uci, AnswersTheHandshakeTakesPositionsAndIgnoresNonsense) {
    UciProcess t({TAMZOR_CLI, "uci"});
    ASSERT_TRUE(t.Running());
    std::string line;
    std::vector<std::string> seen;
    t.Send("uci");
    ASSERT_TRUE(t.WaitFor("uciok", &line, 10s, &seen));
    EXPECT_EQ(seen[0], "id name Tamzor");
    // "go depth x" searches all the same, its bad part left out: one answer, a move of the start
    ASSERT_TRUE(Ask(&t, {"position fen nonsense", "position startpos moves e2e5", "go depth x", "frobnicate",
                         "setoption name Difficulty value 999", "position"}, &seen, 30s));
    EXPECT_GE(InfoStrings(seen), 5);
    EXPECT_TRUE(LegalIn(2, "startpos", Best(seen))) << seen.back();
    // stop ends an infinite search with a move, even when it comes before the search has begun
    t.Send("go infinite\nstop");
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_TRUE(t.WaitFor("bestmove", &line, 10s));
    EXPECT_LT(std::chrono::steady_clock::now() - sent, 5s);
    // the start position again after a game's moves
    ASSERT_TRUE(
        Ask(&t, {"position startpos moves e2e4 e7e5 g1f3", "position startpos", "go depth 3"}, &seen));
    EXPECT_TRUE(LegalIn(2, "startpos", Best(seen))) << seen.back();
    ExpectOnlyUci(seen);
    // a FEN without moves
    ASSERT_TRUE(Ask(&t, {POSITION + MATE_IN_ONE, "go depth 3"}, &seen));
    EXPECT_EQ(Best(seen), "a1a8");
    // a bad FEN or an illegal move leaves the last good position
    ASSERT_TRUE(Ask(&t, {"position fen 8/8/8/8 w - - 0 1", POSITION + MATE_IN_ONE + " moves a1a9",
                         "position startpos moves e2e4 e7e4", "go depth 3"}, &seen));
    EXPECT_EQ(Best(seen), "a1a8");
    EXPECT_EQ(InfoStrings(seen), 3);
    ExpectOnlyUci(seen);
}

TEST(Uci, SearchLimitsAreKept) {
    UciProcess t({TAMZOR_CLI, "uci"});
    Handshake(&t);
    std::vector<std::string> seen;
    std::string line, score, pv;
    // an infinite search answers only when stopped, even with a mate in hand
    t.Send(POSITION + MATE_IN_ONE);
    t.Send("go infinite");
    EXPECT_FALSE(t.WaitFor("bestmove", &line, 1500ms, &seen)) << line;
    ASSERT_TRUE(Ask(&t, {"stop"}, &seen, 5s));
    EXPECT_EQ(Best(seen), "a1a8");
    // a ponder search answers only after ponderhit, and then on the clock
    t.Send("position startpos moves e2e4");
    t.Send("go ponder wtime 3000 btime 3000");
    EXPECT_FALSE(t.WaitFor("bestmove", &line, 1500ms, &seen)) << line;
    ASSERT_TRUE(Ask(&t, {"ponderhit"}, &seen, 3s)) << "within the 3 s on the clock";
    // with no clock given, ponderhit leaves it the default limit, not an answer at once
    t.Send("go ponder");
    EXPECT_FALSE(t.WaitFor("bestmove", &line, 500ms, &seen)) << line;
    t.Send("ponderhit");
    EXPECT_FALSE(t.WaitFor("bestmove", &line, 1500ms, &seen)) << line;
    ASSERT_TRUE(Ask(&t, {"stop"}, &seen, 5s));
    // a depth is reached; a node count is kept to within a little
    ASSERT_TRUE(Ask(&t, {"ucinewgame", "position startpos moves e2e4 e7e5", "go depth 6"}, &seen));
    EXPECT_EQ(DeepestInfo(seen), 6);
    ASSERT_TRUE(Ask(&t, {"ucinewgame", "position startpos", "go nodes 20000"}, &seen));
    long long searched = 0;
    for (const std::string& l : seen)
        if (l.rfind("info depth", 0) == 0) searched = Nodes(l);
    EXPECT_GT(searched, 0);
    EXPECT_LE(searched, 21000);
    // mate in two: the exact distance, its line, and go mate finds it
    for (const char* go : {"go depth 4", "go mate 2"}) {
        ASSERT_TRUE(Ask(&t, {"ucinewgame", POSITION + MATE_IN_TWO, go}, &seen)) << go;
        DeepestInfo(seen, &score, &pv);
        EXPECT_EQ(score, "mate 2") << go;
        EXPECT_EQ(pv.substr(0, 4), "d5f6") << go;
        EXPECT_GE(std::count(pv.begin(), pv.end(), ' '), 2) << go << ": a line of three moves: " << pv;
        EXPECT_EQ(Best(seen), "d5f6") << go;
        ExpectOnlyUci(seen);
    }
    // a position no one can win scores 0 at every depth, also one a capture
    // leads to; a depth asked for is reached even with a mate in hand
    for (const char* fen : {"8/8/8/4k3/8/8/8/4K3 w - - 0 1", "8/8/4k3/8/3r4/8/4N3/4K3 w - - 0 1"}) {
        ASSERT_TRUE(Ask(&t, {"ucinewgame", std::string("position fen ") + fen, "go depth 6"}, &seen)) << fen;
        EXPECT_EQ(DeepestInfo(seen), 6) << fen;
        for (const std::string& l : seen)
            EXPECT_TRUE(l.rfind("info depth", 0) != 0 || l.find(" score cp 0 ") != std::string::npos)
                << fen << ": " << l;
    }
    ASSERT_TRUE(Ask(&t, {"ucinewgame", POSITION + MATE_IN_ONE, "go depth 5"}, &seen));
    EXPECT_EQ(DeepestInfo(seen, &score), 5);
    EXPECT_EQ(score, "mate 1");
}

// Every mate of the tactical suite: go mate N answers a mate in at most N, its
// move proven to start one (the mates in three only in the long run).
TEST(Uci, GoMateFindsEveryMateOfTheSuite) {
    UciProcess t({TAMZOR_CLI, "uci"});
    Handshake(&t);
    const std::vector<PROBLEM_T> problems = MateProblems();
    ASSERT_EQ(problems.size(), 38u);
    const bool prove_all = getenv("TAMZOR_LONG") != nullptr;
    std::vector<std::string> seen;
    std::string score;
    for (const PROBLEM_T& p : problems) {
        ASSERT_TRUE(
            Ask(&t, {"ucinewgame", "position fen " + p.fen, "go mate " + std::to_string(p.mate_in)}, &seen))
            << p.id;
        DeepestInfo(seen, &score);
        const int k = score.rfind("mate ", 0) == 0 ? atoi(score.c_str() + 5) : 0;
        EXPECT_TRUE(k >= 1 && k <= p.mate_in) << p.id << ": score " << score;
        POS_T child;
        ASSERT_TRUE(LegalIn(2, "fen " + p.fen, Best(seen), RULES_TDCL, &child))
            << p.id << ": " << seen.back();
        if (k >= 1 && (k <= 2 || prove_all)) {
            EXPECT_TRUE(Lost(&child, k - 1)) << p.id << ": " << seen.back() << " does not mate in " << k;
        }
    }
    // the Difficulty limits the play, not a mate sought; with none, 2N - 1 plies are searched whole
    ASSERT_TRUE(Ask(&t, {"setoption name Difficulty value 2", "ucinewgame", "position fen " + problems[5].fen,
                         "go mate 3"}, &seen));
    DeepestInfo(seen, &score);
    EXPECT_EQ(score, "mate 3") << problems[5].id;
    // the side mated next move is told so with a negative count: Kb8 Rh8#
    ASSERT_TRUE(Ask(&t, {"ucinewgame", "position fen k7/8/1K6/8/8/8/8/7R b - - 0 1", "go depth 4"}, &seen));
    DeepestInfo(seen, &score);
    EXPECT_EQ(score, "mate -1");
    ASSERT_TRUE(Ask(&t, {"ucinewgame", "position startpos moves e2e4 e7e5", "go mate 2"}, &seen));
    EXPECT_EQ(DeepestInfo(seen, &score), 3);
    EXPECT_EQ(score.rfind("cp ", 0), 0u) << score;
}

// The table lasts a game until ucinewgame; an info line tells what this search did: a depth or node
// count is searched from the start even when the table knows more; the Difficulty does not cap a depth.
TEST(Uci, TheTableLastsTheGameAndInfoTellsThisSearch) {
    UciProcess t({TAMZOR_CLI, "uci"});
    Handshake(&t);
    auto go = [&](const std::vector<std::string>& commands) {
        std::vector<std::string> seen;
        EXPECT_TRUE(Ask(&t, commands, &seen, 60s)) << commands.back();
        return seen;
    };
    // interfaces send the whole game before every move
    auto searched = [&](const std::string& position) {
        long long n = -1;
        for (const std::string& l : go({position, "go depth 5"}))
            if (l.rfind("info depth", 0) == 0) n = Nodes(l);
        return n;
    };
    const std::string game = "position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6";
    t.Send("ucinewgame");
    const long long first = searched(game);
    ASSERT_GT(first, 0);
    EXPECT_LT(searched(game), first / 2);
    // and the game's next move is searched with it too
    searched(game + " e1g1 f8e7");
    t.Send("ucinewgame");
    EXPECT_EQ(searched(game), first);
    t.Send("setoption name Difficulty value 2");
    EXPECT_EQ(DeepestInfo(go({"position startpos moves e2e4 e7e5 g1f3", "go depth 7"})), 7);
    // the same position again, now known deep
    const std::vector<std::string> again = go({"go depth 2"});
    EXPECT_EQ(DeepestInfo(again), 2);
    for (const std::vector<std::string>& lines : {again, go({"go nodes 100"})}) {
        int last = 0;
        for (const std::string& l : lines) {
            if (l.rfind("info depth", 0) != 0) continue;
            EXPECT_GT(Nodes(l), 0) << l;
            EXPECT_LE(Nodes(l), 120) << l;
            // one iteration after the other, the last may be said again when cut short
            const int depth = atoi(l.c_str() + 11);
            EXPECT_TRUE(depth == last + 1 || depth == last || (last == 0 && depth == 2)) << l;
            last = depth;
        }
    }
    // a search by time keeps to the Difficulty
    EXPECT_LE(DeepestInfo(go({"go movetime 500"})), 2);
}

TEST(Uci, OptionsByAnyCaseARealTableSizeAndTheThreeDimensionalGame) {
    UciProcess t({TAMZOR_CLI, "uci"});
    std::vector<std::string> seen;
    std::string line;
    t.Send("uci");
    ASSERT_TRUE(t.WaitFor("uciok", &line, 10s, &seen));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const std::string& l) {
        return l.rfind("option name Hash type spin", 0) == 0;
    }));
    for (const std::string& option :
         {"option name Threads type spin default 1 min 1 max " + std::to_string(MaxSearchThreads()),
          std::string("option name UCI_Variant type combo default 2d var 2d var 3d")})
        EXPECT_NE(std::find(seen.begin(), seen.end(), option), seen.end()) << option;
    t.Send("setoption name Threads value 0");
    ASSERT_TRUE(t.WaitFor("info string", &line, 10s, &seen));
    EXPECT_NE(line.find("Threads is 1 to"), std::string::npos) << line;
    ASSERT_TRUE(Ask(
        &t,
        {"setoption name threads value " + std::to_string(MaxSearchThreads()), "setoption name hash value 1",
         "setoption name DIFFICULTY value 3", "position startpos", "go movetime 1000"},
        &seen, 60s));
    for (const std::string& l : seen) EXPECT_EQ(l.find("info string"), std::string::npos) << l;
    EXPECT_LE(DeepestInfo(seen), 2) << "the difficulty limits the depth";
    ExpectOnlyUci(seen);
    // the table takes the size asked for
    const uint64_t entries = hash_c.hash_table_size;
    hash_c.HashResize(1);
    EXPECT_EQ(hash_c.hash_table_size, (1u << 20) / sizeof(HASHENTRY_T) & ~1ull);
    hash_c.HashResize(48);
    EXPECT_EQ(hash_c.hash_table_size, entries);
    // the 3D game by its variant, under either rules
    for (const char* rules : {"tdcl", "Tournament"}) {
        ASSERT_TRUE(
            Ask(&t,
                {"setoption name uci_variant value 3D", std::string("setoption name Rules value ") + rules,
                 "position startpos moves e2a4 g7g6", "go depth 3"},
                &seen));
        EXPECT_TRUE(LegalIn(3, "startpos moves e2a4 g7g6", Best(seen),
                            rules[0] == 't' ? RULES_TDCL : RULES_TOURNAMENT))
            << seen.back();
        EXPECT_EQ(DeepestInfo(seen), 3);
        ExpectOnlyUci(seen);
    }
    // no FEN in 3D, and back to 2D
    ASSERT_TRUE(Ask(&t, {"position fen 8/8/8/8/8/8/8/8 w - - 0 1", "setoption name UCI_Variant value 2d",
                         "position startpos moves e2e4", "go depth 3"}, &seen));
    EXPECT_TRUE(LegalIn(2, "startpos moves e2e4", Best(seen))) << seen.back();
    EXPECT_EQ(seen.front().rfind("info string the 3D game has no FEN", 0), 0u) << seen.front();
    // a large table is taken and written before readyok, not in the first search; a smaller one gives it back
    auto resident_mb = [&] {
        std::ifstream status("/proc/" + std::to_string(t.Pid()) + "/status");
        for (std::string l; std::getline(status, l);)
            if (l.rfind("VmRSS:", 0) == 0) return atoll(l.c_str() + 6) / 1024;
        return 0LL;
    };
    const long long before = resident_mb();
    for (const char* size : {"256", "4"}) {
        t.Send(std::string("setoption name Hash value ") + size);
        t.Send("isready");
        ASSERT_TRUE(t.WaitFor("readyok", &line, 60s));
        EXPECT_TRUE(size[0] == '4' || resident_mb() >= before + 200) << resident_mb() << " MB";
    }
    EXPECT_LT(resident_mb(), before + 100);
}

// The clock's share leaves a reserve; a known delay per move below the
// increment never empties the clock, even when every search takes its limit.
TEST(Uci, TheClockShareLeavesAReserveAndAKnownDelayNeverEmptiesIt) {
    for (long long left : {1LL, 20LL, 50LL, 110LL, 500LL, 1000LL, 10000LL, 60000LL, 600000LL})
        for (long long inc : {0LL, 100LL, 2000LL})
            for (long long togo : {0LL, 1LL, 5LL, 40LL}) {
                double hard, soft, stretch;
                UciClockBudget(left, inc, togo, &hard, &soft, 0, &stretch);
                SCOPED_TRACE(std::to_string(left) + " " + std::to_string(inc) + " " + std::to_string(togo));
                EXPECT_GT(hard, 0);
                EXPECT_LE(soft, hard);
                EXPECT_GE(stretch, hard);
                // a move found failing may take longer, but never the reserve
                for (double limit : {hard, stretch}) {
                    if (left <= 40) continue;
                    EXPECT_LE(limit * 1000, left - 30);
                    EXPECT_LE(limit * 1000, left / 2.0);
                }
            }
    for (long long delay : {0LL, 30LL, 60LL, 90LL})
        for (long long inc : {100LL, 1000LL}) {
            long long left = 10000, least = left;
            for (int move = 0; move < 300 && left > 0; move++) {
                double hard, soft;
                UciClockBudget(left, inc, 0, &hard, &soft, delay);
                left -= (long long)(hard * 1000 + 0.5) + delay;
                least = std::min(least, left);
                left += inc;
            }
            EXPECT_GT(least, 0) << "delay " << delay << " ms, increment " << inc << " ms";
        }
    // the delay comes off the budget
    double hard0, soft0, hard1, soft1;
    UciClockBudget(2000, 100, 0, &hard0, &soft0, 0);
    UciClockBudget(2000, 100, 0, &hard1, &soft1, 60);
    EXPECT_LT(hard1, hard0);
    EXPECT_LT(soft1, soft0);
}

// A process that keeps one core busy while it lives.
struct BUSY_T {
    const pid_t parent = getpid();
    pid_t pid = fork();
    BUSY_T() {
        if (pid == 0) {
            // the test killed (a timeout, a stopped run) must not leave it spinning
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent) _exit(0);
            alarm(600);
            for (;;) __asm__ volatile("");
        }
    }
    ~BUSY_T() {
        if (pid <= 0) return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
};

// A game with real clocks under load: the time from go to bestmove comes off
// the side's clock, the increment goes on after the move.
TEST(Uci, AClockGameUnderLoadEndsWithTimeOnTheClock) {
    std::string sf;
    for (const char* p : {"/usr/games/stockfish", "/usr/bin/stockfish"})
        if (sf.empty() && access(p, X_OK) == 0) sf = p;
    ASSERT_FALSE(sf.empty()) << "stockfish is not installed (scripts/install-deps installs it)";
    BUSY_T busy;
    ASSERT_GT(busy.pid, 0);
    UciProcess tamzor({TAMZOR_CLI, "uci"}), other({sf});
    Handshake(&tamzor);
    Handshake(&other);
    other.Send("setoption name UCI_LimitStrength value true");
    other.Send("setoption name UCI_Elo value 1350");
    // 10 s and 0.1 s a move each; Tamzor has White
    const long long inc_ms = 100;
    long long clock_ms[2] = {10000, 10000}, least_ms = 10000;
    std::vector<std::string> ours, seen;
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    ASSERT_TRUE(SetUpGame(opt));
    std::string moves;
    int plies = 0;
    for (; plies < 240 && !IsCheckmate(&state.position); plies++) {  // mate or stalemate: over
        const int side = plies % 2;
        const auto sent = std::chrono::steady_clock::now();
        ASSERT_TRUE(Ask(side ? &other : &tamzor,
                        {"position startpos" + (moves.empty() ? std::string() : " moves" + moves),
                         "go wtime " + std::to_string(clock_ms[0]) + " btime " + std::to_string(clock_ms[1]) +
                             " winc " + std::to_string(inc_ms) + " binc " + std::to_string(inc_ms)},
                        &seen, 60s)) << "no move at ply " << plies;
        clock_ms[side] -=
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - sent)
                .count();
        if (!side) {
            ours.insert(ours.end(), seen.begin(), seen.end());
            least_ms = std::min(least_ms, clock_ms[0]);
        }
        if (clock_ms[side] <= 0) break;  // lost on time
        clock_ms[side] += inc_ms;
        MOVE_T m;
        std::string error;
        ASSERT_TRUE(MoveFromToken(&state.position, Best(seen), &m, &error))
            << "illegal move '" << Best(seen) << "' at ply " << plies << ": " << error;
        EXPECT_EQ(DoMove(&state.position, &state.position, &m), 1);
        state.position.flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
        moves += " " + Best(seen);
        if (state.position.fifty_count >= 102 || NoMaterial(&state.position)) {
            plies++;
            break;
        }
    }
    // long enough to tell, unless a side was mated sooner
    EXPECT_TRUE(plies > 20 || IsCheckmate(&state.position)) << plies << " plies";
    EXPECT_GT(least_ms, 0) << "Tamzor lost on time";
    ExpectOnlyUci(ours);
}

// Every go, however written, gets exactly one bestmove, a legal move (0000 when none).
struct GO_CASE_T {
    int dmode;
    const char* position;  // after "position "
    const char* go;
    bool stop;             // a search that waits for stop (or would take long)
    const char* answer;    // the bestmove expected: "" any legal one, "a|b" one of these
    const char* score;     // the last info's score, "" for any
};

const char* const MATED_3D =
    "startpos moves g2g3 h8g6 c1d1 c8d8 e1g2 g6d4 h2d3 d4b5 g2d4 e8b6 d4g6 e7e6 d3h4 b5h4 e2a4 h4b3 f1d3 "
    "b3g1";

const GO_CASE_T GO_CASES[] = {
    // a clock past zero, a negative time, missing or unreadable numbers
    {2, "startpos", "go wtime -100 btime -100", false, "", ""},
    {2, "startpos moves e2e4", "go wtime 5000 btime -1 winc 100 binc 100", false, "", ""},
    {2, "startpos", "go movetime 0", false, "", ""},
    {2, "startpos", "go depth -1", true, "", ""},
    {2, "startpos", "go depth", true, "", ""},
    {2, "startpos", "go nodes x depth 3", false, "", ""},
    // the ordinary forms
    {2, "startpos moves e2e4 e7e5", "go movetime 300", false, "", ""},
    {2, "startpos moves d2d4", "go depth 4", false, "", ""},
    {2, "startpos", "go nodes 3000", false, "", ""},
    {2, "startpos moves e2e4", "go wtime 3000 btime 3000 winc 50 binc 50", false, "", ""},
    {2, "startpos", "go wtime 3000 btime 3000 movestogo 2", false, "", ""},
    {2, "startpos", "go infinite", true, "", ""},
    {2, "startpos", "go ponder movetime 300", true, "", ""},
    {2, "fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "go mate 1", false, "a1a8", "mate 1"},
    // searchmoves: only those, and a mate left out is not played
    {2, "startpos", "go searchmoves a2a3 h2h3 depth 4", false, "a2a3|h2h3", ""},
    {2, "fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "go depth 3 searchmoves a1a2 g1f1", false, "a1a2|g1f1", ""},
    {2, "startpos", "go searchmoves e2e5 depth 3", false, "", ""},
    // no move at all: mated, stalemated
    {2, "fen rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", "go depth 3", false, "0000",
     "mate 0"},
    {2, "fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "go movetime 200", false, "0000", "cp 0"},
    {2, "fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "go infinite", true, "0000", "cp 0"},
    // the 3D game
    {3, "startpos moves e2e4", "go movetime 300", false, "", ""},
    {3, "startpos", "go depth 3", false, "", ""},
    {3, MATED_3D, "go depth 3", false, "0000", "mate 0"},
};

TEST(Uci, EveryGoIsAnsweredByOneBestMove) {
    UciProcess t({TAMZOR_CLI, "uci"}, true);
    Handshake(&t);
    for (const GO_CASE_T& c : GO_CASES) {
        SCOPED_TRACE(std::to_string(c.dmode) + "D, position " + c.position + ": " + c.go);
        std::vector<std::string> seen, after;
        std::string line;
        t.Send(std::string("setoption name UCI_Variant value ") + (c.dmode == 3 ? "3d" : "2d"));
        t.Send(POSITION + c.position);
        t.Send(c.go);
        if (c.stop) {
            std::this_thread::sleep_for(300ms);
            t.Send("stop");
        }
        ASSERT_TRUE(t.WaitFor("bestmove", &line, 60s, &seen)) << "no bestmove";
        // nothing more: the next answer is readyok
        t.Send("ponderhit");
        t.Send("stop");
        t.Send("isready");
        ASSERT_TRUE(t.WaitFor("readyok", &line, 30s, &after));
        for (const std::string& l : after) EXPECT_NE(l.rfind("bestmove", 0), 0u) << "a second answer: " << l;
        ExpectOnlyUci(seen);
        const std::string token = Best(seen), answer = c.answer;
        std::string score;
        const int deepest = DeepestInfo(seen, &score);
        EXPECT_EQ(*c.score ? score : "", std::string(c.score));
        if (answer == "0000") {
            EXPECT_EQ(token, "0000");
            EXPECT_EQ(seen[seen.size() - 2], std::string("info depth 0 score ") + c.score);
            continue;
        }
        EXPECT_GT(deepest, 0);
        EXPECT_TRUE(LegalIn(c.dmode, c.position, token)) << seen.back();
        EXPECT_TRUE(answer.empty() || answer.find(token) != std::string::npos) << seen.back();
        // what this search did: nodes, and a selective depth not below the depth
        for (const std::string& l : seen) {
            if (l.rfind("info depth", 0) != 0) continue;
            EXPECT_GT(Nodes(l), 0) << l;
            EXPECT_GE(atoi(l.c_str() + l.find(" seldepth ") + 10), atoi(l.c_str() + 11)) << l;
        }
    }
}

// Every line of the terminal's computer-against-computer games, on either stream, is whole and of its kind.
TEST(Uci, NoStrayTextOnAnyStream) {
    for (const char* kind : {"--2d --time 0.02", "--3d --time 0.01"}) {
        SCOPED_TRACE(kind);
        const std::string out = CommandOutput(std::string("printf 'quit\\n' | ") + TAMZOR_CLI +
                                              " play --computer both " + kind + " 2>&1");
        EXPECT_NE(out.find("Game over"), std::string::npos)
            << out.substr(out.size() > 2000 ? out.size() - 2000 : 0);
        EXPECT_EQ(out.find("Panic"), std::string::npos);
        std::istringstream lines(out);
        for (std::string l; std::getline(lines, l);) {
            // the board's heading, rows and names, the moves, the end, and the last prompt
            static const std::regex known(
                "[23]D chess, .*|(QL|KL)[WB] on .*|(White|Neutral|Black) level \\([WNB]\\)|[-+| .0-9a-zA-Z]*|"
                "\\d+\\. .*|Draw - .*|Game over: .*|Game finished> ");
            EXPECT_TRUE(std::regex_match(l, known)) << "'" << l << "'";
        }
    }
}

}  // namespace

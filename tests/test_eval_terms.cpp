// The evaluation's edges away from the searched positions: material
// corrections, the fifty-move fade, draw values, score texts, the stage, and
// the terminal tool's list of terms.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli_runner.h"
#include "live_game.h"
#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {

// The 2D position of the FEN, evaluated afresh in the given stage (its own when none is given).
POS_T* At(const char* fen, int stage = -1) {
    POS_T* b = Live2D(fen);
    if (stage >= 0)
        b->stage = stage;
    else
        EstimateGameStage(b, 1);
    RegenToPieces(b);
    return b;
}

// The 2D game's table slice of a stage.
const ETYPE_T* S(int stage = MID_GS) { return new_coefficients_2d + stage * COEFF_SLICE; }

TEST(CheckMaterial, DrawsLesserForceAndALoneMinor) {
    state.tamzor = TAMZOR_OFF;
    POS_T* b = At("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    ASSERT_EQ(b->stage, MATING);
    const ETYPE_T d = DrawValue();
    EXPECT_EQ(CheckMaterial(b, 12345), d - 12345);
    EXPECT_TRUE(b->flags & FLAG_MATERIAL_DRAW);
    EXPECT_EQ(CheckMaterial(b, d), 0);
    EXPECT_FALSE(b->flags & FLAG_MATERIAL_DRAW);
    // queen against queen, rook against rook: twice the draw value
    state.tamzor = TAMZOR_WHITE;
    b = At("4k3/q7/8/8/8/8/7Q/4K3 w - - 0 1");
    ASSERT_EQ(b->tactics, 0);
    EXPECT_EQ(b->eval_result, 2 * DrawValue());
    EXPECT_TRUE(b->flags & FLAG_MATERIAL_DRAW);
    b = At("r3k3/8/8/8/8/8/8/4K2R w - - 0 1");
    EXPECT_EQ(b->eval_result, 2 * DrawValue());
    state.tamzor = TAMZOR_OFF;
    const ETYPE_T* first = S(OPENING);
    // rook against a minor piece, either way round
    b = At("4k3/8/8/8/8/8/3n4/R3K3 w - - 0 1");
    EXPECT_EQ(CheckMaterial(b, 77777), -first[45] - 77777);
    b = At("r3k3/3N4/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(CheckMaterial(b, -77777), first[45] + 77777);
    // rook and bishop against a rook
    b = At("4k2r/8/8/8/8/8/8/R3KB2 w - - 0 1");
    EXPECT_EQ(CheckMaterial(b, 60000), -first[45] - 60000);
    // a lone bishop cannot win: White's value is at most the draw
    b = At("4k3/p7/8/8/8/8/8/2B1K3 w - - 0 1", ENDING);
    EXPECT_EQ(CheckMaterial(b, 50000), DrawValue() - 50000);
    EXPECT_TRUE(b->flags & FLAG_MATERIAL_DRAW);
    // below the draw it stands, with the side-ahead terms (3 pieces, 1 pawn)
    EXPECT_EQ(CheckMaterial(b, -50000), first[1239 + 3] - first[1287 + 1]);
    EXPECT_FALSE(b->flags & FLAG_MATERIAL_DRAW);
}

TEST(CheckMaterial, FiftyMoveFade) {
    POS_T* b = At("4k3/p7/8/8/8/8/P7/4K3 w - - 0 1", ENDING);
    b->fifty_count = 84;
    EXPECT_EQ(CheckMaterial(b, 12800), 6400 - 12800);
    b->fifty_count = 20;
    EXPECT_EQ(CheckMaterial(b, 12800), 0);
    // far past the count the value fades to 0 and never changes sign
    for (int f : {148, 160, 400}) {
        b->fifty_count = f;
        EXPECT_EQ(CheckMaterial(b, 12800), -12800) << f;
        EXPECT_EQ(CheckMaterial(b, -12800), 12800) << f;
    }
}

TEST(DrawValue, ComputersContemptForEitherColour) {
    At("4k3/p7/8/8/8/8/P7/4K3 w - - 0 1", MID_GS);
    ETYPE_T& entry = GameCoefficients()[MID_GS * COEFF_SLICE + 44];
    const ETYPE_T base = entry;
    const struct {
        ETYPE_T entry;
        int tamzor;
        ETYPE_T expected;
    } rows[] = {{base, TAMZOR_WHITE, base - 1000}, {base, TAMZOR_BLACK, -(base - 1000)}, {base, TAMZOR_OFF, 0},
                {base, TAMZOR_BOTH, 0},           {-50000, TAMZOR_WHITE, -10000},       {-50000, TAMZOR_BLACK, 10000}};
    for (const auto& r : rows) {
        entry = r.entry;
        state.tamzor = r.tamzor;
        EXPECT_EQ(DrawValue(), r.expected) << r.entry << " " << r.tamzor;
    }
    entry = base;
}

TEST(EvalStr, ScoresAndMates) {
    // in the mate band: moves to mate
    for (auto [v, text] : std::vector<std::pair<ETYPE_T, const char*>>{
             {0, "0.00"}, {10000, "1.00"}, {-25052, "-2.51"}, {405000, "Inf"}, {-405000, "-Inf"}, {399852, "39.99"},
             {399999, "Mate01"}, {399997, "Mate02"}, {-399998, "-Mate01"}, {399873, "Mate64"}, {400000, "Mate01"}})
        EXPECT_STREQ(EvalStr(v), text) << v;
    // texts of one line may be held together
    const char* a = EvalStr(10000);
    const char* c = EvalStr(20000);
    EXPECT_STREQ(a, "1.00");
    EXPECT_STREQ(c, "2.00");
}

TEST(Stage, FromThePiecesOnTheBoard) {
    struct {
        const char* fen;
        int stage;
    } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", OPENING},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", MID_GS},     // no castling left
        {"rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq - 0 1", MID_GS},  // 14 pieces
        {"r1bqkbnr/pppppppp/8/8/8/8/PPPPPPPP/R1BQKBNR w KQkq - 0 1", OPENING}, // 14 + 2 for the queens
        {"r1bqkb1r/pppppppp/8/8/8/8/PPPPPPPP/R1BQKBNR w KQkq - 0 1", MID_GS},  // 13 + 2
        {"4k3/8/8/8/8/8/P7/R3K2R w KQ - 0 1", ENDING},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", MATING},
    };
    for (const auto& c : cases) {
        POS_T* b = At(c.fen);
        EXPECT_EQ(b->stage, c.stage) << c.fen;
        EXPECT_EQ(coefficients, GameCoefficients() + c.stage * COEFF_SLICE) << c.fen;
    }
    // a change of stage drops the cached evaluation, which is then redone
    POS_T* b = At(cases[0].fen);
    ASSERT_TRUE(b->flags & FLAG_EVALUATED);
    b->flags &= ~(uint64_t)0xF;
    EstimateGameStage(b, 1);
    EXPECT_EQ(b->stage, MID_GS);
    EXPECT_FALSE(b->flags & FLAG_EVALUATED);
    POS_T fresh = *b;
    RegenToPieces(&fresh);
    Evaluate(b, 0, 1);
    EXPECT_EQ(b->eval_result, fresh.eval_result);
}

// The terminal tool's eval: "Evaluation: text; raw", the game stage, then
// each term's name (20 columns), text and raw value.
TEST(CliEval, TermsAddUpToTheEvaluation) {
    const std::vector<std::string> names = {"material", "specifics", "piece values", "king safety", "tactics",
                                            "board control", "attack counts", "mobility", "overload",
                                            "material correction"};
    // the stage and material of each, where it is known ("" and -1: not checked)
    const struct {
        std::string args, stage;
        long material;
    } runs[] = {{"--2d", "opening", 0}, {"--3d", "opening", 0}, {"--2d --moves e2e4,d7d5,e4d5", "", -1},
                {"--fen \"6k1/5ppp/8/8/8/8/2P2PPP/6K1 w - - 0 1\"", "ending", 10052}};
    for (const auto& run : runs) {
        RUN_T r = RunTool("eval " + run.args);
        ASSERT_EQ(r.status, 0) << run.args << r.err;
        long total = -1, sum = 0;
        std::string stage;
        std::vector<std::string> seen;
        std::vector<long> raws;
        std::istringstream in(r.out);
        for (std::string line, text; std::getline(in, line);) {
            if (line.rfind("Evaluation: ", 0) == 0) {
                total = atol(line.substr(line.find("; ") + 2).c_str());
            } else if (line.rfind("  game stage", 0) == 0) {
                stage = line.substr(line.find_first_not_of(' ', 12));
            } else if (line.size() > 22) {
                seen.push_back(line.substr(2, 20));
                seen.back().erase(seen.back().find_last_not_of(' ') + 1);
                raws.push_back(0);
                std::istringstream(line.substr(22)) >> text >> raws.back();
                sum += raws.back();
            }
        }
        EXPECT_EQ(seen, names) << r.out;
        EXPECT_EQ(sum, total) << r.out;
        EXPECT_EQ(run.stage.empty() ? "" : stage, run.stage) << run.args;
        EXPECT_EQ(run.material < 0 || raws.empty() ? -1 : raws[0], run.material) << run.args;
    }
    RUN_T bad = RunTool("eval --bogus");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("unknown option"), std::string::npos);
}

}  // namespace

// Material corrections, the game stage, draw values, score texts, the
// coefficient table, and the terminal tool's eval command.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli.h"
#include "cli_runner.h"
#include "live_game.h"
#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {

POS_T* At(const char* fen, int stage = -1) {
    POS_T* b = Live2D(fen);
    if (stage >= 0)
        b->stage = stage;
    else
        EstimateGameStage(b, 1);
    RegenToPieces(b);
    return b;
}

// A slice of the table the positions here (2D) are evaluated with.
const ETYPE_T* Slice(int stage) { return GameCoefficients() + stage * COEFF_SLICE; }

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
    const ETYPE_T* first = Slice(OPENING);
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

// Both games' tables: the 2D game's own fit may move values, but not the
// quoted ones, nor the trends and shapes every fit keeps.
class CoefficientTables : public ::testing::TestWithParam<int> {
protected:
    const ETYPE_T* Slice(int stage) const {
        return (GetParam() == 2 ? new_coefficients_2d : new_coefficients) + stage * COEFF_SLICE;
    }
};

TEST_P(CoefficientTables, QuotedValuesAndStageTrends) {
    InitEvalTables();
    const ETYPE_T* o = Slice(OPENING);
    const std::pair<int, ETYPE_T> quoted[] = {
        {0, 2000},      {1, 2919},      {2, 1896},      {3, 1380},      {4, 1974},    {5, 1519},
        {6, 700},       {7, 1500},      {8, 3912},      {9, 1097},      {11, 3000},   {12, 5996},
        {17, 21000},    {19, 1000},     {25, 12000},    {28, 1000},     {33, 6000},   {34, 1771},
        {41, 23988},    {42, 614},      {43, 62},       {44, -1000},    {45, -3000},  {46, 10000},
        {47, 10000},    {48, 366},      {52, 1300},     {53, -1260},    {60, -1601},  {1182, 10052},
        {1187, 800000}, {1188, 2715},   {1189, 1446},   {1190, 215},    {1192, 999},  {1193, 1000},
        {1205, -811},   {1236, 3000},   {1237, 474},    {1238, 315},    {1239, 2000}, {1242, 50},
        {1271, 227},    {1274, 436},    {1286, 3400},   {1287, 1900},   {1290, 0},    {1319, 215},
        {1320, -266},   {1342, 30000},  {1343, 1512},   {1344, 895},    {1346, 1997}, {1347, 2001},
        {1348, 1500},   {1349, 2345},   {1353, 15957},  {1358, 874},    {1360, 7900}, {1367, 3900},
        {1372, 20},     {1373, 1110},   {1450, 535},    {1451, 122},    {1452, 500},  {1455, 1374},
    };
    for (const auto& [i, v] : quoted) EXPECT_EQ(o[i], v) << i;
    const ETYPE_T* e = Slice(ENDING);
    const ETYPE_T* m = Slice(MATING);
    for (int st = 0; st < 4; st++) {
        EXPECT_EQ(Slice(st)[1342], 30000);
        for (int k = 0; k <= 6; k++) EXPECT_EQ(Slice(st)[1181 + k], o[1181 + k]);
    }
    // the ending centralises the king and pushes passed pawns harder
    EXPECT_GT(e[56] - e[53], o[56] - o[53]);
    for (int r = 1; r <= 6; r++) EXPECT_GT(e[1352 + r], o[1352 + r]) << r;
    // the mating slice moves in whole thousands (material apart)
    for (int i = 0; i < COEFF_SLICE; i++) {
        if (i >= 1181 && i <= 1187) continue;
        EXPECT_EQ(m[i] % 1000, 0) << i;
    }
    EXPECT_EQ(m[34], 3000);
    EXPECT_EQ(m[41], 24000);
    // square tables are not flat: centre over rim, seventh rank for rooks
    for (int st = 0; st < 3; st++) {
        const ETYPE_T* c = Slice(st);
        EXPECT_GT(c[125 + E5], c[125 + A1]) << st;
        EXPECT_GT(c[61 + D7], c[61 + D4]) << st;
        EXPECT_GT(c[189 + E5], c[189 + A1]) << st;
        EXPECT_GT(c[1374 + E4], c[1374 + E2]) << st;
        EXPECT_GT(c[781 + 9], c[781 + 0]) << st;  // a knight with room
    }
}

INSTANTIATE_TEST_SUITE_P(Games, CoefficientTables, ::testing::Values(2, 3));

// --- the terminal tool ---------------------------------------------------------

std::vector<std::pair<std::string, long>> Terms(const std::string& out, long* total, std::string* stage) {
    std::vector<std::pair<std::string, long>> terms;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Evaluation: ", 0) == 0) {
            *total = atol(line.substr(line.find("; ") + 2).c_str());
        } else if (line.rfind("  game stage", 0) == 0) {
            *stage = line.substr(line.find_first_not_of(' ', 12));
        } else if (line.size() > 22) {
            std::string name = line.substr(2, 20);
            name.erase(name.find_last_not_of(' ') + 1);
            std::istringstream vals(line.substr(22));
            std::string text;
            long raw = 0;
            vals >> text >> raw;
            terms.emplace_back(name, raw);
        }
    }
    return terms;
}

TEST(CliEval, TermsAddUpToTheEvaluation) {
    const char* names[] = {"material", "specifics", "piece values", "king safety", "tactics",
                           "board control", "attack counts", "mobility", "overload", "material correction"};
    for (const std::string args : {"--2d", "--3d", "--2d --moves e2e4,d7d5,e4d5",
                                   "--fen \"6k1/5ppp/8/8/8/8/2P2PPP/6K1 w - - 0 1\""}) {
        RUN_T r = RunTool("eval " + args);
        ASSERT_EQ(r.status, 0) << args << r.err;
        long total = -1;
        std::string stage;
        auto terms = Terms(r.out, &total, &stage);
        ASSERT_EQ(terms.size(), 10u) << r.out;
        long sum = 0;
        for (size_t i = 0; i < terms.size(); i++) {
            EXPECT_EQ(terms[i].first, names[i]);
            sum += terms[i].second;
        }
        EXPECT_EQ(sum, total) << r.out;
        if (args.find("6k1") != std::string::npos) {
            EXPECT_EQ(stage, "ending");
            EXPECT_EQ(terms[0].second, 10052);
        } else if (args.find("moves") == std::string::npos) {
            EXPECT_EQ(stage, "opening");
            EXPECT_EQ(terms[0].second, 0);
        }
    }
    RUN_T bad = RunTool("eval --bogus");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("unknown option"), std::string::npos);
}

}  // namespace

// The static evaluation of the position reached, White's view, term by term.
#include <cstdio>

#include "cli.h"
#include "tamzor.h"
#include "eval/eval.h"

int CmdEval(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    for (int i = 0; i < argc; i++)
        if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
    if (int rc = SetUpPosition(opt)) return rc;
    POS_T* b = &state.position;
    // As the engine does before it searches: the stage of the position, then
    // every term afresh.
    EstimateGameStage(b, 1);
    b->flags &= ~(uint64_t)(FLAG_EVALUATED | FLAG_TACTICS_DONE);
    Evaluate(b, INF_VALUE, 2);
    const EVAL_TERMS_T t = eval_terms;
    static const char* const stages[4] = {"opening", "middle game", "ending", "mating"};
    const struct {
        const char* name;
        ETYPE_T v;
    } rows[] = {
        {"material", t.material},           {"specifics", t.specifics},
        {"piece values", t.piece_values},   {"king safety", t.king_safety},
        {"tactics", t.tactics},             {"board control", t.board_control},
        {"attack counts", t.attack_counts}, {"mobility", t.mobility},
        {"overload", t.overload},           {"material correction", t.correction},
    };
    printf("Evaluation: %s (White's view; %d units)\n", EvalStr(b->eval_result), b->eval_result);
    for (const auto& r : rows) printf("  %-20s %9s %9d\n", r.name, EvalStr(r.v), r.v);
    printf("  %-20s %s\n", "game stage", t.stage >= 0 && t.stage <= 3 ? stages[t.stage] : "?");
    return 0;
}

#include "search/thinking.h"
#include "viewlogic.h"
#include "tamzor.h"

std::vector<std::string> ThinkingPanelLines(const THINKING_T& t, bool analysing) {
    if (!t.any) {
        if (t.running) return {analysing ? "Analysing..." : "Tamzor is thinking..."};
        return {analysing ? "Analysis: waiting for the engine" : "The computer's thinking shows here when it searches."};
    }
    if (t.book) return {"Opening book: a known move, played without a search", NumberedLine(t.number, t.black_first, t.line)};
    // the score is White's whoever searches: + is good for White; a mate names its side
    const std::string score = PanelScoreText(t.white_value);
    std::string head = (analysing ? "Analysis: depth " : "Depth ") + std::to_string(t.depth) + ", " + score +
                       (score[0] == '+' || score[0] == '-' ? " for White, " : ", ") + NpsText(t.nps);
    if (!t.running && analysing) head += " (done)";
    return {head, NumberedLine(t.number, t.black_first, t.line)};
}

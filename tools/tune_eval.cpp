// Fits the 2D game's coefficients (new_coefficients_2d) to labelled 2D
// positions; its output goes into tools/fitted-coefficients-2d.txt.
//
// Input lines "FEN|score|bestmove|incheck": the score in centipawns for the
// side to move, given by a deeper search of the position (an outside engine
// or our own). Quiet positions alone are used: not in check, best move not a
// capture or promotion, score within 20 pawns. The fit is of the win
// expectancy each value stands for, the static value's scale found first.
//
// Each coefficient of the first three stages is moved once to see which
// positions it changes and by how much; the values are then fitted on that
// linear model (a fifth of the positions held out), with a pull towards the
// present values. The result is checked with the real evaluation on the
// held-out positions and written as "index value" lines of the coefficients
// that changed.
//
//     tune_eval POSITIONS OUT [ROUNDS [PULL [pawns] [king] [zone]]]
//
// "pawns" also fits the pawn terms of the middle-game and ending slices (the
// bare-king race apart), "king" their king's centralisation; the ending still
// pushes passed pawns and centralises the king more than the opening. "zone"
// fits the control values of the squares round a king on a wing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli.h"

namespace {

struct SAMPLE_T {
    POS_T pos;
    double target;  // win expectancy of White
    int stage;
    bool held_out;
};

// How one coefficient moves the positions' values.
struct ENTRY_T {
    int index;
    double orig, step;
    std::vector<std::pair<int, float>> effect;  // sample, value per unit
};

// A centipawn score as a win expectancy.
double Expect(double cp) { return 1.0 / (1.0 + std::pow(10.0, -cp / 400.0)); }

// A pawn in evaluation units.
constexpr double PAWN = 10052.0;

// Black's king-zone tables are mirrored from White's once per slice; a value
// changed in place would leave them stale, so each evaluation mirrors afresh.
void ForgetMirroredZones() {
    static ETYPE_T other[COEFF_SLICE];
    static POS_T none;
    coefficients = other;
    RecalcPosValues(&none);
}

// The static value of a set-up position, White's view, from nothing cached.
ETYPE_T StaticValue(const POS_T& p) {
    static POS_T b;
    ForgetMirroredZones();
    b = p;
    b.oldb = nullptr;
    b.flags &= ~(uint64_t)(FLAG_EVALUATED | FLAG_TACTICS_DONE);
    coefficients = new_coefficients_2d + b.stage * COEFF_SLICE;
    Evaluate(&b, INF_VALUE, 2);
    return b.eval_result;
}

std::vector<double> StaticValues(const std::vector<SAMPLE_T>& s) {
    std::vector<double> v(s.size());
    for (size_t i = 0; i < s.size(); i++) v[i] = StaticValue(s[i].pos);
    return v;
}

// Mean squared error of the expectancy, the values scaled by k, over the
// fitted or the held-out samples.
double Error(const std::vector<SAMPLE_T>& s, const std::vector<double>& v, double k, bool held) {
    double e = 0;
    int n = 0;
    for (size_t i = 0; i < s.size(); i++) {
        if (s[i].held_out != held) continue;
        const double d = s[i].target - Expect(k * v[i] * 100.0 / PAWN);
        e += d * d;
        n++;
    }
    return n ? e / n : 0;
}

// The scale that fits the values best.
double BestScale(const std::vector<SAMPLE_T>& s, const std::vector<double>& v) {
    double k = 1.0, best = 1e9;
    for (double t = 0.2; t <= 2.0; t += 0.01) {
        const double e = Error(s, v, t, false);
        if (e < best) best = e, k = t;
    }
    return k;
}

// Whether the middle game's and the ending's pawn terms, their king's
// centralisation, and the king-zone tables are fitted.
bool free_pawns = false, free_king = false, free_zone = false;

// Entries never fitted: the material worths, the race against a bare king,
// the king-zone tables, the king's centralisation and the pawn terms (unless
// freed above); in the opening slice everything but the square and mobility
// tables (the reference values).
bool Fixed(int stage, int j) {
    const bool zone = j >= 253 && j < 381;
    if ((j >= 1181 && j <= 1187) || j == 44 || j == 45 || (zone && !free_zone)) return true;
    if (j >= 53 && j <= 60 && (!free_king || stage == OPENING)) return true;
    if (j >= 1319 && j <= 1373 && (!free_pawns || stage == OPENING || j == 1342)) return true;
    const bool table = (j >= 61 && j < 1181) || (j >= 1374 && j < 1450);
    return stage == OPENING && !table;
}

// Square tables keep their shape: where the fit turned one of these pairs
// (the better square first: knight e5/a1, rook d7/d4, control e5/a1, pawn
// e4/e2, knight mobility 9/0) round in a slice, both keep their old values.
// The stage trends the fit may break are put back the same way.
void KeepShapesAndTrends(const ETYPE_T* orig) {
    const std::pair<int, int> pairs[] = {{125 + 36, 125 + 0}, {61 + 30, 61 + 27}, {189 + 36, 189 + 0},
                                         {1374 + 35, 1374 + 33}, {781 + 9, 781 + 0}};
    for (int st = 0; st < 3; st++) {
        ETYPE_T* c = new_coefficients_2d + st * COEFF_SLICE;
        const ETYPE_T* o = orig + st * COEFF_SLICE;
        for (const auto& [good, bad] : pairs) {
            if (c[good] > c[bad]) continue;
            c[good] = o[good];
            c[bad] = o[bad];
        }
    }
    // the ending pushes passed pawns harder, and centralises its king more,
    // than the opening
    for (int r = 1; r <= 6; r++) {
        const int j = 2 * COEFF_SLICE + 1352 + r;
        if (new_coefficients_2d[j] <= new_coefficients_2d[1352 + r]) new_coefficients_2d[j] = orig[j];
    }
    const ETYPE_T* e = new_coefficients_2d + 2 * COEFF_SLICE;
    if (e[56] - e[53] <= new_coefficients_2d[56] - new_coefficients_2d[53])
        for (int j = 53; j <= 60; j++) new_coefficients_2d[2 * COEFF_SLICE + j] = orig[2 * COEFF_SLICE + j];
}

// The quiet, distinct positions of the file, each set up with its stage.
std::vector<SAMPLE_T> LoadSamples(const char* path) {
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    std::vector<SAMPLE_T> samples;
    std::set<std::string> seen;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::stringstream ss(line);
        std::string fen, score, best, check;
        if (!std::getline(ss, fen, '|') || !std::getline(ss, score, '|') || !std::getline(ss, best, '|') ||
            !std::getline(ss, check, '|'))
            continue;
        if (check != "0" || score == "None" || best.size() != 4) continue;
        const int cp = atoi(score.c_str());
        if (std::abs(cp) > 2000) continue;
        // the position without its move counters, once
        if (!seen.insert(fen.substr(0, fen.rfind(' ', fen.rfind(' ') - 1))).second) continue;
        std::string error;
        if (!SetUpGame(opt) || !SetUpFen(fen, &error)) continue;
        POS_T* b = &state.position;
        if (b->board[(best[2] - 'a') * 8 + (best[3] - '1')]) continue;  // a capture
        EstimateGameStage(b, 1);
        if (b->stage > ENDING) continue;
        const bool white = fen.find(" w ") != std::string::npos;
        samples.push_back(SAMPLE_T{*b, Expect(white ? cp : -cp), b->stage, samples.size() % 5 == 4});
    }
    return samples;
}

// Each coefficient of the first three slices moved once: the positions it
// changes (at least 30 of them) and by how much.
std::vector<ENTRY_T> Effects(const std::vector<SAMPLE_T>& samples, const std::vector<double>& v0) {
    std::vector<ENTRY_T> entries;
    std::vector<std::vector<int>> by_stage(3);
    for (size_t i = 0; i < samples.size(); i++) by_stage[samples[i].stage].push_back((int)i);
    for (int st = 0; st < 3; st++) {
        for (int j = 0; j < COEFF_SLICE; j++) {
            if (Fixed(st, j)) continue;
            const int idx = st * COEFF_SLICE + j;
            const ETYPE_T c = new_coefficients_2d[idx];
            const ETYPE_T step = std::max<ETYPE_T>(100, std::abs(c) / 8);
            new_coefficients_2d[idx] = c + step;
            ENTRY_T e{idx, (double)c, (double)step, {}};
            for (int i : by_stage[st]) {
                const double d = StaticValue(samples[i].pos) - v0[i];
                if (d != 0) e.effect.push_back({i, (float)(d / step)});
            }
            new_coefficients_2d[idx] = c;
            if (e.effect.size() >= 30) entries.push_back(std::move(e));
        }
        fprintf(stderr, "stage %d: %zu positions, %zu coefficients seen so far\n", st, by_stage[st].size(),
                entries.size());
    }
    return entries;
}

// Adam on the linear model, pulled towards the present values: moving a
// value by its own size (or by 1000) costs `mu` of error.
std::vector<double> Fit(const std::vector<SAMPLE_T>& samples, const std::vector<double>& v0,
                        const std::vector<ENTRY_T>& entries, double k, double mu, int rounds) {
    const size_t n = samples.size(), m = entries.size();
    std::vector<double> w(m), m1(m), m2(m), v(n), dv(n);
    for (size_t j = 0; j < m; j++) w[j] = entries[j].orig;
    const double rate = 20.0, unit = std::log(10.0) / 400.0 * k * 100.0 / PAWN;
    for (int r = 1; r <= rounds; r++) {
        v = v0;
        for (size_t j = 0; j < m; j++) {
            const double dw = w[j] - entries[j].orig;
            if (dw != 0)
                for (const auto& [i, d] : entries[j].effect) v[i] += d * dw;
        }
        // the error's slope in each fitted sample's value
        int fitted = 0;
        for (size_t i = 0; i < n; i++) {
            dv[i] = 0;
            if (samples[i].held_out) continue;
            fitted++;
            const double p = Expect(k * v[i] * 100.0 / PAWN);
            dv[i] = -2 * (samples[i].target - p) * p * (1 - p) * unit;
        }
        for (size_t j = 0; j < m; j++) {
            double s = 0;
            for (const auto& [i, d] : entries[j].effect) s += dv[i] * d;
            const double scale = std::max(1000.0, std::abs(entries[j].orig));
            const double g = s / fitted + mu * 2 * (w[j] - entries[j].orig) / (scale * scale);
            m1[j] = 0.9 * m1[j] + 0.1 * g;
            m2[j] = 0.999 * m2[j] + 0.001 * g * g;
            const double mh = m1[j] / (1 - std::pow(0.9, r)), vh = m2[j] / (1 - std::pow(0.999, r));
            w[j] -= rate * mh / (std::sqrt(vh) + 1e-12);
        }
        if (r % 250 == 0 || r == rounds)
            fprintf(stderr, "round %d: linear error %.6f fitted, %.6f held out\n", r, Error(samples, v, k, false),
                    Error(samples, v, k, true));
    }
    return w;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: tune_eval POSITIONS OUT [ROUNDS [PULL [pawns] [king] [zone]]]\n");
        return 2;
    }
    const int rounds = argc > 3 ? atoi(argv[3]) : 1500;
    const double mu = argc > 4 ? atof(argv[4]) : 1e-5;
    for (int i = 5; i < argc; i++) {
        const std::string word = argv[i];
        if (word != "pawns" && word != "king" && word != "zone") {
            fprintf(stderr, "tune_eval: unknown word '%s' (pawns, king, zone)\n", argv[i]);
            return 2;
        }
        free_pawns |= word == "pawns";
        free_king |= word == "king";
        free_zone |= word == "zone";
    }
    if (!freopen("/dev/null", "w", stdout)) return 1;
    hash_c.HashResize(1);  // a stage change clears the table
    const std::vector<SAMPLE_T> samples = LoadSamples(argv[1]);
    fprintf(stderr, "%zu quiet positions\n", samples.size());
    const std::vector<double> v0 = StaticValues(samples);
    const double k = BestScale(samples, v0);
    const double before = Error(samples, v0, k, true);
    fprintf(stderr, "scale %.2f: error %.6f fitted, %.6f held out\n", k, Error(samples, v0, k, false), before);

    const std::vector<ENTRY_T> entries = Effects(samples, v0);
    const std::vector<double> w = Fit(samples, v0, entries, k, mu, rounds);

    // The real evaluation with the fitted values.
    std::vector<ETYPE_T> orig(new_coefficients_2d, new_coefficients_2d + COEFF_COUNT);
    for (size_t j = 0; j < entries.size(); j++) new_coefficients_2d[entries[j].index] = (ETYPE_T)std::lround(w[j]);
    KeepShapesAndTrends(orig.data());
    const std::vector<double> v1 = StaticValues(samples);
    const double k1 = BestScale(samples, v1);
    const double after = Error(samples, v1, k1, true);
    fprintf(stderr, "real evaluation: scale %.2f, error %.6f fitted, %.6f held out (was %.6f)\n", k1,
            Error(samples, v1, k1, false), after, before);
    FILE* out = fopen(argv[2], "w");
    if (!out) return 1;
    fprintf(out, "# %zu quiet positions of %s, pull %g, %d rounds: held-out error %.6f -> %.6f\n", samples.size(),
            argv[1], mu, rounds, before, after);
    fprintf(out, "# index value  # the value before\n");
    int changed = 0;
    for (const ENTRY_T& e : entries) {
        const ETYPE_T now = new_coefficients_2d[e.index];
        if (now != (ETYPE_T)e.orig) {
            fprintf(out, "%d %d  # %d\n", e.index, now, (int)e.orig);
            changed++;
        }
    }
    fclose(out);
    fprintf(stderr, "%d coefficients changed\n", changed);
    return 0;
}

// How well Lexiwren predicts recall: a year of answers to 1,000 words drawn
// from FSRS's own forgetting curve, each word remembered by the learner
// somewhat better or worse than the model assumes (its true stability is
// the model's times a factor drawn per word, log-normal, sigma 0.5). Every
// day the learner answers the words the schedule says are due, plus 20 new
// ones until all are in; a wrong answer is asked again a few minutes later.
// Before each answer a day or more after the last, the recall each model
// predicts is set against the outcome:
//   - Lexiwren: FSRS-6 with its default parameters, as the schedule has it;
//   - the 60 % accuracy filter: recall taken as the word's accuracy so far,
//     smoothed as (right + 1) / (answers + 2) so that it is never certain.
// Printed as log-loss and RMSE(bins), the binning of the open srs-benchmark
// (by elapsed days, review number and lapses), beside that benchmark's
// published figures for FSRS-6 and SM-2 on real review logs.
//
//   review_replay [seed]
#include "review/fsrs.h"
#include "review/word_memory.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <tuple>
#include <vector>

namespace {

constexpr int kWords = 1000;
constexpr int kDays = 365;
constexpr int kNewPerDay = 20;
constexpr qint64 kDay = review::kDay;

struct Prediction {
    double p; // predicted recall
    bool y; // recalled
    double elapsedDays;
    int review; // how many answers the word had before this one
    int lapses;
};

double logLoss(const std::vector<Prediction>& rows)
{
    double sum = 0;
    for (const Prediction& r : rows) {
        const double p = std::clamp(r.p, 1e-6, 1 - 1e-6);
        sum -= r.y ? std::log(p) : std::log(1 - p);
    }
    return sum / double(rows.size());
}

// srs-benchmark's RMSE(bins): the predictions grouped by a logarithmic bin
// of the elapsed days, of the review number and of the lapses; the root of
// the count-weighted mean squared difference of each group's mean
// prediction and mean outcome.
double binValue(double x, double scale, double base)
{
    return std::round(scale * std::pow(base, std::floor(std::log(x) / std::log(base))) * 100) / 100;
}

double rmseBins(const std::vector<Prediction>& rows)
{
    std::map<std::tuple<double, double, double>, std::tuple<double, double, int>> bins;
    for (const Prediction& r : rows) {
        const auto key = std::make_tuple(binValue(std::max(r.elapsedDays, 1e-6), 2.48, 3.62),
                                         std::round(binValue(r.review, 1.99, 1.89)),
                                         r.lapses == 0 ? 0.0 : std::round(binValue(r.lapses, 1.65, 1.73)));
        auto& [p, y, n] = bins[key];
        p += r.p;
        y += r.y ? 1 : 0;
        ++n;
    }
    double sum = 0;
    int total = 0;
    for (const auto& [key, value] : bins) {
        const auto& [p, y, n] = value;
        sum += n * std::pow(p / n - y / n, 2);
        total += n;
    }
    return std::sqrt(sum / total);
}

struct Word {
    review::WordMemory memory;
    double factor = 1; // true stability / the model's
    int answers = 0;
    int right = 0;
    bool started = false;
};

} // namespace

int main(int argc, char** argv)
{
    std::mt19937_64 rng(argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 21);
    std::lognormal_distribution<double> spread(0.0, 0.5);
    std::uniform_real_distribution<double> uniform(0, 1);
    const fsrs::Model model;
    std::vector<Word> words(kWords);
    for (Word& w : words)
        w.factor = spread(rng);

    std::vector<Prediction> fsrsRows;
    std::vector<Prediction> accuracyRows;
    int started = 0;
    long long answers = 0;
    const qint64 t0 = 1'767'225'600; // 2026-01-01 00:00 UTC
    for (int day = 0; day < kDays; ++day) {
        // An evening session: due words first, then the day's new ones.
        qint64 now = t0 + day * kDay + 19 * 3600 + qint64(uniform(rng) * 7200);
        const qint64 endOfDay = t0 + (day + 1) * kDay;
        std::vector<int> asked;
        for (int i = 0; i < started; ++i) {
            if (words[i].memory.due < endOfDay)
                asked.push_back(i);
        }
        for (int n = 0; n < kNewPerDay && started < kWords; ++n)
            asked.push_back(started++);
        for (const int i : asked) {
            Word& w = words[i];
            now += 10 + qint64(uniform(rng) * 20);
            bool right;
            if (!w.memory.answered()) {
                // A new word is shown and typed: right as often as FSRS's
                // first answers are (a fair coin weighted to Good).
                right = uniform(rng) < 0.75;
            } else {
                const double elapsed = double(now - w.memory.lastReview) / kDay;
                const double truth = model.retrievability(elapsed, w.factor * w.memory.state.stability);
                right = uniform(rng) < truth;
                if (elapsed >= 1) {
                    const Prediction row{w.memory.recall(model, now), right, std::floor(elapsed),
                                         w.memory.reviews, w.memory.lapses};
                    fsrsRows.push_back(row);
                    Prediction byAccuracy = row;
                    byAccuracy.p = (w.right + 1.0) / (w.answers + 2.0);
                    accuracyRows.push_back(byAccuracy);
                }
            }
            w.memory = review::advance(model, w.memory, now, right, false);
            ++w.answers;
            w.right += right;
            ++answers;
            if (!right) {
                // Asked again within the session: the word was just shown.
                const qint64 again = now + 180;
                const bool second = uniform(rng) < 0.9;
                w.memory = review::advance(model, w.memory, again, second, false);
                ++w.answers;
                w.right += second;
                ++answers;
            }
        }
    }
    std::printf("{\"words\": %d, \"days\": %d, \"answers\": %lld, \"evaluated\": %zu,\n", kWords, kDays,
                answers, fsrsRows.size());
    std::printf(" \"lexiwren_fsrs6\": {\"log_loss\": %.4f, \"rmse_bins\": %.4f},\n", logLoss(fsrsRows),
                rmseBins(fsrsRows));
    std::printf(" \"accuracy_filter\": {\"log_loss\": %.4f, \"rmse_bins\": %.4f},\n", logLoss(accuracyRows),
                rmseBins(accuracyRows));
    std::printf(
        " \"published_srs_benchmark\": {\"fsrs6_default\": {\"log_loss\": 0.3393, \"rmse_bins\": 0.0716},"
        " \"sm2\": {\"log_loss\": 0.490, \"rmse_bins\": 0.128}}}\n");
    return 0;
}

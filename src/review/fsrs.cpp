#include "review/fsrs.h"

#include <algorithm>
#include <cmath>

namespace fsrs {

namespace {

double grade(Rating rating)
{
    return static_cast<double>(static_cast<int>(rating));
}

// NaN, which no formula here makes from sound input, goes to the bottom.
double clampStability(double s)
{
    return s >= kMinStability ? std::min(s, kMaxStability) : kMinStability;
}

double clampDifficulty(double d)
{
    return d >= kMinDifficulty ? std::min(d, kMaxDifficulty) : kMinDifficulty;
}

} // namespace

Model::Model(const Parameters& weights) : w_(weights), decay_(-weights[20])
{
    // The factor makes the curve pass 90 % at t = S whatever the decay.
    factor_ = std::pow(0.9, 1.0 / decay_) - 1.0;
    recallScale_ = std::exp(w_[8]);
    easyDifficulty_ = initialDifficulty(Rating::Easy);
    lapseBound_ = std::exp(w_[17] * w_[18]);
}

double Model::retrievability(double elapsedDays, double stability) const
{
    return std::pow(1.0 + factor_ * std::max(elapsedDays, 0.0) / clampStability(stability), decay_);
}

double Model::interval(double stability, double retention) const
{
    return stability / factor_ * (std::pow(retention, 1.0 / decay_) - 1.0);
}

int Model::intervalDays(double stability, double retention) const
{
    const double days = std::round(interval(stability, retention));
    if (!(days >= 1.0)) // also NaN
        return 1;
    return days > kMaxIntervalDays ? kMaxIntervalDays : static_cast<int>(days);
}

double Model::initialStability(Rating rating) const
{
    return clampStability(w_[static_cast<int>(rating) - 1]);
}

double Model::initialDifficulty(Rating rating) const
{
    return w_[4] - std::exp(w_[5] * (grade(rating) - 1.0)) + 1.0;
}

double Model::nextDifficulty(double difficulty, Rating rating) const
{
    // The change shrinks as the difficulty nears 10 (linear damping), and
    // the result is drawn a little towards the difficulty of an Easy first
    // answer (mean reversion), so no word stays at the top for good.
    const double delta = -w_[6] * (grade(rating) - 3.0);
    const double damped = difficulty + delta * (10.0 - difficulty) / 9.0;
    const double reverted = w_[7] * easyDifficulty_ + (1.0 - w_[7]) * damped;
    return clampDifficulty(reverted);
}

double Model::recallStability(double difficulty, double stability, double recall, Rating rating) const
{
    const double hardPenalty = rating == Rating::Hard ? w_[15] : 1.0;
    const double easyBonus = rating == Rating::Easy ? w_[16] : 1.0;
    return stability
        * (1.0
           + recallScale_ * (11.0 - difficulty) * std::pow(stability, -w_[9])
               * (std::exp((1.0 - recall) * w_[10]) - 1.0) * hardPenalty * easyBonus);
}

double Model::forgetStability(double difficulty, double stability, double recall) const
{
    const double longTerm = w_[11] * std::pow(difficulty, -w_[12]) * (std::pow(stability + 1.0, w_[13]) - 1.0)
        * std::exp((1.0 - recall) * w_[14]);
    // A lapse never leaves the word more stable than a same-day Again would.
    const double shortTermBound = stability / lapseBound_;
    return std::min(longTerm, shortTermBound);
}

double Model::shortTermStability(double stability, Rating rating) const
{
    double increase = std::exp(w_[17] * (grade(rating) - 3.0 + w_[18])) * std::pow(stability, -w_[19]);
    // Only Again may lower the stability within a day (fsrs-rs and ts-fsrs
    // keep Hard from lowering it too; py-fsrs lets Hard lower it).
    if (rating != Rating::Again)
        increase = std::max(increase, 1.0);
    return stability * increase;
}

MemoryState Model::first(Rating rating) const
{
    return {initialStability(rating), clampDifficulty(initialDifficulty(rating))};
}

MemoryState Model::longTerm(const MemoryState& state, Rating rating, double recall) const
{
    const double s = clampStability(state.stability);
    const double d = clampDifficulty(state.difficulty);
    const double stability =
        rating == Rating::Again ? forgetStability(d, s, recall) : recallStability(d, s, recall, rating);
    return {clampStability(stability), nextDifficulty(d, rating)};
}

MemoryState Model::next(const MemoryState& state, Rating rating, int elapsedDays) const
{
    const double s = clampStability(state.stability);
    const double d = clampDifficulty(state.difficulty);
    if (elapsedDays <= 0)
        return {clampStability(shortTermStability(s, rating)), nextDifficulty(d, rating)};
    return longTerm(state, rating, retrievability(elapsedDays, s));
}

MemoryState Model::nextAt(const MemoryState& state, Rating rating, double recall) const
{
    return longTerm(state, rating, std::clamp(recall, 0.0, 1.0));
}

} // namespace fsrs

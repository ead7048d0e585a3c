#pragma once

#include <array>

// The memory model that decides when a word is asked again: FSRS-6, the
// Free Spaced Repetition Scheduler of the open-spaced-repetition project, as
// its reference implementations define it (fsrs-rs, ts-fsrs and py-fsrs 6).
// Each word's memory is two numbers: stability, the days after which the
// chance of recalling it has fallen to 90 %, and difficulty, 1 to 10. Every
// answer moves both, by how it was rated and how long ago the word was last
// seen; the next review falls where the predicted recall reaches the desired
// retention.
//
// Pure arithmetic: no clock, no files. Times are whole days since the last
// review, counted as 24-hour periods (0 for a review within 24 hours of the
// last, which FSRS-6 treats as a short-term, same-day review).
namespace fsrs {

enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct MemoryState {
    double stability = 0; // days
    double difficulty = 0; // 1 … 10

    bool operator==(const MemoryState&) const = default;
};

using Parameters = std::array<double, 21>;

// FSRS-6's default weights w0 … w20, as published by the open-spaced-
// repetition project in its reference implementations (fsrs-rs
// DEFAULT_PARAMETERS, py-fsrs 6 DEFAULT_PARAMETERS). w20 is the decay of the
// forgetting curve.
inline constexpr Parameters kDefaultParameters = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542,
};

inline constexpr double kMinStability = 0.001;
inline constexpr double kMaxStability = 36500;
inline constexpr double kMinDifficulty = 1;
inline constexpr double kMaxDifficulty = 10;
inline constexpr int kMaxIntervalDays = 36500;
inline constexpr double kDesiredRetention = 0.9;

class Model {
public:
    explicit Model(const Parameters& weights = kDefaultParameters);

    const Parameters& parameters() const { return w_; }

    // The predicted chance of recall `elapsedDays` (any real number of days
    // from 0) after a review that left `stability`.
    double retrievability(double elapsedDays, double stability) const;
    // The days after which the predicted recall falls to `retention`.
    double interval(double stability, double retention = kDesiredRetention) const;
    // The same, rounded to whole days, at least 1 and at most 36,500.
    int intervalDays(double stability, double retention = kDesiredRetention) const;

    // The state after a word's first answer.
    MemoryState first(Rating rating) const;
    // The state after a later answer, `elapsedDays` whole days after the last.
    MemoryState next(const MemoryState& state, Rating rating, int elapsedDays) const;
    // A later answer whose predicted recall is known without a time (a word
    // whose earlier answers were counted before any history was kept).
    MemoryState nextAt(const MemoryState& state, Rating rating, double recall) const;

    // The formulas by themselves, for the tests and the fitting.
    double initialStability(Rating rating) const;
    double initialDifficulty(Rating rating) const; // not clamped
    double nextDifficulty(double difficulty, Rating rating) const;
    double recallStability(double difficulty, double stability, double recall, Rating rating) const;
    double forgetStability(double difficulty, double stability, double recall) const;
    double shortTermStability(double stability, Rating rating) const;

private:
    MemoryState longTerm(const MemoryState& state, Rating rating, double recall) const;

    Parameters w_;
    double decay_;
    double factor_;
    // Parts of the formulas that depend on the weights alone.
    double recallScale_; // e^w8
    double easyDifficulty_; // D0(Easy), the target of mean reversion
    double lapseBound_; // e^(w17 · w18)
};

} // namespace fsrs

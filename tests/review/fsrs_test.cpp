#include "review/fsrs.h"
#include "review/word_memory.h"

#include <QFile>
#include <QList>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using fsrs::Rating;

Rating ratingFrom(char letter)
{
    switch (letter) {
    case 'A': return Rating::Again;
    case 'H': return Rating::Hard;
    case 'G': return Rating::Good;
    default: return Rating::Easy;
    }
}

struct Vector {
    std::string name;
    std::vector<std::pair<Rating, qint64>> history; // rating, seconds from the first review
    double stability;
    double difficulty;
    int interval;
    qint64 due;
};

// The table written by data/fsrs6_vectors.py from the published formulas.
std::vector<Vector> vectors()
{
    QFile file(QStringLiteral(FSRS_VECTORS));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<Vector> out;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> cells = line.split('\t');
        Vector v{cells[0].toStdString(), {}, cells[2].toDouble(), cells[3].toDouble(), cells[4].toInt(),
                 cells[5].toLongLong()};
        for (const QByteArray& item : cells[1].split(' '))
            v.history.emplace_back(ratingFrom(item[0]), item.mid(2).toLongLong());
        out.push_back(std::move(v));
    }
    return out;
}

TEST(Fsrs, EveryHistoryOfTheTableGivesItsStateIntervalAndDueTime)
{
    const fsrs::Model model;
    const std::vector<Vector> table = vectors();
    ASSERT_GE(table.size(), 15u);
    for (const Vector& v : table) {
        SCOPED_TRACE(v.name);
        fsrs::MemoryState state = model.first(v.history.front().first);
        qint64 last = v.history.front().second;
        for (size_t i = 1; i < v.history.size(); ++i) {
            const auto& [rating, at] = v.history[i];
            state = model.next(state, rating, int(std::max<qint64>(at - last, 0) / review::kDay));
            last = std::max(last, at);
        }
        EXPECT_NEAR(state.stability, v.stability, 1e-6 * v.stability);
        EXPECT_NEAR(state.difficulty, v.difficulty, 1e-6);
        EXPECT_EQ(model.intervalDays(state.stability), v.interval);

        // The same history as answers in the history: only Easy has no
        // answer of ours.
        bool easy = false;
        std::vector<history::Review> reviews;
        for (const auto& [rating, at] : v.history) {
            easy = easy || rating == Rating::Easy;
            reviews.push_back({at + 1'700'000'000, history::Place::QuizSpelling, rating != Rating::Again,
                               rating == Rating::Hard});
        }
        if (easy)
            continue;
        const review::WordMemory memory = review::replay(model, reviews);
        EXPECT_NEAR(memory.state.stability, v.stability, 1e-6 * v.stability);
        EXPECT_EQ(memory.due, v.due + 1'700'000'000);
        EXPECT_EQ(memory.reviews, int(v.history.size()));
    }
}

// Values the reference implementations pin in their own tests (fsrs-rs
// inference.rs test_next_interval, test_memory_state; py-fsrs
// test_memo_state): our curve and our updates agree with theirs.
TEST(Fsrs, AgreesWithTheReferenceImplementationsOwnTests)
{
    const fsrs::Model model;
    const int expected[] = {3116766, 34793, 2508, 387, 90, 27, 9, 3, 1, 1};
    // They compute in single precision: the longest differ in the sixth digit.
    for (int i = 1; i <= 10; ++i)
        EXPECT_NEAR(std::max(1.0, std::round(model.interval(1.0, i / 10.0))), expected[i - 1],
                    2e-6 * expected[i - 1])
            << i;

    fsrs::MemoryState state = model.first(Rating::Again);
    const int gaps[] = {0, 1, 3, 8, 21};
    for (const int gap : gaps)
        state = model.next(state, Rating::Good, gap);
    EXPECT_NEAR(state.stability, 53.62691, 1e-4);
    EXPECT_NEAR(state.difficulty, 6.3574867, 1e-4);
}

TEST(Fsrs, TheForgettingCurvePassesNinetyPercentAtTheStability)
{
    const fsrs::Model model;
    for (const double s : {0.01, 0.5, 2.3065, 40.0, 3000.0}) {
        EXPECT_NEAR(model.retrievability(s, s), 0.9, 1e-12) << s;
        EXPECT_DOUBLE_EQ(model.retrievability(0, s), 1.0);
        EXPECT_LT(model.retrievability(2 * s, s), model.retrievability(s, s));
        EXPECT_NEAR(model.interval(s), s, 1e-9 * s);
    }
    // A lower retention asks later, a higher one sooner.
    EXPECT_GT(model.intervalDays(50, 0.8), model.intervalDays(50, 0.9));
    EXPECT_LT(model.intervalDays(50, 0.95), model.intervalDays(50, 0.9));
}

// States no history of ours produces (a damaged or hand-made file could):
// the model stays finite and within its bounds instead of passing NaN or
// infinity on to due times.
TEST(Fsrs, OutOfRangeStatesStayFiniteAndBounded)
{
    const fsrs::Model model;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const fsrs::MemoryState odd[] = {{0, 0}, {-5, 20}, {1e300, -3}, {inf, 5}, {nan, nan}};
    for (const fsrs::MemoryState& state : odd) {
        for (const Rating rating : {Rating::Again, Rating::Hard, Rating::Good, Rating::Easy}) {
            for (const int days : {0, 1, 400, 1 << 30}) {
                const fsrs::MemoryState next = model.next(state, rating, days);
                EXPECT_GE(next.stability, fsrs::kMinStability);
                EXPECT_LE(next.stability, fsrs::kMaxStability);
                EXPECT_GE(next.difficulty, fsrs::kMinDifficulty);
                EXPECT_LE(next.difficulty, fsrs::kMaxDifficulty);
                const int interval = model.intervalDays(next.stability);
                EXPECT_GE(interval, 1);
                EXPECT_LE(interval, fsrs::kMaxIntervalDays);
            }
        }
    }
    EXPECT_EQ(model.intervalDays(nan), 1);
    EXPECT_EQ(model.intervalDays(inf), fsrs::kMaxIntervalDays);
}

} // namespace

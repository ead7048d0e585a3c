#include "review/schedule.h"
#include "store/line_store.h"

#include <gtest/gtest.h>

namespace {

using review::kDay;
using review::Schedule;
using review::WordMemory;

constexpr qint64 kT0 = 1'780'000'000; // a Tuesday in 2026

history::Review good(qint64 t)
{
    return {t, history::Place::QuizSpelling, true, false};
}
history::Review wrong(qint64 t)
{
    return {t, history::Place::NormalTest, false, false};
}

TEST(WordMemory, CountsWithoutHistoryGiveADocumentedPrior)
{
    const fsrs::Model model;
    const fsrs::MemoryState again = model.first(fsrs::Rating::Again);
    const fsrs::MemoryState good = model.first(fsrs::Rating::Good);
    struct Case {
        const char* name;
        int asked, correct;
        bool answered;
        double stability, difficulty, recall;
    };
    const double half = 0.5;
    const Case cases[] = {
        {"never_answered", 0, 0, false, 0, 0, 0},
        {"negative_counts_from_a_damaged_file", -3, -1, false, 0, 0, 0},
        {"always_right", 10, 10, true, good.stability, good.difficulty, 0.9},
        {"never_right", 5, 0, true, again.stability, again.difficulty, 0},
        {"half_right", 8, 4, true, again.stability + half * (good.stability - again.stability),
         again.difficulty + half * (good.difficulty - again.difficulty), 0.45},
        {"more_right_than_asked_reads_as_all_right", 3, 7, true, good.stability, good.difficulty, 0.9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WordMemory memory = review::fromCounts(model, c.asked, c.correct);
        EXPECT_EQ(memory.answered(), c.answered);
        if (!c.answered)
            continue;
        EXPECT_EQ(memory.source, WordMemory::Source::Counts);
        EXPECT_NEAR(memory.state.stability, c.stability, 1e-12);
        EXPECT_NEAR(memory.state.difficulty, c.difficulty, 1e-12);
        EXPECT_NEAR(memory.recall(model, kT0), c.recall, 1e-12);
        EXPECT_TRUE(memory.isDue(kT0));
    }
    // Its first answer in the history is a review on time, not a first
    // answer: a word right ten times of ten grows beyond a new word's Good.
    const WordMemory known = review::advance(model, review::fromCounts(model, 10, 10), kT0, true, false);
    EXPECT_GT(known.state.stability, model.first(fsrs::Rating::Good).stability);
    EXPECT_EQ(known.source, WordMemory::Source::History);
    EXPECT_EQ(known.due, kT0 + model.intervalDays(known.state.stability) * kDay);
}

TEST(WordMemory, AClockSetBackNeverMovesTheLastReviewBackwards)
{
    const fsrs::Model model;
    const std::vector<history::Review> reviews = {good(kT0), good(kT0 + 3 * kDay), good(kT0 + kDay)};
    const WordMemory memory = review::replay(model, reviews);
    EXPECT_EQ(memory.lastReview, kT0 + 3 * kDay);
    EXPECT_GE(memory.due, kT0 + 4 * kDay);
    EXPECT_EQ(memory.lapses, 0);
}

// A word file of five records and the history of some of them: which are
// due, in which order, and when the next falls due.
struct Library {
    std::vector<review::RecordCounts> records = {
        {"apple", 3, 3}, // answered before the history was kept: 100 %
        {"bread", 0, 0}, // new
        {"cloud", 2, 2}, // answered right twice, 38 days ago
        {"dance", 4, 1}, // no history, 25 %
        {"eagle", 1, 1}, // answered right just now
    };
    std::vector<history::WordReviews> reviews = {
        {"cloud", {good(kT0 - 40 * kDay), good(kT0 - 38 * kDay)}},
        {"eagle", {good(kT0 - 60)}},
        {"ghost", {wrong(kT0 - 90 * kDay)}}, // a word not in this file
    };
};

TEST(Schedule, TheDuePoolHoldsWhatIsDueNowMostOverdueFirst)
{
    const Library lib;
    const Schedule schedule(lib.records, lib.reviews);
    ASSERT_EQ(schedule.size(), 5);
    EXPECT_FALSE(schedule.dueOf(1).has_value()) << "a new word has no due date";
    EXPECT_EQ(schedule.memory(2).source, WordMemory::Source::History);
    EXPECT_EQ(schedule.memory(0).source, WordMemory::Source::Counts);

    // dance's assumed 22.5 % comes first, cloud's recall after 38 days on a
    // stability of about a week next, apple's assumed 90 % last.
    EXPECT_GT(schedule.recall(2, kT0), 0.225);
    EXPECT_LT(schedule.recall(2, kT0), 0.9);
    EXPECT_EQ(schedule.duePool(kT0), (std::vector<int>{3, 2, 0}));
    EXPECT_FALSE(schedule.nextDue(kT0).has_value()) << "words are due already";
    EXPECT_EQ(*schedule.dueOf(4), kT0 - 60 + 2 * kDay);
}

TEST(Schedule, AnswersMoveWordsOutOfThePoolAndTellWhenTheNextFallsDue)
{
    const Library lib;
    Schedule schedule(lib.records, lib.reviews);
    schedule.answered("cloud", kT0, true, false);
    schedule.answered("dance", kT0 + 5, false, false);
    schedule.answered("apple", kT0 + 10, true, true); // with the hint: Hard
    schedule.answered("ghost", kT0 + 20, true, false); // not a record: nothing
    EXPECT_TRUE(schedule.duePool(kT0 + 30).empty());
    // dance, wrong, comes back first: a day later.
    EXPECT_EQ(schedule.nextDue(kT0 + 30), kT0 + 5 + kDay);
    EXPECT_EQ(schedule.duePool(kT0 + 5 + kDay), (std::vector<int>{3}));
    EXPECT_EQ(schedule.memory(3).reviews, 1);
    EXPECT_EQ(schedule.memory(0).source, WordMemory::Source::History);

    // Nothing answered at all: no next time to tell.
    const Schedule fresh(std::vector<review::RecordCounts>{{"bread", 0, 0}}, {});
    EXPECT_TRUE(fresh.duePool(kT0).empty());
    EXPECT_FALSE(fresh.nextDue(kT0).has_value());
}

TEST(Schedule, RecordsSpeltAlikeShareOneMemory)
{
    const std::vector<review::RecordCounts> records = {{"bank", 0, 0}, {"river", 0, 0}, {"bank", 5, 1}};
    const std::vector<history::WordReviews> reviews = {{"bank", {wrong(kT0 - 3 * kDay)}}};
    Schedule schedule(records, reviews);
    EXPECT_EQ(schedule.memory(0).source, WordMemory::Source::History);
    EXPECT_EQ(schedule.memory(2).source, WordMemory::Source::History);
    EXPECT_EQ(schedule.duePool(kT0), (std::vector<int>{0, 2}));
    schedule.answered("bank", kT0, true, false);
    EXPECT_EQ(schedule.dueOf(0), schedule.dueOf(2));
    EXPECT_TRUE(schedule.duePool(kT0).empty());
}

TEST(Schedule, RecordsAreReadAsEveryScanSeesThem)
{
    LineStore store;
    // A damaged counter loses only the prior; the line after the empty one
    // is invisible to every scan.
    store.setText("apple,a,,,0,3,2\r\nbread,b,,,0,x,1\r\ncloud,c,,,0,$A,1\r\n\r\ndance,d,,,0,1,1\r\n");
    const std::vector<review::RecordCounts> records = review::recordsOf(store);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].word, "apple");
    EXPECT_EQ(records[0].asked, 3);
    EXPECT_EQ(records[1].asked, 0);
    EXPECT_EQ(records[1].correct, 1);
    EXPECT_EQ(records[2].asked, 10);
}

} // namespace

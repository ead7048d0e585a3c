#pragma once

#include "history/records.h"
#include "review/fsrs.h"

#include <QtGlobal>
#include <span>

namespace review {

inline constexpr qint64 kDay = 24 * 60 * 60;

// How an answer rates for the memory model: right = Good, right after the
// hint was shown = Hard, wrong = Again (with or without the hint). Easy is
// never given: typing the word is no easier for knowing it very well.
fsrs::Rating ratingOf(bool right, bool hint);

// What the history tells of one word: how well it is remembered now and
// when it is due.
struct WordMemory {
    enum class Source {
        None, // never answered: a new word
        History, // replayed from its reviews
        Counts, // answered before any history was kept: estimated from its counts
    };
    Source source = Source::None;
    fsrs::MemoryState state;
    int reviews = 0; // answers in the history
    int lapses = 0; // wrong answers a day or more after the one before
    qint64 lastReview = 0; // UTC seconds; 0 for Counts
    qint64 due = 0; // UTC seconds; 0 (long past) for Counts
    double countsRecall = 0; // Counts only: the recall assumed until the first reviewed answer

    bool answered() const { return source != Source::None; }
    // The predicted chance of recalling it at `now`; 0 for a new word.
    double recall(const fsrs::Model& model, qint64 now) const;
    bool isDue(qint64 now) const { return answered() && due <= now; }
};

// A word's memory from its reviews, oldest first, each after the last by
// whole 24-hour days (none between: a same-day review, as FSRS-6 has it).
// The next review is due when the predicted recall falls to `retention`,
// in whole days. An empty list gives a new word.
WordMemory replay(const fsrs::Model& model, std::span<const history::Review> reviews,
                  double retention = fsrs::kDesiredRetention);
// One more answer on top of `memory` (a new word's first answer included).
WordMemory advance(const fsrs::Model& model, WordMemory memory, qint64 time, bool right, bool hint,
                   double retention = fsrs::kDesiredRetention);

// A word the counts say was answered (`asked` > 0) but that has no review in
// the history: its word file was kept before the history was. Nothing tells
// when those answers were given, only how many were right, so
//   - it is due at once, and among the due it comes as early as its
//     accuracy is low: its recall is taken to be 90 % × correct / asked;
//   - its stability and difficulty lie between those FSRS gives a first
//     answer of Again (accuracy 0) and of Good (accuracy 1), by accuracy;
//   - its first answer in the history is rated as a review on time (at
//     90 % recall), so the counts decide how hard it is, not how long ago
//     it was seen.
// New (Source::None) when `asked` is 0 or less.
WordMemory fromCounts(const fsrs::Model& model, int asked, int correct);

} // namespace review

#pragma once

#include "history/records.h"
#include "review/fsrs.h"
#include "review/word_memory.h"

#include <QByteArray>
#include <QHash>
#include <optional>
#include <vector>

class LineStore;

namespace review {

// What the schedule needs of one visible record: its word (field 1) and
// its counts.
struct RecordCounts {
    QByteArray word;
    int asked = 0;
    int correct = 0;
};

// The records every scan sees, in store order. A counter that does not
// convert reads as 0 here: the schedule only loses the estimate from the
// counts for that record, and the quiz and the list report the damage
// themselves.
std::vector<RecordCounts> recordsOf(const LineStore& store);

// When each word of the current word file is due, from the history of that
// word file: the memory of a record is that of its word (records spelt alike
// share it), from the reviews since the word was last registered; a record
// answered before the history was kept starts from its counts (fromCounts);
// any other record is new.
//
// Built once when a view needs it; the trainer's own answers are then added
// with `answered`, so the quiz never reads the history back between answers.
class Schedule {
public:
    Schedule() = default;
    Schedule(const std::vector<RecordCounts>& records, const std::vector<history::WordReviews>& reviews,
             const fsrs::Model& model = fsrs::Model{}, double retention = fsrs::kDesiredRetention);

    int size() const { return int(words_.size()); }
    const fsrs::Model& model() const { return model_; }
    const WordMemory& memory(int record) const { return words_.at(record); }
    // When the record is next due; nothing for a new word.
    std::optional<qint64> dueOf(int record) const;
    double recall(int record, qint64 now) const { return words_.at(record).recall(model_, now); }

    // The records due at `now` (the quiz filter 復習が必要な問題), the most
    // overdue first: the lowest predicted recall, and among equals the
    // earlier record. Asked in turn this is the order of the questions; at
    // random they are drawn from among these.
    std::vector<int> duePool(qint64 now) const;
    // When the next word falls due when none is due at `now`; nothing when
    // no record was ever answered, or when some are due already.
    std::optional<qint64> nextDue(qint64 now) const;

    // One more answer of the word, counted just now: every record spelt so
    // moves on.
    void answered(const QByteArray& word, qint64 time, bool right, bool hint);

private:
    fsrs::Model model_;
    double retention_ = fsrs::kDesiredRetention;
    std::vector<WordMemory> words_;
    QHash<QByteArray, std::vector<int>> recordsByWord_;
};

} // namespace review

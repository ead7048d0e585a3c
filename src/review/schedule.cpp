#include "review/schedule.h"

#include "store/failure.h"
#include "store/limits.h"
#include "store/line_store.h"
#include "store/record.h"

#include <algorithm>

namespace review {

namespace {

int counter(const LineStore& store, int index, int field)
{
    try {
        return StrToInt(ReadField(store, index, field));
    } catch (const Failure&) {
        return 0;
    }
}

} // namespace

std::vector<RecordCounts> recordsOf(const LineStore& store)
{
    const int visible = VisibleRecords(store, kOrderSlots);
    std::vector<RecordCounts> records;
    records.reserve(visible);
    for (int i = 0; i < visible; ++i)
        records.push_back(
            {ReadField(store, i, kWord), counter(store, i, kAsked), counter(store, i, kCorrect)});
    return records;
}

Schedule::Schedule(const std::vector<RecordCounts>& records, const std::vector<history::WordReviews>& reviews,
                   const fsrs::Model& model, double retention)
    : model_(model), retention_(retention), words_(records.size())
{
    for (int i = 0; i < int(records.size()); ++i)
        recordsByWord_[records[i].word].push_back(i);
    for (const history::WordReviews& word : reviews) {
        const auto found = recordsByWord_.constFind(word.word);
        if (found == recordsByWord_.constEnd() || word.reviews.empty())
            continue;
        const WordMemory memory = replay(model_, word.reviews, retention_);
        for (const int record : *found)
            words_[record] = memory;
    }
    for (int i = 0; i < int(records.size()); ++i) {
        if (!words_[i].answered())
            words_[i] = fromCounts(model_, records[i].asked, records[i].correct);
    }
}

std::optional<qint64> Schedule::dueOf(int record) const
{
    const WordMemory& memory = words_.at(record);
    if (!memory.answered())
        return std::nullopt;
    return memory.due;
}

std::vector<int> Schedule::duePool(qint64 now) const
{
    struct Due {
        double recall;
        int record;
    };
    std::vector<Due> due;
    for (int i = 0; i < size(); ++i) {
        if (words_[i].isDue(now))
            due.push_back({words_[i].recall(model_, now), i});
    }
    std::sort(due.begin(), due.end(), [](const Due& a, const Due& b) {
        return a.recall != b.recall ? a.recall < b.recall : a.record < b.record;
    });
    std::vector<int> pool;
    pool.reserve(due.size());
    for (const Due& d : due)
        pool.push_back(d.record);
    return pool;
}

std::optional<qint64> Schedule::nextDue(qint64 now) const
{
    std::optional<qint64> next;
    for (const WordMemory& memory : words_) {
        if (!memory.answered())
            continue;
        if (memory.due <= now)
            return std::nullopt;
        if (!next || memory.due < *next)
            next = memory.due;
    }
    return next;
}

void Schedule::answered(const QByteArray& word, qint64 time, bool right, bool hint)
{
    const auto found = recordsByWord_.constFind(word);
    if (found == recordsByWord_.constEnd())
        return;
    const WordMemory memory = advance(model_, words_[found->front()], time, right, hint, retention_);
    for (const int record : *found)
        words_[record] = memory;
}

} // namespace review

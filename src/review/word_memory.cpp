#include "review/word_memory.h"

#include <algorithm>

namespace review {

namespace {

int wholeDays(qint64 from, qint64 to)
{
    return to <= from ? 0 : static_cast<int>(std::min<qint64>((to - from) / kDay, 1 << 30));
}

qint64 dueAfter(const fsrs::Model& model, qint64 time, double stability, double retention)
{
    return time + qint64(model.intervalDays(stability, retention)) * kDay;
}

} // namespace

fsrs::Rating ratingOf(bool right, bool hint)
{
    if (!right)
        return fsrs::Rating::Again;
    return hint ? fsrs::Rating::Hard : fsrs::Rating::Good;
}

double WordMemory::recall(const fsrs::Model& model, qint64 now) const
{
    switch (source) {
    case Source::None: return 0;
    case Source::Counts: return countsRecall;
    case Source::History: break;
    }
    return model.retrievability(double(std::max<qint64>(now - lastReview, 0)) / kDay, state.stability);
}

namespace {

// One answer on top of the memory, without the due time.
void step(const fsrs::Model& model, WordMemory& memory, qint64 time, bool right, bool hint)
{
    const fsrs::Rating rating = ratingOf(right, hint);
    switch (memory.source) {
    case WordMemory::Source::None: memory.state = model.first(rating); break;
    case WordMemory::Source::Counts: memory.state = model.nextAt(memory.state, rating, 0.9); break;
    case WordMemory::Source::History: {
        const int days = wholeDays(memory.lastReview, time);
        if (!right && days > 0)
            ++memory.lapses;
        memory.state = model.next(memory.state, rating, days);
        break;
    }
    }
    memory.source = WordMemory::Source::History;
    ++memory.reviews;
    // A clock set back leaves the last review where it was, so no interval
    // is ever counted backwards.
    memory.lastReview = std::max(memory.lastReview, time);
}

} // namespace

WordMemory advance(const fsrs::Model& model, WordMemory memory, qint64 time, bool right, bool hint,
                   double retention)
{
    step(model, memory, time, right, hint);
    memory.due = dueAfter(model, memory.lastReview, memory.state.stability, retention);
    return memory;
}

WordMemory replay(const fsrs::Model& model, std::span<const history::Review> reviews, double retention)
{
    WordMemory memory;
    for (const history::Review& review : reviews)
        step(model, memory, review.time, review.right, review.hint);
    if (memory.answered())
        memory.due = dueAfter(model, memory.lastReview, memory.state.stability, retention);
    return memory;
}

WordMemory fromCounts(const fsrs::Model& model, int asked, int correct)
{
    WordMemory memory;
    if (asked <= 0)
        return memory;
    const double accuracy = std::clamp(double(std::max(correct, 0)) / asked, 0.0, 1.0);
    const fsrs::MemoryState again = model.first(fsrs::Rating::Again);
    const fsrs::MemoryState good = model.first(fsrs::Rating::Good);
    memory.source = WordMemory::Source::Counts;
    memory.state = {again.stability + accuracy * (good.stability - again.stability),
                    again.difficulty + accuracy * (good.difficulty - again.difficulty)};
    memory.countsRecall = 0.9 * accuracy;
    return memory;
}

} // namespace review

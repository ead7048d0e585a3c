// The words of the word list.

#include "core/word_book.h"

#include "store/codec.h"
#include "store/limits.h"
#include "store/record.h"

std::vector<ListEntry> WordBook::listing() const
{
    std::vector<ListEntry> entries;
    entries.reserve(static_cast<size_t>(visibleRecords(kMaxRecords)));
    for (int r = 0; r < kMaxRecords; ++r) {
        const QByteArray& line = store.ReadLine(r);
        if (line.isEmpty())
            break;
        ListEntry entry;
        entry.record = r;
        entry.word = cp932::decode(ReadField(line, kWord));
        entry.mean = cp932::decode(ReadField(line, kMean));
        entry.example = cp932::decode(ReadField(line, kExample));
        entry.exampleMean = cp932::decode(ReadField(line, kExampleMean));
        // The counters first, then the part of speech, so a damaged record
        // names the same text whichever of them is damaged first.
        entry.asked = StrToInt(ReadField(line, kAsked));
        entry.correct = StrToInt(ReadField(line, kCorrect));
        entry.part = StrToInt(ReadField(line, kParts));
        entries.push_back(std::move(entry));
    }
    return entries;
}

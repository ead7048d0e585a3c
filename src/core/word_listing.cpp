// The rows of the word list.

#include "core/word_book.h"

#include "store/codec.h"
#include "store/limits.h"
#include "store/record.h"

std::vector<ListRow> WordBook::listing() const
{
    std::vector<ListRow> rows;
    rows.reserve(static_cast<size_t>(visibleRecords(kMaxRecords)));
    for (int r = 0; r < kMaxRecords; ++r) {
        const QByteArray& line = store.ReadLine(r);
        if (line.isEmpty())
            break;
        ListRow row{r, {}};
        row.cells[0] = QString::number(r + 1);
        for (int column = 1; column < ListRow::kColumns; ++column) {
            if (const int field = fieldOfColumn(column))
                row.cells[static_cast<size_t>(column)] = cp932::decode(ReadField(line, field));
        }
        // The counters first, then the part of speech, so a damaged record
        // names the same text whichever of them is damaged first.
        const int asked = StrToInt(ReadField(line, kAsked));
        const int correct = StrToInt(ReadField(line, kCorrect));
        const int part = StrToInt(ReadField(line, kParts));
        row.cells[3] = PartName(part);
        row.cells[4] = QString::fromLatin1(AccuracyText(asked, correct));
        rows.push_back(std::move(row));
    }
    return rows;
}

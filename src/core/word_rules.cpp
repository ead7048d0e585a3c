#include "core/word_rules.h"

#include "interchange/import_rows.h"
#include "store/codec.h"
#include "store/field_text.h"
#include "store/limits.h"
#include "store/line_store.h"
#include "store/record.h"

#include <array>

namespace word_rules {

QSet<QByteArray> registeredWords(const LineStore& store)
{
    const int seen = VisibleRecords(store, kMaxRecords);
    QSet<QByteArray> words;
    words.reserve(seen);
    for (int i = 0; i < seen; ++i)
        words.insert(ReadField(store, i, kWord));
    return words;
}

int room(const LineStore& store)
{
    return kMaxRecords - VisibleRecords(store, kMaxRecords);
}

void insertNew(LineStore& store, const std::vector<QByteArray>& records)
{
    int at = VisibleRecords(store, kMaxRecords);
    for (const QByteArray& record : records)
        store.InsertLine(at++, record);
}

std::optional<TextProblem> textProblem(const NewWord& word)
{
    const std::array<const QString*, 4> texts{&word.word, &word.mean, &word.example, &word.exampleMean};
    for (int i = 0; i < int(texts.size()); ++i) {
        const QString& text = *texts[size_t(i)];
        // More than an edit of the form holds: only a file brings it.
        if (text.size() > interchange::kMaxFieldChars)
            return TextProblem{
                i,
                QStringLiteral("%1 文字より長いテキストは登録できません。").arg(interchange::kMaxFieldChars),
                {}};
        if (QString refusal = fieldRefusal(text); !refusal.isEmpty())
            return TextProblem{i, std::move(refusal), {}};
        if (QString bad = cp932::firstUnencodable(text); !bad.isEmpty())
            return TextProblem{i, {}, std::move(bad)};
    }
    return std::nullopt;
}

} // namespace word_rules

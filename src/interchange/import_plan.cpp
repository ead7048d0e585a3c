#include "interchange/import_plan.h"
#include "part_names.h"

#include "store/codec.h"
#include "store/field_text.h"
#include "store/line_store.h"
#include "store/record.h"

#include <QHash>
#include <QSet>
#include <optional>

namespace interchange {
namespace {

struct Column {
    const char16_t* heading;
    const QString ImportRow::*text;
};

// The four text columns in the order they are checked and named.
constexpr Column kTextColumns[] = {
    {u"単語", &ImportRow::word},
    {u"意味", &ImportRow::meaning},
    {u"例文", &ImportRow::example},
    {u"例文意味", &ImportRow::exampleMeaning},
};

// 名詞 … 熟語, 0 … 4, or empty for a noun; blanks around it do not matter.
std::optional<int> partIndex(const QString& text)
{
    const QString part = text.trimmed();
    if (part.isEmpty())
        return 0;
    for (int i = 0; i <= 4; ++i) {
        if (part == PartName(i) || part == QString::number(i))
            return i;
    }
    return std::nullopt;
}

// Why the row's texts cannot be a record, or nothing when they can.
std::optional<QString> textProblem(const ImportRow& row)
{
    if (row.word.isEmpty())
        return QStringLiteral("単語がありません");
    if (row.meaning.isEmpty())
        return QStringLiteral("意味がありません");
    for (const Column& column : kTextColumns) {
        const QString& text = row.*column.text;
        const QString heading = QString::fromUtf16(column.heading);
        // The refusal's first sentence; its advice on what to type instead is
        // for the registration form.
        if (const QString refusal = fieldRefusal(text); !refusal.isEmpty())
            return QStringLiteral("「%1」: %2").arg(heading, refusal.section(QLatin1Char('\n'), 0, 0));
        if (const QString bad = cp932::firstUnencodable(text); !bad.isEmpty())
            return QStringLiteral("「%1」: 文字「%2」(%3) は単語ファイルに書けません")
                .arg(heading, bad, cp932::codePoint(bad));
    }
    if (!partIndex(row.part))
        return QStringLiteral("品詞「%1」は 名詞・動詞・形容詞・副詞・熟語 か 0〜4 ではありません")
            .arg(row.part);
    return std::nullopt;
}

} // namespace

ImportPlan planImport(const std::vector<ImportRow>& rows, const std::vector<QByteArray>& registeredWords,
                      int room)
{
    const QSet<QByteArray> registered(registeredWords.begin(), registeredWords.end());
    QHash<QByteArray, int> accepted; // word -> its line in the file
    ImportPlan plan;
    const auto refuse = [&](const ImportRow& row, const QString& reason) {
        plan.refused.push_back({row.line, reason});
    };
    for (const ImportRow& row : rows) {
        if (const auto problem = textProblem(row)) {
            refuse(row, *problem);
            continue;
        }
        const QByteArray word = cp932::encode(row.word);
        if (registered.contains(word)) {
            refuse(row, QStringLiteral("「%1」は既に登録されています").arg(row.word));
            continue;
        }
        if (const auto earlier = accepted.constFind(word); earlier != accepted.cend()) {
            refuse(row, QStringLiteral("「%1」は %2 行目と重複しています").arg(row.word).arg(*earlier));
            continue;
        }
        if (int(plan.records.size()) >= room) {
            refuse(row, QStringLiteral("一つの単語ファイルに登録できる%1語を超えます").arg(kMaxRecords));
            continue;
        }
        accepted.insert(word, row.line);
        plan.records.push_back(NewRecord(word, cp932::encode(row.meaning), cp932::encode(row.example),
                                         cp932::encode(row.exampleMeaning), *partIndex(row.part)));
    }
    return plan;
}

ImportPlan planImport(const std::vector<ImportRow>& rows, const LineStore& store)
{
    const int seen = VisibleRecords(store, kMaxRecords);
    std::vector<QByteArray> words;
    words.reserve(size_t(seen));
    for (int i = 0; i < seen; ++i)
        words.push_back(ReadField(store, i, kWord));
    return planImport(rows, words, kMaxRecords - seen);
}

} // namespace interchange

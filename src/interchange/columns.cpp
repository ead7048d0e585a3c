#include "columns.h"
#include "part_names.h"

#include "store/codec.h"
#include "store/record.h"

namespace interchange {

QStringList columnHeadings()
{
    return {QStringLiteral("単語"),     QStringLiteral("意味"), QStringLiteral("例文"),
            QStringLiteral("例文意味"), QStringLiteral("品詞"), QStringLiteral("回答数"),
            QStringLiteral("正解数")};
}

bool isHeaderRow(const QString& first, const QString& second)
{
    static const QStringList wordNames = {
        QStringLiteral("word"),   QStringLiteral("words"),   QStringLiteral("単語"),
        QStringLiteral("英単語"), QStringLiteral("english"), QStringLiteral("英語"),
        QStringLiteral("front"),  QStringLiteral("term"),    QStringLiteral("expression"),
    };
    static const QStringList meaningNames = {
        QStringLiteral("meaning"), QStringLiteral("meanings"),    QStringLiteral("意味"),
        QStringLiteral("訳"),      QStringLiteral("japanese"),    QStringLiteral("日本語"),
        QStringLiteral("back"),    QStringLiteral("translation"), QStringLiteral("definition"),
    };
    return wordNames.contains(first.trimmed(), Qt::CaseInsensitive)
        && meaningNames.contains(second.trimmed(), Qt::CaseInsensitive);
}

RecordTexts textsOf(const QByteArray& record)
{
    const auto field = [&](int k) { return cp932::decode(ReadField(record, k)); };
    RecordTexts texts{field(kWord),  field(kMean),  field(kExample), field(kExampleMean),
                      field(kParts), field(kAsked), field(kCorrect)};
    const QByteArray part = ReadField(record, kParts);
    if (part.size() == 1 && part[0] >= '0' && part[0] <= '4')
        texts.part = PartName(part[0] - '0');
    return texts;
}

} // namespace interchange

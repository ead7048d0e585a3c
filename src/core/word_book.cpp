#include "core/word_book.h"

#include "core/conflict.h"
#include "store/codec.h"
#include "store/failure.h"
#include "store/field_text.h"
#include "store/limits.h"
#include "store/record.h"
#include "store/word_file.h"

int WordBook::visibleRecords(int indices) const
{
    return VisibleRecords(store, indices);
}

QString WordBook::changeField(int record, int field, const QString& text)
{
    const QString refusal = fieldRefusal(text);
    if (!refusal.isEmpty())
        return refusal;
    const QByteArray bytes = cp932::encode(text);
    QByteArray line;
    for (int k = kWord; k <= kCorrect; ++k)
        line += (k == field ? bytes : ReadField(store, record, k)) + ',';
    store.WriteLine(record, line);
    return {};
}

void WordBook::deleteRecord(int record)
{
    store.DeleteLine(record);
}

bool WordBook::resetCounts()
{
    const int records = visibleRecords(kOrderSlots);
    for (int index = 0; index < records; ++index)
        store.WriteLine(index, ResetCounts(store, index));
    return records > 0;
}

void WordBook::countAnswer(int record, bool right)
{
    if (right)
        store.WriteLine(record, CountCorrect(store, record));
    store.WriteLine(record, CountAsked(store, record));
}

void WordBook::save()
{
    // After a start whose word file could not be opened there is none to
    // save to; saying so beats naming an empty file.
    if (path.isEmpty())
        throw Failure(QStringLiteral(
            "単語ファイルが開かれていません。オプションの「読み込む」で単語ファイルを開いてください"));
    const FileStamp now = stampOf(path.file());
    if (now != stamp && now != overwrite)
        throw ExternalChange(path.shown());
    stamp = SaveLines(store, path.file(), path.shown());
}

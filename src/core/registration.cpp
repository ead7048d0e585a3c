// Registering a new word on the registration tab.

#include "core/word_book.h"

#include "store/codec.h"
#include "store/field_text.h"
#include "store/limits.h"
#include "store/record.h"

#include <array>

RegistrationResult WordBook::registerWord(const NewWord& typed)
{
    const int seen = visibleRecords(kMaxRecords);
    if (seen >= kMaxRecords)
        return {RegistrationResult::Full,
                QStringLiteral("一つの単語ファイルに登録できるのは1000語までです。")};

    // Text the record cannot hold is refused before anything is compared,
    // and the form stays as typed so the learner can mend it.
    const std::array<const QString*, 4> texts{&typed.word, &typed.mean, &typed.example, &typed.exampleMean};
    std::array<QByteArray, 4> bytes;
    for (size_t i = 0; i < texts.size(); ++i) {
        const QString refusal = fieldRefusal(*texts[i]);
        if (!refusal.isEmpty())
            return {RegistrationResult::RefusedText, refusal};
        bytes[i] = cp932::encode(*texts[i]);
    }

    for (int i = 0; i < seen; ++i) {
        if (ReadField(store, i, kWord) == bytes[0])
            return {RegistrationResult::Duplicate, QStringLiteral("既に登録されています。")};
    }
    if (bytes[0].isEmpty() || bytes[1].isEmpty())
        return {RegistrationResult::MissingRequired,
                QStringLiteral("「単語」「意味」「品詞」は必須項目です")};

    const QByteArray record = NewRecord(bytes[0], bytes[1], bytes[2], bytes[3], typed.part);
    // The new word goes right behind the last record every view sees. When
    // the scan ended at an empty line inside the store (a word file edited
    // by hand), that line stays behind the new word, and so does whatever
    // the learner keeps out of sight behind it.
    store.InsertLine(seen, record);
    return {RegistrationResult::Registered, {}};
}

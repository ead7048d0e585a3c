// Registering a new word on the registration tab.

#include "core/word_book.h"
#include "core/word_rules.h"

#include "store/codec.h"
#include "store/limits.h"
#include "store/record.h"

#include <array>

RegistrationResult WordBook::registerWord(const NewWord& typed)
{
    if (word_rules::room(store) <= 0)
        return {RegistrationResult::Full,
                QStringLiteral("一つの単語ファイルに登録できるのは1000語までです。")};

    // Text the record cannot hold is refused before anything is compared,
    // and the form stays as typed so the learner can mend it. A character
    // with no CP932 code raises the codec's Failure, which names it.
    const std::array<const QString*, 4> texts{&typed.word, &typed.mean, &typed.example, &typed.exampleMean};
    if (const auto problem = word_rules::textProblem(typed)) {
        if (problem->refusal.isEmpty())
            cp932::encode(*texts[size_t(problem->text)]);
        return {RegistrationResult::RefusedText, problem->refusal};
    }
    std::array<QByteArray, 4> bytes;
    for (size_t i = 0; i < texts.size(); ++i)
        bytes[i] = cp932::encode(*texts[i]);

    if (word_rules::registeredWords(store).contains(bytes[0]))
        return {RegistrationResult::Duplicate, QStringLiteral("既に登録されています。")};
    if (bytes[0].isEmpty() || bytes[1].isEmpty())
        return {RegistrationResult::MissingRequired,
                QStringLiteral("「単語」「意味」「品詞」は必須項目です")};

    word_rules::insertNew(store, {NewRecord(bytes[0], bytes[1], bytes[2], bytes[3], typed.part)});
    return {RegistrationResult::Registered, {}};
}

// The registration rules, and a new word's place in the store.

#include "core/registration_rules.h"
#include "core/word_book.h"
#include "core/word_rules.h"

#include "store/codec.h"
#include "store/record.h"

#include <array>

RegistrationRules::RegistrationRules(const LineStore& store)
    : words_(word_rules::registeredWords(store)), room_(word_rules::room(store))
{
}

RegistrationResult RegistrationRules::check(const NewWord& word, QByteArray& record)
{
    if (room_ <= 0)
        return {RegistrationResult::Full,
                QStringLiteral("一つの単語ファイルに登録できるのは1000語までです。")};

    // Text the record cannot hold is refused before anything is compared,
    // and the form stays as typed so the learner can mend it. A character
    // with no CP932 code raises the codec's Failure, which names it.
    const std::array<const QString*, 4> texts{&word.word, &word.mean, &word.example, &word.exampleMean};
    if (const auto problem = word_rules::textProblem(word)) {
        if (problem->refusal.isEmpty())
            cp932::encode(*texts[size_t(problem->text)]);
        return {RegistrationResult::RefusedText, problem->refusal};
    }
    std::array<QByteArray, 4> bytes;
    for (size_t i = 0; i < texts.size(); ++i)
        bytes[i] = cp932::encode(*texts[i]);

    if (words_.contains(bytes[0]))
        return {RegistrationResult::Duplicate, QStringLiteral("既に登録されています。")};
    if (bytes[0].isEmpty() || bytes[1].isEmpty())
        return {RegistrationResult::MissingRequired,
                QStringLiteral("「単語」「意味」「品詞」は必須項目です")};

    record = NewRecord(bytes[0], bytes[1], bytes[2], bytes[3], word.part);
    words_.insert(bytes[0]);
    --room_;
    return {};
}

RegistrationResult WordBook::registerWord(const NewWord& typed)
{
    QByteArray record;
    const RegistrationResult result = RegistrationRules(store).check(typed, record);
    if (result.kind == RegistrationResult::Registered)
        insertRecords({record});
    return result;
}

void WordBook::insertRecords(const std::vector<QByteArray>& records)
{
    word_rules::insertNew(store, records);
}

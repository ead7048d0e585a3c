// Registration in the core: the order of its checks, where a new word goes,
// and what it writes.

#include "trainer_fixture.h"

#include "store/failure.h"

#include <map>

TEST_F(TrainerTest, RegistrationChecksTheLimitTheTextsTheDuplicateAndTheRequiredFieldsInThatOrder)
{
    struct Row {
        const char* name;
        QByteArray words;
        NewWord word;
        RegistrationResult::Kind expected;
    };
    const auto many = [](int count) {
        QByteArray words;
        for (int k = 0; k < count; ++k)
            words += "w" + QByteArray::number(k) + ",m,,,0,0,0\r\n";
        return words;
    };
    const QByteArray full = many(1000);
    const Row rows[] = {
        {"full store, empty word", full, typed("", ""), RegistrationResult::Full},
        {"more than a thousand loaded", many(1003), typed("new", "m"), RegistrationResult::Full},
        {"the thousandth word", many(999), typed("last", "最後"), RegistrationResult::Registered},
        {"comma before required", lines({"a,b,,,0,0,0"}), typed("a,b", ""), RegistrationResult::RefusedText},
        {"comma before duplicate", lines({"a,b,,,0,0,0"}), typed("a", "x, y"),
         RegistrationResult::RefusedText},
        {"tab in the example", lines({}), typed("a", "b", "x\ty"), RegistrationResult::RefusedText},
        {"empty word is a duplicate of an empty word", lines({",b,,,0,0,0"}), typed("", ""),
         RegistrationResult::Duplicate},
        {"case differs", lines({"apple,りんご,,,0,0,0"}), typed("Apple", "りんご"),
         RegistrationResult::Registered},
        {"trailing blank differs", lines({"apple,りんご,,,0,0,0"}), typed("apple ", "りんご"),
         RegistrationResult::Registered},
        {"no meaning", lines({}), typed("apple", ""), RegistrationResult::MissingRequired},
    };
    const std::map<RegistrationResult::Kind, QString> told{
        {RegistrationResult::Full, QStringLiteral("一つの単語ファイルに登録できるのは1000語までです。")},
        {RegistrationResult::Duplicate, QStringLiteral("既に登録されています。")},
        {RegistrationResult::MissingRequired, QStringLiteral("「単語」「意味」「品詞」は必須項目です")},
    };
    for (const Row& row : rows) {
        open(row.words);
        learner.clear();
        const Outcome outcome = trainer.registerWord(row.word);
        const bool registered = row.expected == RegistrationResult::Registered;
        EXPECT_EQ(wordFile() != row.words, registered) << row.name;
        EXPECT_EQ(outcome.words, registered) << row.name;
        // The form is kept only for text the learner can mend.
        EXPECT_EQ(outcome.clearForm,
                  row.expected != RegistrationResult::MissingRequired
                      && row.expected != RegistrationResult::RefusedText)
            << row.name;
        ASSERT_EQ(learner.told().size(), registered ? 0u : 1u) << row.name;
        if (told.count(row.expected)) {
            EXPECT_EQ(learner.told()[0], told.at(row.expected)) << row.name;
        }
    }
}

TEST_F(TrainerTest, ANewWordIsStoredAsTypedWithItsPartOfSpeechAndNoCounts)
{
    open({});
    trainer.registerWord(typed("run", "走る", "I run.", "私は走る。", 1));
    EXPECT_EQ(wordFile(), sjis("run,走る,I run.,私は走る。,1,0,0\r\n"));
    // Into a file without a final line break, the break goes between.
    open("apple,x,,,0,0,0");
    trainer.registerWord(typed("kiwi", "y"));
    EXPECT_EQ(wordFile(), "apple,x,,,0,0,0\r\nkiwi,y,,,0,0,0");
    // A blank last line stays behind the new word.
    open("apple,x,,,0,0,0\r\n\r\n");
    trainer.registerWord(typed("kiwi", "y"));
    EXPECT_EQ(wordFile(), "apple,x,,,0,0,0\r\nkiwi,y,,,0,0,0\r\n\r\n");
}

TEST_F(TrainerTest, ANewWordGoesBeforeAnEmptyLineAndWhatLiesBehindItStaysOutOfSight)
{
    // A learner's own notes behind an empty line: they never enter the list,
    // the quiz, the test or the count.
    const QByteArray words =
        lines({"apple,りんご,,,0,0,0", "", "my notes, not words", "kiwi,キウイ,,,0,0,0"});
    open(words);
    EXPECT_TRUE(trainer.registerWord(typed("pear", "梨")).words);
    EXPECT_EQ(
        wordFile(),
        lines({"apple,りんご,,,0,0,0", "pear,梨,,,0,0,0", "", "my notes, not words", "kiwi,キウイ,,,0,0,0"}));
    ASSERT_EQ(trainer.book().listing().size(), 2u);
    // A word behind the empty line is no duplicate: only what is seen counts.
    EXPECT_TRUE(trainer.registerWord(typed("kiwi", "キウイ")).words);
    EXPECT_EQ(trainer.book().listing().size(), 3u);
}

TEST_F(TrainerTest, TextWithNoCodeInTheWordFileRaisesTheCodecErrorAndStoresNothing)
{
    open(lines({"apple,りんご,,,0,0,0"}));
    EXPECT_THROW(trainer.registerWord(typed("pear", "🍐")), Failure);
    EXPECT_EQ(wordFile(), lines({"apple,りんご,,,0,0,0"}));
    EXPECT_EQ(memory(), wordFile());
}

TEST_F(TrainerTest, WithNoCurrentWordFileAChangeSaysHowToOpenOneInsteadOfNamingNoFile)
{
    // A start whose word file could not be opened leaves no current file.
    Trainer fresh(folder.prefsFile());
    try {
        fresh.registerWord(typed("apple", "りんご"));
        FAIL() << "saved to no file";
    } catch (const Failure& failure) {
        EXPECT_TRUE(failure.text().contains(QStringLiteral("読み込む"))) << failure.text().toStdString();
        EXPECT_FALSE(failure.text().contains(QStringLiteral("ファイル  を")));
    }
    EXPECT_EQ(fresh.book().store.LineCount(), 0);
}

TEST(RegistrationRulesTest, OneBatchOfNewWordsMeetsTheRulesAsIfRegisteredOneByOne)
{
    // 998 words: room for two more.
    QByteArray words;
    for (int k = 0; k < 998; ++k)
        words += "w" + QByteArray::number(k) + ",m,,,0,0,0\r\n";
    LineStore store;
    store.setText(words);
    RegistrationRules rules(store);
    QByteArray record;
    EXPECT_EQ(rules.check(typed("w5", "m"), record).kind, RegistrationResult::Duplicate);
    EXPECT_EQ(rules.check(typed("kiwi", "キウイ", "", "", 3), record).kind, RegistrationResult::Registered);
    EXPECT_EQ(record, "kiwi," + sjis("キウイ") + ",,,3,0,0");
    // The batch's own words count as registered, and use up the room.
    EXPECT_EQ(rules.check(typed("kiwi", "別"), record).kind, RegistrationResult::Duplicate);
    EXPECT_EQ(rules.check(typed("fig", ""), record).kind, RegistrationResult::MissingRequired);
    EXPECT_EQ(rules.check(typed("fig", "いちじく"), record).kind, RegistrationResult::Registered);
    EXPECT_EQ(rules.check(typed("pear", "梨"), record).kind, RegistrationResult::Full);
}

// Registration in the core: the order of its checks, where a new word goes,
// and what it writes.

#include "trainer_fixture.h"

#include "store/failure.h"

TEST_F(TrainerTest, RegistrationChecksTheLimitTheTextsTheDuplicateAndTheRequiredFieldsInThatOrder)
{
    struct Row {
        const char* name;
        QByteArray words;
        NewWord word;
        RegistrationResult::Kind expected;
    };
    QByteArray full;
    for (int k = 0; k < 1000; ++k)
        full += "w" + QByteArray::number(k) + ",m,,,0,0,0\r\n";
    const Row rows[] = {
        {"full store, empty word", full, typed("", ""), RegistrationResult::Full},
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
    for (const Row& row : rows) {
        open(row.words);
        const RegistrationResult result = trainer.registerWord(row.word);
        EXPECT_EQ(result.kind, row.expected) << row.name;
        EXPECT_EQ(wordFile() != row.words, row.expected == RegistrationResult::Registered) << row.name;
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
}

TEST_F(TrainerTest, ANewWordGoesBeforeAnEmptyLineAndWhatLiesBehindItStaysOutOfSight)
{
    // A learner's own notes behind an empty line: they never enter the list,
    // the quiz, the test or the count.
    const QByteArray words =
        lines({"apple,りんご,,,0,0,0", "", "my notes, not words", "kiwi,キウイ,,,0,0,0"});
    open(words);
    EXPECT_EQ(trainer.registerWord(typed("pear", "梨")).kind, RegistrationResult::Registered);
    EXPECT_EQ(
        wordFile(),
        lines({"apple,りんご,,,0,0,0", "pear,梨,,,0,0,0", "", "my notes, not words", "kiwi,キウイ,,,0,0,0"}));
    ASSERT_EQ(trainer.book().listing().size(), 2u);
    // A word behind the empty line is no duplicate: only what is seen counts.
    EXPECT_EQ(trainer.registerWord(typed("kiwi", "キウイ")).kind, RegistrationResult::Registered);
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

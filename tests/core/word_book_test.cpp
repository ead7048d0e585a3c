// The word list's rows, and the change, deletion and reset behind its
// commands and the options tab.

#include "trainer_fixture.h"

#include "core/display_text.h"
#include "store/failure.h"

TEST_F(TrainerTest, TheListShowsEveryVisibleRecordWithPartOfSpeechAndRate)
{
    open(lines({"apple,りんご,An apple.,りんご一つ,0,8,1", "run,走る,,,1,0,0", "odd,変,,,7,3,2", "",
                "hidden,隠,,,0,0,0"}));
    const std::vector<ListEntry> rows = trainer.book().listing();
    ASSERT_EQ(rows.size(), 3u);
    const ListEntry& apple = rows[0];
    EXPECT_EQ(QStringList({apple.word, apple.mean, apple.example, apple.exampleMean}),
              QStringList({"apple", "りんご", "An apple.", "りんご一つ"}));
    EXPECT_EQ(apple.part, 0);
    EXPECT_EQ(AccuracyText(apple.asked, apple.correct), QStringLiteral("12"));
    EXPECT_EQ(PartName(rows[1].part), QStringLiteral("動詞"));
    EXPECT_EQ(AccuracyText(rows[1].asked, rows[1].correct), QStringLiteral("--"));
    EXPECT_EQ(PartName(rows[2].part), QString()); // index 7 has no name
    EXPECT_EQ(AccuracyText(rows[2].asked, rows[2].correct), QStringLiteral("67"));
    EXPECT_EQ(rows[2].record, 2);
}

TEST_F(TrainerTest, ADamagedRecordStopsTheListWithTheConversionMessage)
{
    open(lines({"apple,りんご,,,0,0,0", "w,a, b,,,0,0,0"}));
    try {
        trainer.book().listing();
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.text(), QStringLiteral("'' は整数ではありません"));
    }
}

TEST_F(TrainerTest, AChangeRewritesTheSevenFieldsWithATrailingCommaAndRefusesACommaTyped)
{
    open(lines({"apple,りんご,,,0,3,1,extra", "run,走る,,,1,0,0"}));
    EXPECT_TRUE(change(0, 3, QStringLiteral("An apple.")).words);
    EXPECT_EQ(wordFile(), lines({"apple,りんご,An apple.,,0,3,1,", "run,走る,,,1,0,0"}));
    // The dialog showed the old text, to be typed over in English.
    EXPECT_EQ(learner.texts(ScriptedQuestions::Kind::NewText), std::vector<QString>{QString()});

    const QByteArray before = wordFile();
    EXPECT_FALSE(change(1, 2, QStringLiteral("走る, 駆ける")).words);
    ASSERT_EQ(learner.told().size(), 1u);
    EXPECT_TRUE(learner.told()[0].contains(QStringLiteral("半角のカンマ")));
    EXPECT_EQ(wordFile(), before);
    EXPECT_EQ(memory(), before);

    // The columns that cannot be changed, an empty text and キャンセル change
    // nothing.
    learner.clear();
    EXPECT_FALSE(trainer.changeWord(0, 0).words);
    EXPECT_EQ(learner.told(), std::vector<QString>{QStringLiteral("そのデータを変更することはできません。")});
    EXPECT_FALSE(change(0, 2, QString()).words);
    learner.newTexts = {std::nullopt};
    EXPECT_FALSE(trainer.changeWord(0, 2).words);
    EXPECT_EQ(wordFile(), before);
}

TEST_F(TrainerTest, DeletingKeepsTheOtherRecordsInOrderAndTheFileEndAsItWas)
{
    open("a,1,,,0,0,0\r\nb,2,,,0,0,0\r\nc,3,,,0,0,0");
    remove(1);
    EXPECT_EQ(wordFile(), "a,1,,,0,0,0\r\nc,3,,,0,0,0");
    remove(1);
    remove(0);
    EXPECT_EQ(wordFile(), "");
}

TEST_F(TrainerTest, AResetZeroesEveryVisibleRecordOnceAndWithNoRecordWritesNothing)
{
    open(lines({"apple,りんご,,,0,3,1", "run,走る,,,1,5,5,"}));
    EXPECT_TRUE(resetCounts().words);
    EXPECT_EQ(wordFile(), lines({"apple,りんご,,,0,0,0", "run,走る,,,1,0,0"}));

    // An empty word file deleted from outside is not made again.
    open({});
    QFile::remove(folder.path(QString::fromLatin1(kWordFile)));
    EXPECT_FALSE(resetCounts().words);
    EXPECT_FALSE(folder.exists(QString::fromLatin1(kWordFile)));
}

TEST_F(TrainerTest, OpeningAFileThatCannotBeReadKeepsTheCurrentWords)
{
    open(lines({"apple,りんご,,,0,0,0"}));
    folder.write(QStringLiteral("utf16.txt"), QByteArray("a\0p\0p\0", 6));
    EXPECT_THROW(openFile(folder.path(QStringLiteral("utf16.txt"))), Failure);
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(memory(), lines({"apple,りんご,,,0,0,0"}));
}

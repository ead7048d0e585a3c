// A test answer that cannot be counted leaves the question on the screen
// and the question number where they were: the next answer is judged for
// the meaning the learner sees.

#include "exam_fixture.h"

#include "support/file_size_limit.h"

#include <QApplication>

namespace {

TEST_F(ExamFixture, ADamagedRecordHoldsItsQuestionAndNothingIsCountedForTheNextWord)
{
    QByteArray words = records(10);
    const QByteArray good = "word5," + sjis("意味") + "5,,,0,0,0";
    const QByteArray damaged = "word5," + sjis("意味") + "5,,,0,y,0";
    words.replace(good, damaged);
    startWith(words);
    pressStart("Test_Normal");

    QByteArray file = words;
    for (int q = 1; askedRecord() != 5; ++q) {
        const int rec = askedRecord();
        answerRight();
        const QByteArray line =
            "word" + QByteArray::number(rec) + "," + sjis("意味") + QByteArray::number(rec);
        file.replace(line + ",,,0,0,0", line + ",,,0,1,1");
        ASSERT_EQ(wordFile(), file) << q;
    }
    const QString caption = text("Label15");
    for (int attempt = 0; attempt < 2; ++attempt) {
        dialogs.clear();
        answerRight();
        EXPECT_EQ(dialogs.errors(), std::vector<QString>{QStringLiteral("'y' は整数ではありません.")});
        EXPECT_EQ(text("Label15"), caption);
        EXPECT_EQ(askedRecord(), 5);
        EXPECT_EQ(find<QLineEdit>("Edit2")->text(), QStringLiteral("word5"));
        EXPECT_EQ(wordFile(), file);
        find<QLineEdit>("Edit2")->clear();
    }
    EXPECT_TRUE(running());
}

TEST_F(ExamFixture, AnAnswerThatCannotBeSavedLeavesTheQuestionTheTextAndTheFile)
{
    startWithRecords(10);
    pressStart("Test_Normal");
    const QString prompt = text("Label18");
    {
        FileSizeLimit full(1);
        answerRight();
    }
    ASSERT_EQ(dialogs.errors().size(), 1u);
    EXPECT_EQ(text("Label15"), QStringLiteral("第1問"));
    EXPECT_EQ(text("Label18"), prompt);
    EXPECT_EQ(find<QLineEdit>("Edit2")->text(), QString::fromLatin1(rightAnswer()));
    EXPECT_EQ(trainer.exam().score(), 0);
    EXPECT_EQ(wordFile(), records(10));
    EXPECT_EQ(trainer.book().store.text(), records(10));

    // The disk is back: Enter counts that same answer.
    QTest::keyClick(find<QLineEdit>("Edit2"), Qt::Key_Return);
    EXPECT_EQ(text("Label15"), QStringLiteral("第2問"));
    EXPECT_EQ(trainer.exam().score(), 1);
}

TEST_F(ExamFixture, TabLeavesTheResultsButtonForTheGridAndStaysOutOfIt)
{
    startWithRecords(10);
    pressStart("Test_All");
    for (int q = 0; q < 10; ++q)
        answerRight();
    ASSERT_TRUE(visible(exam().Panel6));
    exam().Button11->setFocus();
    QTest::keyClick(exam().Button11, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), exam().StringGrid2);
    QTest::keyClick(exam().StringGrid2, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), exam().StringGrid2);
}

} // namespace

#include "exam_fixture.h"

#include "store/random.h"

#include <QSet>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The generator's step is invertible: seed = prev × a + 1 with odd a.
uint32_t inverseOf(uint32_t a)
{
    uint32_t x = a;
    for (int i = 0; i < 5; ++i)
        x *= 2u - a * x;
    return x;
}

uint32_t stepsBack(uint32_t seed, int steps)
{
    const uint32_t inv = inverseOf(134775813u);
    for (int i = 0; i < steps; ++i)
        seed = (seed - 1u) * inv;
    return seed;
}

} // namespace

TEST_F(ExamFixture, NormalTestAsksDistinctRecordsInTheDrawnOrderAndSavesEveryAnswer)
{
    startWithRecords(12);
    pressStart("Test_Normal");
    ASSERT_TRUE(visible(exam().Panel5));
    EXPECT_FALSE(visible(exam().Panel4));
    EXPECT_TRUE(running());
    EXPECT_EQ(text("time"), QStringLiteral("あと300秒")); // shown at once, not on the first tick

    // The order is the exchange-with-any-position shuffle of 1..12, replayed
    // from the generator's seed before the twelve draws.
    Random replay;
    replay.setSeed(stepsBack(trainer.rng().seed(), 12));
    std::vector<QByteArray> expected;
    for (int k = 1; k <= 12; ++k)
        expected.push_back(QByteArray::number(k));
    for (int j = 0; j < 12; ++j)
        std::swap(expected[static_cast<size_t>(j)], expected[static_cast<size_t>(replay.Next(12))]);
    for (int slot = 0; slot < 12; ++slot)
        EXPECT_EQ(trainer.order().ReadLine(slot), expected[static_cast<size_t>(slot)]) << slot;

    QByteArray file = records(12);
    QSet<int> asked;
    for (int q = 1; q <= 10; ++q) {
        EXPECT_EQ(text("Label15"), QStringLiteral("第%1問").arg(q));
        const int rec = askedRecord();
        EXPECT_EQ(QByteArray::number(rec), expected[static_cast<size_t>(q - 1)]);
        asked.insert(rec);
        const QByteArray before =
            "word" + QByteArray::number(rec) + "," + sjis("意味") + QByteArray::number(rec) + ",,,0,";
        if (q % 3 == 0) {
            answerWrong();
            file.replace(before + "0,0\r\n", before + "1,0\r\n");
        } else {
            answerRight();
            file.replace(before + "0,0\r\n", before + "1,1\r\n");
        }
        EXPECT_EQ(wordFile(), file) << "after answer " << q;
        EXPECT_EQ(text("Label21"), QStringLiteral("意味%1:word%1").arg(rec));
        EXPECT_TRUE(find<QLineEdit>("Edit2")->text().isEmpty());
    }
    EXPECT_EQ(asked.size(), 10);
    EXPECT_FALSE(visible(exam().Panel5));
    EXPECT_TRUE(visible(exam().Panel6));
    EXPECT_EQ(text("Label17"), QStringLiteral("正解数　7/ 10"));
    EXPECT_FALSE(running());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ExamFixture, ExactlyTheLengthInRecordsAsksEveryRecord)
{
    startWithRecords(10);
    pressStart("Test_Normal");
    QSet<int> asked;
    for (int q = 1; q <= 10; ++q) {
        asked.insert(askedRecord());
        answerRight();
    }
    EXPECT_EQ(asked, QSet<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_TRUE(visible(exam().Panel6));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ExamFixture, TooFewRecordsAreRefusedByEveryButton)
{
    startWithRecords(9);
    for (const char* button : {"Test_Normal", "Test_Time", "Test_All"}) {
        pressStart(button);
        EXPECT_TRUE(visible(exam().Panel4)) << button;
        EXPECT_FALSE(visible(exam().Panel5)) << button;
        EXPECT_FALSE(running()) << button;
    }
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>(3, QStringLiteral("登録単語数が現在のモードでは足りません。")));
    EXPECT_EQ(wordFile(), records(9));
}

TEST_F(ExamFixture, TwelveRecordsAreTooFewForTwentyQuestions)
{
    startWithRecords(12);
    chooseLength("Opt_Q_20");
    pressStart("Test_Time");
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{QStringLiteral("登録単語数が現在のモードでは足りません。")});
    EXPECT_FALSE(running());
}

TEST_F(ExamFixture, EmptyUnencodableAndMiscasedAnswers)
{
    startWithRecords(12);
    pressStart("Test_Normal");
    const int first = askedRecord();

    // Enter or the button with nothing typed records nothing.
    QTest::keyClick(find<QLineEdit>("Edit2"), Qt::Key_Return);
    QTest::mouseClick(find<QPushButton>("Checkans"), Qt::LeftButton);
    EXPECT_EQ(trainer.exam().questionNo(), 1);
    EXPECT_EQ(text("Label15"), QStringLiteral("第1問"));
    EXPECT_EQ(askedRecord(), first);
    EXPECT_EQ(wordFile(), records(12));

    // A character with no code in the word file's code page can never be
    // right: the answer is counted wrong, like any other.
    QTest::sendKeyEvent(QTest::Click, find<QLineEdit>("Edit2"), Qt::Key_unknown, QStringLiteral("☃"),
                        Qt::NoModifier);
    ASSERT_EQ(find<QLineEdit>("Edit2")->text(), QStringLiteral("☃"));
    QTest::keyClick(find<QLineEdit>("Edit2"), Qt::Key_Return);
    EXPECT_TRUE(dialogs.errors().empty());
    EXPECT_EQ(trainer.exam().questionNo(), 2);
    EXPECT_TRUE(wordFile().contains("word" + QByteArray::number(first) + "," + sjis("意味")
                                    + QByteArray::number(first) + ",,,0,1,0\r\n"));

    // Case matters: counted as asked, not as right.
    const int second = askedRecord();
    answer(QStringLiteral("WORD%1").arg(second));
    EXPECT_EQ(trainer.exam().questionNo(), 3);
    EXPECT_EQ(trainer.exam().score(), 0);
    EXPECT_TRUE(wordFile().contains("word" + QByteArray::number(second) + "," + sjis("意味")
                                    + QByteArray::number(second) + ",,,0,1,0\r\n"));
}

TEST_F(ExamFixture, TimeRunsOutOnTheThreeHundredAndFirstTick)
{
    startWithRecords(12);
    pressStart("Test_Normal");
    for (int q = 0; q < 4; ++q)
        answerRight();
    for (int tick = 1; tick <= 300; ++tick)
        exam().Timer1Timer();
    EXPECT_EQ(text("time"), QStringLiteral("あと0秒"));
    EXPECT_TRUE(visible(exam().Panel5));

    exam().Timer1Timer();
    EXPECT_EQ(text("time"), QStringLiteral("あと-1秒"));
    EXPECT_FALSE(running());
    ASSERT_TRUE(visible(exam().Panel6));
    EXPECT_EQ(text("Label24"), QStringLiteral("普通モード"));
    EXPECT_EQ(text("Label25"), QStringLiteral("（時間切れ）"));
    EXPECT_EQ(text("Label17"), QStringLiteral("正解数　4/ 10"));
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(cell(row, 0), row < 4 ? QStringLiteral("○") : QStringLiteral("×")) << row;
        EXPECT_EQ(cell(row, 3).isEmpty(), row >= 4) << row;
        EXPECT_FALSE(cell(row, 2).isEmpty()) << row;
    }
}

TEST_F(ExamFixture, TimeAttackAlsoEndsOnTheThreeHundredAndFirstTick)
{
    startWithRecords(12);
    pressStart("Test_Time");
    for (int tick = 1; tick <= 301; ++tick)
        exam().Timer1Timer();
    EXPECT_FALSE(running());
    EXPECT_EQ(text("Label24"), QStringLiteral("タイムアタック"));
    EXPECT_EQ(text("Label25"), QStringLiteral("（終了！）"));
    EXPECT_EQ(text("Label17"), QStringLiteral("正解数　0/ 10"));
}

TEST_F(ExamFixture, CompleteRunNeverCountsDown)
{
    startWithRecords(12);
    pressStart("Test_All");
    EXPECT_EQ(text("time"), QStringLiteral("あと∞秒"));
    for (int tick = 1; tick <= 1000; ++tick)
        exam().Timer1Timer();
    EXPECT_EQ(text("time"), QStringLiteral("あと∞秒"));
    EXPECT_EQ(trainer.exam().timeLeft(), 300);
    EXPECT_TRUE(running());
    EXPECT_TRUE(visible(exam().Panel5));
}

TEST_F(ExamFixture, LeavingTheTabAsksAndOnlyOkStopsTheTest)
{
    startWithRecords(12);
    pressStart("Test_Normal");
    answerRight();
    const QByteArray afterOne = wordFile();
    QTest::keyClicks(find<QLineEdit>("Edit2"), QStringLiteral("half typed"));

    dialogs.confirmAnswers = {false};
    clickTab(MainWindow::kQuiz);
    EXPECT_EQ(dialogs.confirmations(), std::vector<QString>{QStringLiteral("テスト中です。中断しますか？")});
    EXPECT_EQ(find<QTabBar>("TabBar")->currentIndex(), MainWindow::kTest);
    EXPECT_TRUE(visible(exam().Panel5));
    EXPECT_TRUE(running());
    exam().Timer1Timer();
    EXPECT_EQ(text("time"), QStringLiteral("あと299秒"));

    dialogs.confirmAnswers = {true};
    clickTab(MainWindow::kRegistration);
    EXPECT_EQ(dialogs.confirmations().size(), 2u);
    EXPECT_FALSE(running());
    EXPECT_FALSE(trainer.exam().running());
    EXPECT_FALSE(visible(exam().Panel5));
    EXPECT_FALSE(visible(exam().Panel6));
    EXPECT_EQ(wordFile(), afterOne);

    // Back on the tab: the start panel, and a new test starts clean.
    clickTab(MainWindow::kTest);
    EXPECT_EQ(dialogs.confirmations().size(), 2u);
    EXPECT_TRUE(visible(exam().Panel4));
    QTest::mouseClick(find<QPushButton>("Test_All"), Qt::LeftButton);
    EXPECT_TRUE(find<QLineEdit>("Edit2")->text().isEmpty());
    EXPECT_TRUE(text("Label21").isEmpty());
    EXPECT_EQ(text("Label15"), QStringLiteral("第1問"));
}

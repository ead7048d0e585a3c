// The countdown goes on while a test answer waits on a question, but a tick
// in that question's modal loop never runs as a second action inside the
// first: it is counted once the answer is done.

#include "exam_fixture.h"

namespace {

TEST_F(ExamFixture, ATickDuringTheOverwriteQuestionWaitsForTheAnswerAndIsNotLost)
{
    startWithRecords(12);
    pressStart("Test_Normal");
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_TRUE(timer && timer->isActive());
    timer->setInterval(5); // the real timer, ticking fast

    // Another program changes the word file: the answer's save asks.
    folder.write(QStringLiteral("words/default.txt"), records(12) + "extra,x,,,0,0,0\r\n");
    int ticks = 0;
    QObject::connect(timer, &QTimer::timeout, [&] { ++ticks; });
    int timeLeftDuringQuestion = -1;
    dialogs.whileOpen = [&](const ScriptedDialogs::Shown& shown) {
        if (shown.kind != ScriptedDialogs::Kind::Confirm)
            return;
        // The question's own event loop, as a message box runs it.
        EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
        timeLeftDuringQuestion = trainer.exam().timeLeft();
    };
    dialogs.confirmAnswers = {true};
    const int record = askedRecord();
    answerRight();
    timer->stop();
    dialogs.whileOpen = {};

    ASSERT_EQ(dialogs.confirmations().size(), 1u);
    EXPECT_GE(ticks, 3);
    // Nothing of the test moved while the answer was being saved.
    EXPECT_EQ(timeLeftDuringQuestion, ExamSession::kTimeLimit);
    // The answer counted once, for the question it was typed for.
    EXPECT_EQ(trainer.exam().questionNo(), 2);
    EXPECT_EQ(trainer.exam().score(), 1);
    const QByteArray counted = "word" + QByteArray::number(record) + "," + sjis("意味")
        + QByteArray::number(record) + ",,,0,1,1\r\n";
    EXPECT_TRUE(wordFile().contains(counted)) << wordFile().toStdString();
    EXPECT_EQ(text("Label15"), QStringLiteral("第2問"));

    // The seconds that passed meanwhile come with the next tick.
    exam().Timer1Timer();
    EXPECT_EQ(trainer.exam().timeLeft(), ExamSession::kTimeLimit - ticks - 1);
    EXPECT_EQ(text("time"), QStringLiteral("あと%1秒").arg(ExamSession::kTimeLimit - ticks - 1));
}

} // namespace

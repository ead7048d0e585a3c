// The timed test without a window: its order, its ends, the countdown and
// the results.

#include "trainer_fixture.h"

#include "store/random.h"

#include <QSet>
#include <utility>
#include <vector>

namespace {

// The generator's step is invertible: seed = prev × a + 1 with odd a.
uint32_t stepsBack(uint32_t seed, int steps)
{
    uint32_t inverse = 134775813u;
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - 134775813u * inverse;
    for (int i = 0; i < steps; ++i)
        seed = (seed - 1u) * inverse;
    return seed;
}

QString rightAnswer(const Trainer& t)
{
    return QStringLiteral("word%1").arg(t.exam().record() + 1);
}

} // namespace

TEST_F(TrainerTest, ANormalTestAsksTheShuffledOrderAndEndsAfterItsLength)
{
    open(numbered(12));
    trainer.startExam(ExamKind::Normal);
    ASSERT_TRUE(trainer.exam().running());

    // Every position exchanged with one drawn from the whole list, replayed
    // from the seed before the twelve draws.
    Random replay;
    replay.setSeed(stepsBack(trainer.rng().seed(), 12));
    std::vector<int> expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (size_t j = 0; j < expected.size(); ++j)
        std::swap(expected[j], expected[static_cast<size_t>(replay.Next(12))]);

    QSet<int> asked;
    for (int q = 1; q <= 10; ++q) {
        ASSERT_TRUE(trainer.exam().running());
        EXPECT_EQ(trainer.exam().questionCaption(), QStringLiteral("第%1問").arg(q));
        EXPECT_EQ(trainer.exam().record() + 1, expected[static_cast<size_t>(q - 1)]);
        EXPECT_EQ(trainer.exam().prompt(), QStringLiteral("意味%1").arg(trainer.exam().record() + 1));
        asked.insert(trainer.exam().record());
        trainer.answerExam(q % 3 == 0 ? QStringLiteral("nope") : rightAnswer(trainer));
    }
    EXPECT_EQ(asked.size(), 10);
    EXPECT_EQ(trainer.exam().phase(), ExamSession::Phase::Finished);
    EXPECT_EQ(trainer.exam().title(), QStringLiteral("普通モード"));
    EXPECT_TRUE(trainer.exam().subtitle().isEmpty());
    EXPECT_EQ(trainer.exam().scoreText(), QStringLiteral("正解数　7/ 10"));
    ASSERT_EQ(trainer.exam().results().size(), 10u);
    EXPECT_EQ(trainer.exam().results()[2].mark, QStringLiteral("×"));
    EXPECT_EQ(trainer.exam().results()[2].answer, QStringLiteral("nope"));
    EXPECT_EQ(trainer.exam().results()[3].mark, QStringLiteral("○"));
    // Every answer was counted in the file.
    const QByteArray file = wordFile();
    EXPECT_EQ(file.count(",1,1\r\n"), 7);
    EXPECT_EQ(file.count(",1,0\r\n"), 3);
}

TEST_F(TrainerTest, EveryKindEndsAfterItsLengthInAnswersWithItsTitle)
{
    struct Row {
        ExamKind kind;
        const char* title;
        const char* subtitle;
    };
    for (const Row& row :
         {Row{ExamKind::Normal, "普通モード", ""}, Row{ExamKind::TimeAttack, "タイムアタック", "終了！"},
          Row{ExamKind::Complete, "全制覇モード", "全単語制覇！"}}) {
        open(numbered(10));
        trainer.startExam(row.kind);
        ASSERT_TRUE(trainer.exam().running());
        for (int q = 1; q <= 10; ++q)
            trainer.answerExam(rightAnswer(trainer));
        EXPECT_EQ(trainer.exam().phase(), ExamSession::Phase::Finished) << row.title;
        EXPECT_EQ(trainer.exam().title(), QString::fromUtf8(row.title));
        EXPECT_EQ(trainer.exam().subtitle(), QString::fromUtf8(row.subtitle));
        EXPECT_EQ(trainer.exam().scoreText(), QStringLiteral("正解数　10/ 10"));
    }
}

TEST_F(TrainerTest, TheCountdownEndsATimedTestOnThe301stTickAndNeverACompleteRun)
{
    open(numbered(10));
    trainer.startExam(ExamKind::Normal);
    ASSERT_TRUE(trainer.exam().running());
    trainer.answerExam(rightAnswer(trainer));
    EXPECT_EQ(trainer.exam().countdown(), QStringLiteral("あと300秒"));
    for (int t = 0; t < 300; ++t)
        trainer.tick();
    EXPECT_TRUE(trainer.exam().running());
    EXPECT_EQ(trainer.exam().countdown(), QStringLiteral("あと0秒"));
    trainer.tick();
    EXPECT_EQ(trainer.exam().phase(), ExamSession::Phase::Finished);
    EXPECT_EQ(trainer.exam().subtitle(), QStringLiteral("時間切れ"));
    // Unanswered questions are listed wrong with no answer.
    EXPECT_EQ(trainer.exam().scoreText(), QStringLiteral("正解数　1/ 10"));
    EXPECT_EQ(trainer.exam().results()[0].mark, QStringLiteral("○"));
    EXPECT_EQ(trainer.exam().results()[9].mark, QStringLiteral("×"));
    EXPECT_TRUE(trainer.exam().results()[9].answer.isEmpty());

    trainer.examToStart();
    trainer.startExam(ExamKind::Complete);
    ASSERT_TRUE(trainer.exam().running());
    for (int t = 0; t < 400; ++t)
        trainer.tick();
    EXPECT_TRUE(trainer.exam().running());
    EXPECT_EQ(trainer.exam().countdown(), QStringLiteral("あと∞秒"));
}

TEST_F(TrainerTest, TooFewRecordsRefuseEveryKindAndChangeNothing)
{
    open(numbered(9));
    for (ExamKind kind : {ExamKind::Normal, ExamKind::TimeAttack, ExamKind::Complete}) {
        EXPECT_FALSE(trainer.startExam(kind).exam);
        EXPECT_EQ(trainer.exam().phase(), ExamSession::Phase::Idle);
        EXPECT_TRUE(trainer.order().ReadLine(0).isEmpty());
    }
    option(&Options::testLength, 20);
    open(numbered(19));
    EXPECT_FALSE(trainer.startExam(ExamKind::Normal).exam);
    EXPECT_EQ(learner.told(),
              std::vector<QString>(4, QStringLiteral("登録単語数が現在のモードでは足りません。")));
}

TEST_F(TrainerTest, TheOtherKindsRepeatTheLastNormalOrderUntilTheQuizReplacesIt)
{
    open(numbered(12));
    trainer.startExam(ExamKind::Normal);
    ASSERT_TRUE(trainer.exam().running());
    std::vector<QByteArray> normal;
    for (int slot = 0; slot < 12; ++slot)
        normal.push_back(trainer.order().ReadLine(slot));
    abandonExam();

    trainer.startExam(ExamKind::TimeAttack);
    ASSERT_TRUE(trainer.exam().running());
    for (int slot = 0; slot < 12; ++slot)
        EXPECT_EQ(trainer.order().ReadLine(slot), normal[size_t(slot)]);
    abandonExam();

    // The quiz's pool holds record indices from 0: never read as a test order.
    startQuiz();
    ASSERT_TRUE(trainer.quiz().asked());
    trainer.startExam(ExamKind::Complete);
    ASSERT_TRUE(trainer.exam().running());
    QSet<QByteArray> numbers;
    for (int slot = 0; slot < 12; ++slot)
        numbers.insert(trainer.order().ReadLine(slot));
    EXPECT_EQ(numbers.size(), 12);
    EXPECT_FALSE(numbers.contains("0"));
}

TEST_F(TrainerTest, AnAnswerWithNoCodeIsJudgedWrongCountedAndShownAsTyped)
{
    open(numbered(10));
    trainer.startExam(ExamKind::Normal);
    ASSERT_TRUE(trainer.exam().running());
    const int record = trainer.exam().record();
    trainer.answerExam(QStringLiteral("word🙂"));
    EXPECT_EQ(trainer.exam().questionNo(), 2);
    EXPECT_EQ(trainer.exam().answerOf(1), QStringLiteral("word🙂"));
    EXPECT_TRUE(wordFile().contains("word" + QByteArray::number(record + 1) + ',' + sjis("意味")
                                    + QByteArray::number(record + 1) + ",,,0,1,0"));
    // An empty answer records nothing and asks the same question again.
    trainer.answerExam({});
    EXPECT_EQ(trainer.exam().questionNo(), 2);
    for (int q = 2; q <= 10; ++q)
        trainer.answerExam(rightAnswer(trainer));
    EXPECT_EQ(trainer.exam().results()[0].answer, QStringLiteral("word🙂"));
    EXPECT_EQ(trainer.exam().results()[0].mark, QStringLiteral("×"));
}

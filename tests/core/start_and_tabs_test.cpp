// The start and the tab switch: what each step does when it works and when
// it cannot, which tab is shown, and that no action starts inside another.

#include "trainer_fixture.h"

#include "store/failure.h"

namespace {

const QByteArray kWords = "apple,x,,,0,3,1\r\nrun,y,,,1,0,0\r\n";

} // namespace

TEST_F(TrainerTest, AFirstStartWritesThePreferencesAndSaysSoOnlyOnceTheWordFileIsHeld)
{
    QString lockWhenTold;
    learner.whileOpen = [&](const ScriptedQuestions::Asked&) { lockWhenTold = trainer.lockFile(); };
    const Outcome started = trainer.start();
    EXPECT_EQ(learner.told(),
              std::vector<QString>{QStringLiteral(
                  "初期設定ファイル plimopref.ini\nが見つからなかったので新たに作成しました。")});
    // A second start meanwhile finds this copy holding the word file.
    EXPECT_FALSE(lockWhenTold.isEmpty());
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")),
              "[wordfile]\r\ndefwordfile=words\\default.txt\r\n");
    EXPECT_EQ(wordFile(), QByteArray());
    EXPECT_EQ(started.tab, Tab::Registration);
    EXPECT_FALSE(started.handOver);
}

TEST_F(TrainerTest, AStartGoesOnPastAPreferencesFileItCannotWriteOrRead)
{
    // A plain file where the configuration folder should be.
    folder.write(QStringLiteral("config"), "in the way");
    EXPECT_EQ(trainer.start().tab, Tab::Registration);
    ASSERT_EQ(learner.reported().size(), 1u);
    EXPECT_TRUE(learner.reported()[0].endsWith(QStringLiteral("に書き込めません")));
    EXPECT_TRUE(learner.told().empty());
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_TRUE(folder.exists(QStringLiteral("words/default.txt")));
}

TEST_F(TrainerTest, AStartOnAWordFileAnotherCopyHoldsOpensNothingAndHandsOver)
{
    folder.write(QStringLiteral("words/default.txt"), kWords);
    folder.writePrefs("words\\default.txt");
    ScriptedQuestions otherLearner;
    Trainer running(folder.prefsFile());
    running.setQuestions(&otherLearner);
    running.start();

    const Outcome started = trainer.start();
    EXPECT_TRUE(started.handOver);
    EXPECT_FALSE(started.tab);
    EXPECT_TRUE(learner.asked.empty());
    EXPECT_TRUE(trainer.book().path.isEmpty());
}

TEST_F(TrainerTest, ADamagedDefaultIsReportedAndNoTabIsPrepared)
{
    folder.write(QStringLiteral("words/default.txt"), QByteArray("a\0b", 3));
    folder.writePrefs("words\\default.txt");
    const Outcome started = trainer.start();
    ASSERT_EQ(learner.reported().size(), 1u);
    EXPECT_TRUE(learner.reported()[0].contains(QStringLiteral("テキストの単語ファイルではありません")));
    EXPECT_FALSE(started.tab);
    EXPECT_TRUE(trainer.book().path.isEmpty());
    EXPECT_EQ(wordFile(), QByteArray("a\0b", 3));
}

TEST_F(TrainerTest, EveryTabSwitchReseedsAndLeavingARunningTestTakesTheLearnersWord)
{
    open(numbered(10));
    trainer.seed(0xDEADBEEF);
    trainer.switchTab(Tab::About);
    EXPECT_NE(trainer.rng().seed(), 0xDEADBEEFu);

    trainer.switchTab(Tab::Test);
    trainer.startExam(ExamKind::Normal);
    learner.confirms = {false};
    EXPECT_EQ(trainer.switchTab(Tab::Quiz).tab, Tab::Test);
    EXPECT_EQ(learner.confirmations(), std::vector<QString>{QStringLiteral("テスト中です。中断しますか？")});
    EXPECT_TRUE(trainer.exam().running());
    EXPECT_EQ(trainer.tab(), Tab::Test);

    learner.confirms = {true};
    const Outcome left = trainer.switchTab(Tab::Quiz);
    EXPECT_EQ(left.tab, Tab::Quiz);
    EXPECT_TRUE(left.exam);
    EXPECT_FALSE(trainer.exam().running());
    EXPECT_TRUE(trainer.quiz().asked());
    // The test's tab shows its start again, and asks nothing.
    EXPECT_EQ(trainer.switchTab(Tab::Test).tab, Tab::Test);
    EXPECT_EQ(trainer.exam().phase(), ExamSession::Phase::Idle);
    EXPECT_EQ(learner.confirmations().size(), 2u);
}

TEST_F(TrainerTest, TheQuizWithNoWordFallsBackToTheOptionsAndTheEmptyListToTheRegistration)
{
    open(lines({"apple,x,,,0,3,1"}));
    option(&Options::filter, QuizFilter::NeverAnswered);
    EXPECT_EQ(startQuiz().tab, Tab::Options);
    EXPECT_EQ(trainer.tab(), Tab::Options);
    EXPECT_EQ(learner.told(),
              std::vector<QString>{QStringLiteral(
                  "出題モードに該当した単語が一つもありませんでした。\nオプションで設定し直してください。")});

    open({});
    learner.clear();
    EXPECT_EQ(trainer.switchTab(Tab::List).tab, Tab::Registration);
    EXPECT_EQ(learner.told(),
              std::vector<QString>{
                  QStringLiteral("登録されている単語が一つもありません。\nまずは単語登録しましょう！")});
    EXPECT_EQ(trainer.listing(), nullptr);
}

TEST_F(TrainerTest, ARecordTheListCannotShowLeavesItEmptyAndADeletionThatBringsOneInStands)
{
    open(lines({"apple,x,,,0,0,0", "bad,y,,,0,q,0"}));
    EXPECT_EQ(trainer.switchTab(Tab::List).tab, Tab::List);
    EXPECT_EQ(learner.reported(), std::vector<QString>{QStringLiteral("'q' は整数ではありません")});
    EXPECT_EQ(trainer.listing(), nullptr);

    // A thousand words and, behind them, one the list has never shown.
    QByteArray words;
    for (int k = 0; k < 1000; ++k)
        words += "w" + QByteArray::number(k) + ",m,,,0,0,0\r\n";
    open(words + "bad,y,,,0,q,0\r\n");
    learner.clear();
    ASSERT_EQ(trainer.switchTab(Tab::List).tab, Tab::List);
    ASSERT_EQ(trainer.listing()->size(), 1000u);
    const Outcome deleted = remove(0);
    EXPECT_TRUE(deleted.words && deleted.list);
    EXPECT_EQ(wordFile(), words.mid(words.indexOf("\r\n") + 2) + "bad,y,,,0,q,0\r\n");
    EXPECT_EQ(learner.reported(), std::vector<QString>{QStringLiteral("'q' は整数ではありません")});
    EXPECT_EQ(trainer.listing(), nullptr);
}

TEST_F(TrainerTest, NoActionStartsWhileAnotherWaitsOnItsQuestionAndHeldTicksAreNotLost)
{
    open(numbered(10));
    trainer.switchTab(Tab::Test);
    trainer.startExam(ExamKind::TimeAttack);
    const QString right = QStringLiteral("word%1").arg(trainer.exam().record() + 1);
    folder.write(QString::fromLatin1(kWordFile), numbered(11));

    Outcome nested;
    learner.whileOpen = [&](const ScriptedQuestions::Asked& asked) {
        if (asked.kind != ScriptedQuestions::Kind::Confirm)
            return;
        // What a modal loop may deliver meanwhile: ticks, and any command.
        EXPECT_FALSE(trainer.tick().exam);
        EXPECT_FALSE(trainer.tick().exam);
        nested = trainer.answerExam(right);
        EXPECT_FALSE(trainer.switchTab(Tab::About).tab);
    };
    learner.confirms = {true};
    const Outcome answered = trainer.answerExam(right);
    learner.whileOpen = {};

    EXPECT_TRUE(answered.answerTaken);
    EXPECT_FALSE(nested.exam || nested.words);
    EXPECT_EQ(learner.confirmations().size(), 1u);
    EXPECT_EQ(trainer.exam().questionNo(), 2);
    EXPECT_EQ(trainer.exam().score(), 1);
    EXPECT_EQ(trainer.tab(), Tab::Test);
    EXPECT_EQ(trainer.exam().timeLeft(), ExamSession::kTimeLimit);
    trainer.tick();
    EXPECT_EQ(trainer.exam().timeLeft(), ExamSession::kTimeLimit - 3);
}

// The quiz without a window: which records the options admit, the order
// they are asked in, hints and answers.

#include "trainer_fixture.h"

#include "store/failure.h"
#include "store/random.h"

#include <vector>

namespace {

std::vector<QByteArray> pool(const Trainer& t)
{
    std::vector<QByteArray> entries;
    for (int i = 0; !t.order().ReadLine(i).isEmpty(); ++i)
        entries.push_back(t.order().ReadLine(i));
    return entries;
}

using Slots = std::vector<QByteArray>;

} // namespace

TEST_F(TrainerTest, ThePoolHoldsTheRecordsTheFilterAndKindAdmitInStoreOrder)
{
    const QByteArray words = lines({
        "never,一,,,0,0,0", // 0: never answered
        "sixty,二,Ex.,例,0,5,3", // 1: 60% qualifies as low
        "high,三,,,0,3,2", // 2: 66.7% does not
        "noexmean,四,Ex.,,0,0,0", // 3: example without its meaning
        "low,五,Ex.,例,0,4,1", // 4: 25%
    });
    struct Row {
        QuizFilter filter;
        QuestionKind kind;
        Slots expected;
    };
    const Row rows[] = {
        {QuizFilter::All, QuestionKind::Spelling, {"0", "1", "2", "3", "4"}},
        {QuizFilter::NeverAnswered, QuestionKind::Spelling, {"0", "3"}},
        {QuizFilter::LowAccuracy, QuestionKind::Spelling, {"1", "4"}},
        {QuizFilter::All, QuestionKind::Example, {"1", "4"}},
        {QuizFilter::NeverAnswered, QuestionKind::Example, {}},
    };
    for (const Row& row : rows) {
        open(words);
        option(&Options::filter, row.filter);
        option(&Options::kind, row.kind);
        startQuiz();
        EXPECT_EQ(trainer.quiz().asked(), !row.expected.empty());
        EXPECT_EQ(pool(trainer), row.expected) << int(row.filter) << int(row.kind);
    }
}

TEST_F(TrainerTest, ADamagedCounterStopsThePoolOnlyUnderTheFiltersThatConvertIt)
{
    open(lines({"a,一,,,0,0,0", "b,二,,,0,0,x", "c,三,,,0,1,1"}));
    option(&Options::filter, QuizFilter::All);
    startQuiz();
    ASSERT_TRUE(trainer.quiz().asked());
    option(&Options::filter, QuizFilter::NeverAnswered);
    startQuiz();
    ASSERT_TRUE(trainer.quiz().asked());
    EXPECT_EQ(pool(trainer), (Slots{"0", "1"}));

    // The failed build leaves the pool and the question of the last one.
    const int question = trainer.quiz().question();
    option(&Options::filter, QuizFilter::LowAccuracy);
    EXPECT_EQ(startQuiz().tab, Tab::Quiz);
    EXPECT_EQ(learner.reported(), std::vector<QString>{QStringLiteral("'x' は整数ではありません")});
    EXPECT_EQ(pool(trainer), (Slots{"0", "1"}));
    EXPECT_EQ(trainer.quiz().question(), question);
}

TEST_F(TrainerTest, InTurnTheQuizWrapsAndShowsItsPositionAtRandomItDrawsFromThePool)
{
    open(lines({"a,一,,,0,0,0", "b,二,,,0,0,0", "c,三,,,0,0,0"}));
    option(&Options::order, QuizOrder::InTurn);
    startQuiz();
    ASSERT_TRUE(trainer.quiz().asked());
    QStringList seen{trainer.quiz().position()};
    for (int i = 0; i < 3; ++i) {
        trainer.nextQuestion();
        seen << trainer.quiz().position();
    }
    EXPECT_EQ(seen, (QStringList{"出題No  1/3", "出題No  2/3", "出題No  3/3", "出題No  1/3"}));
    EXPECT_EQ(trainer.quiz().prompt(), QStringLiteral("一"));

    option(&Options::order, QuizOrder::Random);
    trainer.seed(12345);
    Random replay;
    replay.setSeed(12345);
    for (int i = 0; i < 5; ++i) {
        trainer.nextQuestion();
        EXPECT_EQ(trainer.quiz().question(), replay.Next(3));
        EXPECT_TRUE(trainer.quiz().position().isEmpty());
    }
}

TEST_F(TrainerTest, ARightAnswerCountsAndMovesOnAWrongOneShowsTheWordAndWaits)
{
    const QByteArray words =
        lines({"apple,りんご,An apple.,りんご一つ,0,0,0", "run,走る,I run.,私は走る,1,0,0"});
    open(words);
    option(&Options::order, QuizOrder::InTurn);
    startQuiz();
    ASSERT_TRUE(trainer.quiz().asked());
    EXPECT_EQ(trainer.quiz().heading(), QStringLiteral("Q.  次の単語のスペルを答えよ。"));

    EXPECT_EQ(trainer.quiz().judge(trainer.book(), {}), QuizSession::Verdict::Empty);
    EXPECT_EQ(quizAnswer({}), QString());
    EXPECT_EQ(wordFile(), words);

    trainer.showHint();
    EXPECT_EQ(trainer.quiz().hintText(), QStringLiteral("最初のスペルは 「a」"));
    EXPECT_EQ(quizAnswer(QStringLiteral("apple")), QStringLiteral("正解っす"));
    EXPECT_EQ(trainer.quiz().question(), 1);
    EXPECT_TRUE(trainer.quiz().hintText().isEmpty());

    EXPECT_EQ(quizAnswer(QStringLiteral("Run")), QStringLiteral("残念！"));
    EXPECT_EQ(trainer.quiz().correction(), QStringLiteral("正解：run"));
    EXPECT_FALSE(trainer.quiz().answering());
    // While the word is shown, answering again counts nothing.
    EXPECT_EQ(quizAnswer(QStringLiteral("run")), QString());
    EXPECT_EQ(wordFile(),
              lines({"apple,りんご,An apple.,りんご一つ,0,1,1", "run,走る,I run.,私は走る,1,1,0"}));

    trainer.nextQuestion();
    EXPECT_TRUE(trainer.quiz().answering());
    EXPECT_TRUE(trainer.quiz().correction().isEmpty());
}

TEST_F(TrainerTest, ExampleQuestionsAskTheSentenceAndAnAnswerWithNoCodeIsCountedWrong)
{
    open(lines({"apple,りんご,An apple.,りんご一つ,0,0,0"}));
    option(&Options::kind, QuestionKind::Example);
    startQuiz();
    ASSERT_TRUE(trainer.quiz().asked());
    EXPECT_EQ(trainer.quiz().heading(), QStringLiteral("Q.  英訳せよ。"));
    EXPECT_EQ(trainer.quiz().prompt(), QStringLiteral("りんご一つ"));
    EXPECT_EQ(quizAnswer(QStringLiteral("apple")), QStringLiteral("残念！"));
    trainer.nextQuestion();
    EXPECT_EQ(quizAnswer(QStringLiteral("An apple. 🍎")), QStringLiteral("残念！"));
    trainer.nextQuestion();
    EXPECT_EQ(quizAnswer(QStringLiteral("An apple.")), QStringLiteral("正解っす"));
    EXPECT_EQ(wordFile(), lines({"apple,りんご,An apple.,りんご一つ,0,3,1"}));
}

TEST_F(TrainerTest, WithNoQuestionAskedTheQuizCommandsFailAsOnAnEmptyQuestion)
{
    open(lines({"a,一,,,0,0,x"}));
    option(&Options::filter, QuizFilter::LowAccuracy);
    startQuiz();
    EXPECT_EQ(learner.reported().size(), 1u);
    for (const auto& command :
         std::vector<std::function<void()>>{[&] { trainer.nextQuestion(); }, [&] { trainer.showHint(); },
                                            [&] { trainer.answerQuiz(QStringLiteral("a")); }}) {
        try {
            command();
            FAIL();
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.text(), QStringLiteral("'' は整数ではありません"));
        }
    }
    EXPECT_FALSE(trainer.quiz().asked());
}

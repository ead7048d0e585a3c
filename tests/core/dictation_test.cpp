// Dictation questions and what the quiz lets the learner hear: the word is
// spoken, never shown, and answered and counted like a spelling question.

#include "trainer_fixture.h"

namespace {

const char* const kWords[] = {"apple,りんご,An apple.,りんご一つ,0,0,0", "run,走る,,,1,2,1"};

} // namespace

TEST_F(TrainerTest, ADictationQuestionSpeaksTheWordAndShowsNoSpelling)
{
    open(lines({kWords[0], kWords[1]}));
    option(&Options::kind, QuestionKind::Dictation);
    option(&Options::order, QuizOrder::InTurn);
    // Like spelling questions, every record qualifies, with or without an
    // example sentence.
    startQuiz();
    ASSERT_TRUE(trainer.quiz().asked());
    EXPECT_EQ(trainer.order().ReadLine(1), "1");

    const QuizSession& quiz = trainer.quiz();
    EXPECT_EQ(quiz.kind(), QuestionKind::Dictation);
    EXPECT_EQ(quiz.heading(), QStringLiteral("Q.  聞こえた単語のスペルを答えよ。"));
    EXPECT_FALSE(quiz.prompt().contains(QStringLiteral("apple")));
    EXPECT_FALSE(quiz.prompt().contains(QStringLiteral("りんご"))) << "the learner has only the sound";
    EXPECT_EQ(quiz.silentPrompt(), QStringLiteral("りんご"));
    EXPECT_EQ(quiz.spokenOnShow(), QStringLiteral("apple"));
    EXPECT_EQ(quiz.wordToHear(), QStringLiteral("apple"));
    // The sentence holds the word's use: not before the verdict.
    EXPECT_TRUE(quiz.exampleToHear().isEmpty());

    trainer.showHint();
    EXPECT_EQ(quiz.hintText(), QStringLiteral("最初のスペルは 「a」"));
    EXPECT_EQ(quizAnswer(QStringLiteral("Apple")), QStringLiteral("残念！"));
    EXPECT_EQ(quiz.correction(), QStringLiteral("正解：apple"));
    EXPECT_EQ(quiz.exampleToHear(), QStringLiteral("An apple."));
    trainer.nextQuestion();
    EXPECT_EQ(quiz.spokenOnShow(), QStringLiteral("run"));
    EXPECT_EQ(quiz.silentPrompt(), QStringLiteral("走る"));
    EXPECT_EQ(quizAnswer(QStringLiteral("run")), QStringLiteral("正解っす"));
    // Straight on to the next question, which is spoken in its turn.
    EXPECT_EQ(quiz.spokenOnShow(), QStringLiteral("apple"));
}

TEST_F(TrainerTest, DictationAnswersAreCountedInTheWordFileExactlyLikeSpellingOnes)
{
    const QStringList answers{QStringLiteral("apple"), QStringLiteral("runs"), QString(),
                              QStringLiteral("run"), QStringLiteral("apple ")};
    QByteArray files[2];
    for (const QuestionKind kind : {QuestionKind::Spelling, QuestionKind::Dictation}) {
        open(lines({kWords[0], kWords[1]}));
        option(&Options::kind, kind);
        option(&Options::order, QuizOrder::InTurn);
        startQuiz();
        for (const QString& typed : answers) {
            if (!trainer.quiz().answering())
                trainer.nextQuestion();
            quizAnswer(typed);
        }
        files[kind == QuestionKind::Dictation] = wordFile();
    }
    EXPECT_EQ(files[1], files[0]);
    EXPECT_EQ(files[1], lines({"apple,りんご,An apple.,りんご一つ,0,2,1", "run,走る,,,1,4,1"}));
}

TEST_F(TrainerTest, OtherKindsLetTheWordBeHeardOnlyOnceTheAnswerWasJudged)
{
    open(lines({kWords[0], kWords[1]}));
    option(&Options::order, QuizOrder::InTurn);
    for (const QuestionKind kind : {QuestionKind::Spelling, QuestionKind::Example}) {
        option(&Options::kind, kind);
        startQuiz();
        const QuizSession& quiz = trainer.quiz();
        EXPECT_TRUE(quiz.spokenOnShow().isEmpty());
        EXPECT_TRUE(quiz.wordToHear().isEmpty()) << "the answer is not given away";
        EXPECT_TRUE(quiz.exampleToHear().isEmpty());
        EXPECT_EQ(quiz.silentPrompt(), quiz.prompt());
        trainer.nextQuestion(); // skipped unanswered: still nothing to hear
        EXPECT_TRUE(quiz.wordToHear().isEmpty());
    }

    // Spelling, right: the next question is shown, the one just answered
    // can be heard.
    option(&Options::kind, QuestionKind::Spelling);
    startQuiz();
    EXPECT_EQ(quizAnswer(QStringLiteral("apple")), QStringLiteral("正解っす"));
    EXPECT_EQ(trainer.quiz().question(), 1);
    EXPECT_EQ(trainer.quiz().wordToHear(), QStringLiteral("apple"));
    EXPECT_EQ(trainer.quiz().exampleToHear(), QStringLiteral("An apple."));
    // Wrong: the question shown, with its word.
    EXPECT_EQ(quizAnswer(QStringLiteral("ran")), QStringLiteral("残念！"));
    EXPECT_EQ(trainer.quiz().wordToHear(), QStringLiteral("run"));
    EXPECT_TRUE(trainer.quiz().exampleToHear().isEmpty());
    // A new pool starts with nothing to hear.
    startQuiz();
    EXPECT_TRUE(trainer.quiz().wordToHear().isEmpty());
}

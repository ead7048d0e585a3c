// What the trainer keeps in the review history: every counted answer with
// its place, hint and time, the tests' scores, a word's history across
// 変更, 消去 and 初期化, and never an answer the word file does not count.

#include "history_fixture.h"

#include <QDirIterator>

using history::Place;
using history::Review;

TEST_F(HistoryTest, EveryCountedQuizAnswerIsRememberedWithItsPlaceHintAndTime)
{
    open(lines({"apple,りんご,I ate it.,食べた,0,0,0", "pear,梨,,,0,0,0"}));
    option(&Options::order, QuizOrder::InTurn);
    startQuiz();
    EXPECT_FALSE(QFileInfo::exists(historyFile())) << "opened at the first answer, not before";
    clock += 7;
    EXPECT_EQ(quizAnswer(QStringLiteral("apple")), QStringLiteral("正解っす"));
    clock += 3; // pear is shown
    trainer.showHint();
    clock += 2;
    EXPECT_EQ(quizAnswer(QStringLiteral("Pear")), QStringLiteral("残念！"));
    trainer.nextQuestion(); // apple again
    EXPECT_EQ(quizAnswer(QString()), QString()) << "an empty answer is no answer";
    option(&Options::kind, QuestionKind::Example);
    startQuiz();
    clock += 40;
    quizAnswer(QStringLiteral("I ate it."));
    // Dictation counts as a spelling in the file, and is told apart here.
    option(&Options::kind, QuestionKind::Dictation);
    startQuiz();
    clock += 9;
    quizAnswer(QStringLiteral("apple"));

    EXPECT_EQ(reviews("apple"),
              (std::vector<Review>{{kT0 + 7, Place::QuizSpelling, true, false, 7},
                                   {kT0 + 52, Place::QuizExample, true, false, 40},
                                   {kT0 + 61, Place::QuizDictation, true, false, 9}}));
    EXPECT_EQ(reviews("pear"), (std::vector<Review>{{kT0 + 12, Place::QuizSpelling, false, true, 5}}));
    EXPECT_EQ(wordFile(), lines({"apple,りんご,I ate it.,食べた,0,3,3", "pear,梨,,,0,1,0"}));
    EXPECT_TRUE(learner.reported().empty());
}

TEST_F(HistoryTest, TestAnswersGoUnderTheirKindAndEveryFinishedTestKeepsItsScore)
{
    open(numbered(10));
    trainer.switchTab(Tab::Test);
    auto answerExam = [&](bool right) {
        const int record = trainer.exam().record();
        clock += 2;
        trainer.answerExam(right ? QStringLiteral("word%1").arg(record + 1) : QStringLiteral("nope"));
    };
    trainer.startExam(ExamKind::Normal);
    for (int i = 0; i < 10; ++i)
        answerExam(i != 4);
    // The same order at once, ended by the clock after two answers.
    trainer.examToStart();
    trainer.startExam(ExamKind::TimeAttack);
    answerExam(true);
    answerExam(false);
    for (int i = 0; i <= ExamSession::kTimeLimit && trainer.exam().running(); ++i)
        trainer.tick();
    ASSERT_EQ(trainer.exam().phase(), ExamSession::Phase::Finished);
    // A test left half way is no finished test.
    trainer.examToStart();
    trainer.startExam(ExamKind::Complete);
    answerExam(true);
    abandonExam();

    history::History h(historyFile());
    EXPECT_EQ(*h.testResults(key()),
              (std::vector<history::TestResult>{
                  {kT0 + 20, history::TestKind::Normal, 10, 9},
                  {kT0 + 24, history::TestKind::TimeAttack, 10, 1},
              }));
    int normal = 0, attack = 0, complete = 0, right = 0;
    const auto words = h.reviewsOf(key());
    ASSERT_TRUE(words.has_value());
    for (const history::WordReviews& w : *words) {
        for (const Review& r : w.reviews) {
            normal += r.place == Place::NormalTest;
            attack += r.place == Place::TimeAttack;
            complete += r.place == Place::CompleteRun;
            right += r.right;
            EXPECT_EQ(r.seconds, 2);
        }
    }
    EXPECT_EQ(normal, 10);
    EXPECT_EQ(attack, 2);
    EXPECT_EQ(complete, 1);
    EXPECT_EQ(right, 9 + 1 + 1);
}

TEST_F(HistoryTest, AnAnswerTheWordFileDoesNotTakeIsNotInTheHistory)
{
    open(lines({"apple,りんご,,,0,0,0"}));
    startQuiz();
    // Another program changed the word file: the learner loads its version,
    // and the answer, written to the history before the save, goes too.
    folder.write(QString::fromLatin1(kWordFile), lines({"apple,りんご,,,0,5,5"}));
    learner.confirms.push_back(false);
    quizAnswer(QStringLiteral("apple"));
    EXPECT_EQ(wordFile(), lines({"apple,りんご,,,0,5,5"}));
    EXPECT_EQ(answersHeld(), 0);

    // Saved over it instead: the answer is counted and remembered once.
    startQuiz();
    folder.write(QString::fromLatin1(kWordFile), lines({"apple,りんご,,,0,7,7"}));
    learner.confirms.push_back(true);
    quizAnswer(QStringLiteral("apple"));
    EXPECT_EQ(wordFile(), lines({"apple,りんご,,,0,6,6"}));
    EXPECT_EQ(answersHeld(), 1);
    learner.clear();
}

TEST_F(HistoryTest, ChangingTheSpellingCarriesTheHistoryDeletingRetiresItAndResetKeepsIt)
{
    open(lines({"apple,りんご,,,0,0,0", "pear,梨,,,0,0,0", "pear,洋梨,,,0,0,0"}));
    option(&Options::order, QuizOrder::InTurn);
    startQuiz();
    quizAnswer(QStringLiteral("apple"));
    quizAnswer(QStringLiteral("pear"));
    quizAnswer(QStringLiteral("pear"));
    ASSERT_EQ(reviews("apple").size(), 1u);

    change(0, kWord, QStringLiteral("apples"));
    EXPECT_EQ(reviews("apples").size(), 1u);
    EXPECT_TRUE(reviews("apple").empty());
    // Another field leaves the history alone.
    change(0, kMean, QStringLiteral("りんごたち"));
    EXPECT_EQ(reviews("apples").size(), 1u);

    // One of two records spelt alike goes: the other keeps the reviews.
    remove(1);
    EXPECT_EQ(reviews("pear").size(), 2u);
    remove(0);
    EXPECT_TRUE(reviews("apples").empty()) << "a word deleted starts afresh when registered again";
    trainer.registerWord(typed("apples", "りんご"));
    EXPECT_TRUE(reviews("apples").empty());
    EXPECT_EQ(answersHeld(), 3) << "the rows stay for the progress they tell of";

    resetCounts();
    EXPECT_EQ(wordFile(), lines({"pear,洋梨,,,0,0,0", "apples,りんご,,,0,0,0"}));
    EXPECT_EQ(reviews("pear").size(), 2u);
}

TEST_F(HistoryTest, BackupsKeepACopyOfTheHistoryBesideTheWordFile)
{
    open(lines({"apple,りんご,,,0,0,0", "pear,梨,,,0,0,0"}));
    startQuiz();
    quizAnswer(rightAnswer());
    const QString backups = folder.path(QStringLiteral("backups"));
    auto historyCopies = [&] {
        QStringList found;
        QDirIterator it(backups, {QStringLiteral("*.history.sqlite")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    };
    EXPECT_TRUE(historyCopies().isEmpty()) << "no history yet at the first backup";

    remove(0);
    trainer.waitForBackups();
    const QStringList copies = historyCopies();
    ASSERT_EQ(copies.size(), 1);
    // Beside the word file's copy of the same moment, and a history in full.
    QString wordCopy = copies[0];
    wordCopy.replace(QStringLiteral(".history.sqlite"), QStringLiteral(".txt"));
    EXPECT_TRUE(QFileInfo::exists(wordCopy));
    history::History copy(copies[0]);
    EXPECT_EQ(copy.answersSince(key(), 0)->size(), 1u);

    // A history copy whose word file copy was pruned goes with it.
    const QString orphan = QFileInfo(copies[0]).dir().filePath(
        QStringLiteral("default.txt.000000.2020-01-01T00-00-00+0900.history.sqlite"));
    QFile(orphan).open(QIODevice::WriteOnly);
    resetCounts();
    trainer.waitForBackups();
    EXPECT_FALSE(QFileInfo::exists(orphan));
    EXPECT_EQ(historyCopies().size(), 2);
}

TEST_F(HistoryTest, WithoutADataFolderNoHistoryIsKept)
{
    trainer.setDataFolder(QString(), false);
    folder.write(QStringLiteral("abs.txt"), lines({"apple,りんご,,,0,0,0"}));
    learner.wordFiles.push_back(folder.path(QStringLiteral("abs.txt")));
    trainer.openWordFile();
    startQuiz();
    quizAnswer(QStringLiteral("apple"));
    EXPECT_EQ(folder.read(QStringLiteral("abs.txt")), lines({"apple,りんご,,,0,1,1"}));
    EXPECT_FALSE(QFileInfo::exists(historyFile()));
    EXPECT_TRUE(learner.reported().empty());
}

// Every action happens whole or not at all: when any step fails, the store,
// the sessions and the word file are exactly as before, and the same action
// succeeds once the cause is gone.

#include "trainer_fixture.h"

#include "store/failure.h"

#include <functional>
#include <vector>

namespace {

// Everything of the trainer a view draws or an action reads.
struct Snapshot {
    QByteArray store;
    QString path;
    std::vector<QByteArray> order;
    int question;
    bool answering;
    QString quizTexts;
    int phase, questionNo, score, timeLeft, record;
    QString examTexts;
    std::vector<QString> answers;

    explicit Snapshot(const Trainer& t)
        : store(t.book().store.text()), path(t.book().path.shown()), question(t.quiz().question()),
          answering(t.quiz().answering()),
          quizTexts(t.quiz().heading() + '|' + t.quiz().position() + '|' + t.quiz().prompt() + '|'
                    + t.quiz().hintText() + '|' + t.quiz().correction()),
          phase(int(t.exam().phase())), questionNo(t.exam().questionNo()), score(t.exam().score()),
          timeLeft(t.exam().timeLeft()), record(t.exam().record()),
          examTexts(t.exam().prompt() + '|' + t.exam().lastAnswered())
    {
        for (int slot = 0; slot < OrderList::kSlots; ++slot)
            order.push_back(t.order().ReadLine(slot));
        for (int q = 1; q <= 30; ++q)
            answers.push_back(t.exam().answerOf(q));
        if (t.listing()) {
            for (const ListEntry& row : *t.listing())
                listed << QStringList{QString::number(row.record),
                                      row.word,
                                      row.mean,
                                      row.example,
                                      row.exampleMean,
                                      QString::number(row.part),
                                      QString::number(row.asked),
                                      QString::number(row.correct)}
                              .join(u',');
        }
    }
    QStringList listed;
    bool operator==(const Snapshot&) const = default;
};

struct Case {
    const char* name;
    std::function<void(Trainer&)> prepare; // steps before the action, saves working
    std::function<void(Trainer&, ScriptedQuestions&)> action; // with the learner's answers
    QByteArray fileAfter; // the word file once the action succeeded
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

const QByteArray kWords = "apple," + QByteArray("\x82\xe8\x82\xf1\x82\xb2") + ",,,0,3,1\r\nrun,"
    + QByteArray("\x91\x96\x82\xe9") + ",,,1,0,0\r\nfast," + QByteArray("\x91\x81\x82\xa2") + ",,,2,2,2\r\n";

QByteArray replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to)
{
    return bytes.replace(from, to);
}

std::vector<Case> cases()
{
    const QByteArray apple = "apple," + QByteArray("\x82\xe8\x82\xf1\x82\xb2") + ",,,0,";
    return {
        {"registration",
         {},
         [](Trainer& t, ScriptedQuestions&) { t.registerWord(typed("kiwi", "キウイ")); },
         kWords + "kiwi," + sjis("キウイ") + ",,,0,0,0\r\n"},
        {"change", [](Trainer& t) { t.switchTab(Tab::List); },
         [](Trainer& t, ScriptedQuestions& l) {
             l.newTexts.push_back(QStringLiteral("走ること"));
             t.changeWord(1, 2);
         },
         replaced(kWords, "run," + sjis("走る") + ",,,1,0,0", "run," + sjis("走ること") + ",,,1,0,0,")},
        {"deletion", [](Trainer& t) { t.switchTab(Tab::List); },
         [](Trainer& t, ScriptedQuestions& l) {
             l.confirms.push_back(true);
             t.deleteWord(0);
         },
         kWords.mid(kWords.indexOf("run"))},
        {"reset",
         {},
         [](Trainer& t, ScriptedQuestions& l) {
             l.confirms.push_back(true);
             t.resetCounts();
         },
         replaced(replaced(kWords, apple + "3,1", apple + "0,0"), ",,,2,2,2", ",,,2,0,0")},
        {"right quiz answer",
         [](Trainer& t) {
             t.setOptions({QuestionKind::Spelling, QuizFilter::All, QuizOrder::InTurn, 10});
             t.switchTab(Tab::Quiz);
         },
         [](Trainer& t, ScriptedQuestions&) { t.answerQuiz(QStringLiteral("apple")); },
         replaced(kWords, apple + "3,1", apple + "4,2")},
        {"wrong quiz answer",
         [](Trainer& t) {
             t.setOptions({QuestionKind::Spelling, QuizFilter::All, QuizOrder::InTurn, 10});
             t.switchTab(Tab::Quiz);
         },
         [](Trainer& t, ScriptedQuestions&) { t.answerQuiz(QStringLiteral("Apple")); },
         replaced(kWords, apple + "3,1", apple + "4,1")},
    };
}

class Transaction : public TrainerTest, public ::testing::WithParamInterface<Case> { };

} // namespace

TEST_P(Transaction, AFailedSaveChangesNothingAndTheSameActionThenSucceeds)
{
    const Case& c = GetParam();
    open(kWords);
    if (c.prepare)
        c.prepare(trainer);
    const Snapshot before(trainer);

    breakSaves();
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            c.action(trainer, learner);
            FAIL() << "the save did not fail";
        } catch (const Failure& failure) {
            EXPECT_TRUE(
                failure.text().startsWith(QStringLiteral("ファイル words\\default.txt を作成できません")));
        }
        EXPECT_TRUE(Snapshot(trainer) == before) << "attempt " << attempt;
        EXPECT_EQ(wordFile(), kWords);
    }

    mendSaves();
    c.action(trainer, learner);
    EXPECT_EQ(wordFile(), c.fileAfter);
    EXPECT_EQ(memory(), c.fileAfter);
}

INSTANTIATE_TEST_SUITE_P(EveryAction, Transaction, ::testing::ValuesIn(cases()), [](const auto& each) {
    QString name = QString::fromLatin1(each.param.name);
    name.remove(QLatin1Char(' '));
    return name.toStdString();
});

TEST_F(TrainerTest, AFailedDeletionKeepsTheWordSoALaterChangeLandsOnIt)
{
    open(kWords);
    breakSaves();
    EXPECT_THROW(remove(0), Failure);
    mendSaves();
    // The list still shows apple in row 1, and memory agrees: the new meaning
    // is apple's, not run's.
    ASSERT_EQ(trainer.listing()->front().word, QStringLiteral("apple"));
    EXPECT_TRUE(change(0, 2, QStringLiteral("林檎")).words);
    EXPECT_EQ(
        wordFile(),
        replaced(kWords, "apple," + sjis("りんご") + ",,,0,3,1", "apple," + sjis("林檎") + ",,,0,3,1,"));
}

TEST_F(TrainerTest, ADamagedCounterStopsAQuizAnswerBeforeAnyCounterIsWritten)
{
    const QByteArray words = lines({"apple,りんご,,,0,y,0", "run,走る,,,1,0,0"});
    open(words);
    option(&Options::order, QuizOrder::InTurn);
    startQuiz();
    ASSERT_TRUE(trainer.quiz().asked());
    ASSERT_EQ(trainer.quiz().question(), 0);
    for (const char* typed : {"apple", "apple", "pear"}) {
        try {
            trainer.answerQuiz(QString::fromLatin1(typed));
            FAIL() << "a damaged counter was counted";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.text(), QStringLiteral("'y' は整数ではありません"));
        }
        EXPECT_EQ(memory(), words) << typed;
        EXPECT_EQ(trainer.quiz().question(), 0);
        EXPECT_TRUE(trainer.quiz().answering());
        EXPECT_TRUE(trainer.quiz().correction().isEmpty());
    }
    // A later change saves the store as it is: `correct` never grew.
    trainer.registerWord(typed("kiwi", "キウイ"));
    EXPECT_TRUE(wordFile().startsWith(sjis("apple,りんご,,,0,y,0\r\n")));
}

TEST_F(TrainerTest, ATestAnswerThatCannotBeCountedLeavesTheSameQuestionToAnswer)
{
    // Every record damaged: whatever the order, the first answer fails.
    QByteArray words;
    for (int k = 1; k <= 10; ++k)
        words += "w" + QByteArray::number(k) + "," + sjis("意味") + QByteArray::number(k) + ",,,0,y,0\r\n";
    open(words);
    trainer.startExam(ExamKind::Normal);
    ASSERT_TRUE(trainer.exam().running());
    const Snapshot before(trainer);
    const QString typed = QStringLiteral("w%1").arg(trainer.exam().record() + 1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_THROW(trainer.answerExam(typed), Failure);
        EXPECT_TRUE(Snapshot(trainer) == before) << attempt;
    }
    EXPECT_EQ(trainer.exam().questionNo(), 1);
    EXPECT_EQ(wordFile(), words);
}

TEST_F(TrainerTest, AFailedTestAnswerSaveKeepsQuestionNumberScoreAndAnswers)
{
    open(numbered(10));
    trainer.startExam(ExamKind::Normal);
    ASSERT_TRUE(trainer.exam().running());
    trainer.answerExam(QStringLiteral("word%1").arg(trainer.exam().record() + 1));
    const Snapshot before(trainer);
    const QString right = QStringLiteral("word%1").arg(trainer.exam().record() + 1);

    breakSaves();
    EXPECT_THROW(trainer.answerExam(right), Failure);
    EXPECT_TRUE(Snapshot(trainer) == before);
    mendSaves();
    trainer.answerExam(right);
    EXPECT_EQ(trainer.exam().questionNo(), 3);
    EXPECT_EQ(trainer.exam().score(), 2);
    EXPECT_EQ(trainer.exam().answerOf(2), right);
}

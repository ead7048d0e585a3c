// The quiz filter 復習が必要な問題 and the list's next review dates, from
// the history the trainer keeps and the answers it adds to it.

#include "history_fixture.h"

#include <QDateTime>

namespace {

std::vector<QByteArray> pool(const Trainer& t)
{
    std::vector<QByteArray> entries;
    for (int i = 0; !t.order().ReadLine(i).isEmpty(); ++i)
        entries.push_back(t.order().ReadLine(i));
    return entries;
}

QString localDay(qint64 time)
{
    return QDateTime::fromSecsSinceEpoch(time).toLocalTime().toString(QStringLiteral("yyyy/MM/dd"));
}

const char* const kNoMatch =
    "出題モードに該当した単語が一つもありませんでした。\nオプションで設定し直してください。";

} // namespace

class DueTest : public HistoryTest {
protected:
    // right: a Good first answer (due in 2 days); wrong: Again (1 day);
    // hinted: Hard; never: new; counts: answered before any history
    // (1 of 4 right), due at once.
    void SetUp() override
    {
        HistoryTest::SetUp();
        open(lines({"right,一,Ex.,例,0,0,0", "wrong,二,,,0,0,0", "never,三,,,0,0,0", "counts,四,Ex.,例,0,4,1",
                    "hinted,五,,,0,0,0"}));
        option(&Options::order, QuizOrder::InTurn);
        startQuiz();
        quizAnswer(QStringLiteral("right"));
        quizAnswer(QStringLiteral("bad"));
        trainer.nextQuestion(); // never
        trainer.nextQuestion(); // counts
        trainer.nextQuestion(); // hinted
        trainer.showHint();
        quizAnswer(QStringLiteral("hinted"));
        learner.clear();
        option(&Options::filter, QuizFilter::Due);
    }
    std::vector<QString> nextReviews()
    {
        trainer.switchTab(Tab::List);
        std::vector<QString> dates;
        for (const ListEntry& row : *trainer.listing())
            dates.push_back(row.nextReview);
        return dates;
    }
};

TEST_F(DueTest, TheDueWordsAreAskedTheMostOverdueFirstAndTheListShowsWhenEachIsDue)
{
    // Within the day only the word known from its counts is due.
    clock = kT0 + 3600;
    startQuiz();
    EXPECT_EQ(pool(trainer), (std::vector<QByteArray>{"3"}));
    EXPECT_EQ(nextReviews(),
              (std::vector<QString>{localDay(kT0 + 2 * kDay), localDay(kT0 + kDay), QString(),
                                    QStringLiteral("今日"), localDay(kT0 + kDay)}));

    // A day and a half later the wrong and the hinted answers are due as
    // well; the one answered before the history, at 22.5 %, comes first.
    clock = kT0 + kDay + kDay / 2;
    startQuiz();
    EXPECT_EQ(pool(trainer), (std::vector<QByteArray>{"3", "1", "4"}));
    // Example questions: only the due words with an example.
    option(&Options::kind, QuestionKind::Example);
    startQuiz();
    EXPECT_EQ(pool(trainer), (std::vector<QByteArray>{"3"}));
    option(&Options::kind, QuestionKind::Spelling);
    // The other filters are as they were.
    option(&Options::filter, QuizFilter::LowAccuracy);
    startQuiz();
    EXPECT_EQ(pool(trainer), (std::vector<QByteArray>{"1", "3"}));
    EXPECT_TRUE(learner.told().empty());
}

TEST_F(DueTest, AnsweredDueWordsLeaveThePoolAndTheQuizSaysWhenTheNextFallsDue)
{
    clock = kT0 + kDay + kDay / 2;
    startQuiz();
    for (int i = 0; i < 3; ++i)
        quizAnswer(rightAnswer());
    learner.clear();
    // Built again, the pool is empty: the answers moved the schedule on.
    const Outcome outcome = startQuiz();
    EXPECT_EQ(outcome.tab, Tab::Options);
    ASSERT_EQ(learner.told().size(), 1u);
    const QString told = learner.told()[0];
    EXPECT_TRUE(told.startsWith(QStringLiteral("復習が必要な単語は今はありません。次の単語は ")))
        << told.toStdString();
    EXPECT_TRUE(
        told.endsWith(QStringLiteral("に復習の時期になります。\nオプションで設定し直してください。")));
    // The right answer of the first day falls due next: on its second day.
    EXPECT_TRUE(told.contains(localDay(kT0 + 2 * kDay))) << told.toStdString();

    // The schedule built again from the history alone says the same.
    learner.wordFiles.push_back(folder.path(QString::fromLatin1(kWordFile)));
    trainer.openWordFile();
    learner.clear();
    startQuiz();
    EXPECT_EQ(learner.told(), std::vector<QString>{told});
}

TEST_F(HistoryTest, WithNothingEverAnsweredTheDueFilterSaysSo)
{
    open(lines({"apple,りんご,,,0,0,0"}));
    option(&Options::filter, QuizFilter::Due);
    EXPECT_EQ(startQuiz().tab, Tab::Options);
    EXPECT_EQ(learner.told(),
              std::vector<QString>{
                  QStringLiteral("復習が必要な単語はありません。まだ一度も回答した単語がありません。\n"
                                 "オプションで設定し直してください。")});
    // Due words an example question cannot ask: the quiz found no word.
    learner.clear();
    open(lines({"apple,りんご,,,0,3,1"}));
    option(&Options::kind, QuestionKind::Example);
    startQuiz();
    EXPECT_EQ(learner.told(), std::vector<QString>{QString::fromUtf8(kNoMatch)});
}

TEST_F(DueTest, AChangedWordFileIsScheduledAfresh)
{
    clock = kT0 + 3600;
    // Counted again from its counts: 初期化 makes it new, its history stays.
    resetCounts();
    EXPECT_EQ(nextReviews(),
              (std::vector<QString>{localDay(kT0 + 2 * kDay), localDay(kT0 + kDay), QString(), QString(),
                                    localDay(kT0 + kDay)}));
    // A word registered anew is new; a word deleted takes its date along.
    trainer.registerWord(typed("fresh", "新"));
    remove(0);
    EXPECT_EQ(
        nextReviews(),
        (std::vector<QString>{localDay(kT0 + kDay), QString(), QString(), localDay(kT0 + kDay), QString()}));
}

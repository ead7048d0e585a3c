// The tab 記録 drawn offscreen from a known history: what its charts
// show (bars at their heights, their numbers in words), the period choice
// by keyboard, the tab reached by keyboard beside the six that stay as they
// are, and a history that cannot be read.

#include "history/history.h"
#include "progress/charts.h"
#include "progress/progress_panel.h"
#include "support/fixtures.h"

#include <QDateTime>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QTimeZone kTokyo("Asia/Tokyo");
const QDate kToday(2026, 6, 15);

qint64 at(QDate date, int hour)
{
    return QDateTime(date, QTime(hour, 0), kTokyo).toSecsSinceEpoch();
}

const QColor kBar(70, 130, 180);

class ProgressPanelTest : public AppFixture {
protected:
    QString historyFile() const { return folder.path(QString::fromLatin1(history::kFileName)); }

    // The words, and a history of them: two answers yesterday (one right),
    // one today, one 40 days ago; tests of three kinds and two lengths.
    void startWithHistory()
    {
        folder.write(QStringLiteral("words/default.txt"),
                     "apple,x,,,0,3,2\r\nrun,y,,,0,1,1\r\ndog,w,,,0,0,0\r\n");
        {
            history::History h(historyFile());
            history::Change change = h.change();
            const QString key = QStringLiteral("words/default.txt");
            for (auto [day, word, right] : {std::tuple{-1, "apple", true},
                                            {-1, "apple", false},
                                            {0, "apple", true},
                                            {-40, "run", true}})
                change.answer(
                    key, {at(kToday.addDays(day), 10), word, history::Place::QuizSpelling, right, false, 2});
            change.testResult(key, {at(kToday.addDays(-2), 11), history::TestKind::Normal, 10, 8});
            change.testResult(key, {at(kToday, 11), history::TestKind::Normal, 10, 10});
            change.testResult(key, {at(kToday.addDays(-3), 11), history::TestKind::TimeAttack, 20, 5});
            ASSERT_TRUE(change.commit());
        }
        openProgram();
    }
    void openProgram()
    {
        folder.writePrefs("words\\default.txt");
        trainer.setDataFolder(folder.path(QString()), true);
        start();
        window->progress()->setClock([] { return at(kToday, 12); }, kTokyo);
    }
    // The tab chosen by keyboard: from アバウト..., one step right.
    void chooseByKeyboard()
    {
        clickTab(MainWindow::kAbout);
        QTabBar* bar = find<QTabBar>("TabBar");
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Right);
    }
    static QString description(QWidget* w) { return w->accessibleDescription(); }
    static QColor pixel(QWidget* w, QPointF at) { return w->grab().toImage().pixelColor(at.toPoint()); }
};

TEST_F(ProgressPanelTest, TheChartsShowTheHistoryAndThePeriodChangesTheDays)
{
    startWithHistory();
    chooseByKeyboard();
    progress::ProgressPanel* panel = window->progress();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->geometry(), QRect(8, 24, 481, 313));
    EXPECT_EQ(trainer.tab(), Tab::Progress);

    auto* days = find<progress::DayChart>("DayChart");
    EXPECT_EQ(description(days).toStdString(),
              "過去30日の回答 3回、正解率67%。回答した日: 6月14日 2回 正解率50%、6月15日 1回 正解率100%。");
    // Today's bar is half yesterday's; a day without answers has none.
    const QRectF today = days->barRect(29);
    const QRectF yesterday = days->barRect(28);
    ASSERT_GT(today.height(), 10);
    EXPECT_NEAR(yesterday.height(), 2 * today.height(), 0.01);
    EXPECT_EQ(pixel(days, {today.center().x(), today.bottom() - 3}), kBar);
    EXPECT_EQ(pixel(days, {yesterday.center().x(), yesterday.top() + 3}), kBar);
    EXPECT_EQ(days->barRect(10).height(), 0);
    EXPECT_EQ(pixel(days, days->barRect(10).bottomLeft() + QPointF(1, -3)), QColor(Qt::white));
    // The accuracy line: 100 % today, at the top of the plot, above
    // yesterday's 50 %.
    EXPECT_LT(days->accuracyPoint(29).y(), days->accuracyPoint(28).y());

    // The period by keyboard: the checked radio has the focus, the arrow
    // keys move it.
    auto* p30 = find<QRadioButton>("Period30");
    p30->setFocus();
    QTest::keyClick(p30, Qt::Key_Right);
    EXPECT_TRUE(find<QRadioButton>("Period90")->isChecked());
    EXPECT_TRUE(description(days).startsWith(QStringLiteral("過去90日の回答 4回、正解率75%")));
    EXPECT_TRUE(description(days).contains(QStringLiteral("5月6日 1回 正解率100%")));
    // 90 bars on the same width: each narrower, today's as high as before.
    EXPECT_LT(days->barRect(89).width(), today.width());
    EXPECT_NEAR(days->barRect(89).height(), today.height(), 0.01);
    QTest::keyClick(find<QRadioButton>("Period90"), Qt::Key_Right);
    EXPECT_TRUE(find<QRadioButton>("Period365")->isChecked());
    EXPECT_TRUE(description(days).startsWith(QStringLiteral("過去365日の回答 4回")));

    auto* tests = find<progress::TestChart>("TestChart");
    EXPECT_EQ(description(tests).toStdString(),
              "テストの得点: ふつーのテスト形式 10問 2回（6月13日 8点、6月15日 10点）。"
              "タイムアタック 20問 1回（6月12日 5点）。");
    // A full score at the top, a quarter below the middle.
    EXPECT_LT(tests->pointOf(0, 1).y(), tests->pointOf(0, 0).y());
    EXPECT_GT(tests->pointOf(1, 0).y(), tests->pointOf(0, 0).y());

    // dog is new; run (40 days after one answer) is due today; apple is
    // due within the month.
    EXPECT_EQ(find<QLabel>("Count1")->text(), QStringLiteral("新しい単語 1"));
    EXPECT_EQ(find<QLabel>("Count3")->text(), QStringLiteral("今日の復習 1"));
    EXPECT_EQ(find<QLabel>("Count1")->accessibleName(), QStringLiteral("新しい単語 1語"));
    auto* forecast = find<progress::ForecastChart>("ForecastChart");
    EXPECT_TRUE(description(forecast).startsWith(QStringLiteral("これから30日の復習 2語。今日 1語、")));
    EXPECT_GT(forecast->barRect(0).height(), 0);
    EXPECT_EQ(pixel(forecast, forecast->barRect(0).center()), kBar);
    EXPECT_FALSE(find<QLabel>("ProgressProblem")->isVisible());
}

TEST_F(ProgressPanelTest, TheSeventhTabFitsWithoutMovingOrShorteningTheSix)
{
    startWith("apple,x,,,0,0,0\r\n");
    QTabBar* bar = find<QTabBar>("TabBar");
    ASSERT_EQ(bar->count(), 7);
    EXPECT_EQ(bar->tabText(MainWindow::kProgress), QStringLiteral("記録"));
    EXPECT_EQ(bar->accessibleTabName(MainWindow::kProgress), QStringLiteral("学習の記録"));
    // The six as they are laid out alone.
    QTabBar six;
    six.setFont(bar->font());
    six.setDrawBase(false);
    six.setExpanding(false);
    for (int i = 0; i < 6; ++i)
        six.addTab(bar->tabText(i));
    six.setGeometry(bar->geometry());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(bar->tabRect(i), six.tabRect(i)) << i;
    EXPECT_FALSE(find<QToolButton>("ScrollLeftButton")->isVisible());
    for (int i = 0; i < 7; ++i) {
        // Within the bar's width: no scroll button stands over any of them.
        EXPECT_LE(bar->tabRect(i).right(), bar->width() - 1) << i;
        EXPECT_GE(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i))) << i;
    }
}

TEST_F(ProgressPanelTest, AHistoryThatCannotBeReadIsSaidOnTheTabAndTheWordsStillCount)
{
    folder.write(QString::fromLatin1(history::kFileName), QByteArray(8192, '\x5a'));
    folder.write(QStringLiteral("words/default.txt"), "old,x,,,0,5,4\r\nnew,y,,,0,0,0\r\n");
    openProgram();
    chooseByKeyboard();
    auto* problem = find<QLabel>("ProgressProblem");
    EXPECT_TRUE(problem->isVisible());
    EXPECT_TRUE(problem->text().contains(QString::fromLatin1(history::kFileName)));
    EXPECT_EQ(problem->textFormat(), Qt::PlainText);
    EXPECT_EQ(find<QLabel>("Count2")->text(), QStringLiteral("学習中 1"));
    EXPECT_TRUE(
        description(find<progress::DayChart>("DayChart")).startsWith(QStringLiteral("過去30日の回答 0回")));
    EXPECT_EQ(folder.read(QString::fromLatin1(history::kFileName)), QByteArray(8192, '\x5a'));
    // Leaving and coming back draws it again, with no box on the way.
    clickTab(MainWindow::kRegistration);
    clickTab(MainWindow::kProgress);
    EXPECT_TRUE(problem->isVisible());
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace

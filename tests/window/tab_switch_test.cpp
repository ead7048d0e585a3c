#include "exam/exam_panels.h"
#include "registration/registration_panel.h"
#include "support/fixtures.h"
#include "window/about_panel.h"
#include "window/options_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using TabSwitchTest = AppFixture;

TEST_F(TabSwitchTest, EachTabShowsItsPanelAtThePanelBounds)
{
    startWith("apple,x,,,0,0,0\r\n");
    clickTab(MainWindow::kOptions);
    EXPECT_TRUE(window->options()->isVisible());
    EXPECT_EQ(window->options()->geometry(), QRect(8, 24, 481, 313));
    EXPECT_FALSE(RegistrationControls(*window).Panel1->isVisible());

    clickTab(MainWindow::kAbout);
    EXPECT_TRUE(window->about()->isVisible());
    EXPECT_FALSE(window->options()->isVisible());
    EXPECT_EQ(find<QLabel>("Label16")->text(), QStringLiteral("Lexiwren  v1.0 (試作版"));

    clickTab(MainWindow::kTest);
    EXPECT_TRUE(ExamControls(*window).Panel4->isVisible());
    EXPECT_FALSE(window->about()->isVisible());
    EXPECT_FALSE(trainer.exam().running());
}

TEST_F(TabSwitchTest, OptionsTabRereadsTheDefaultWordFile)
{
    startWith("");
    folder.writePrefs("other\\file.txt");
    clickTab(MainWindow::kOptions);
    EXPECT_EQ(OptionsControls(*window).Edit1->text(), QStringLiteral("other\\file.txt"));
    EXPECT_EQ(OptionsControls(*window).path->text(), QStringLiteral("words\\default.txt"));
}

TEST_F(TabSwitchTest, LeavingARunningTestNeedsConfirmation)
{
    QByteArray words;
    for (int k = 1; k <= 10; ++k)
        words += "w" + QByteArray::number(k) + ",x,,,0,0,0\r\n";
    startWith(words);
    clickTab(MainWindow::kTest);
    QTest::mouseClick(ExamControls(*window).Test_Normal, Qt::LeftButton);
    ASSERT_TRUE(trainer.exam().running());

    dialogs.confirmAnswers = {false};
    clickTab(MainWindow::kOptions);
    ASSERT_EQ(dialogs.confirmations().size(), 1u);
    EXPECT_EQ(dialogs.confirmations()[0], QStringLiteral("テスト中です。中断しますか？"));
    EXPECT_EQ(find<QTabBar>("TabBar")->currentIndex(), MainWindow::kTest);
    EXPECT_TRUE(ExamControls(*window).Panel5->isVisible());
    EXPECT_FALSE(window->options()->isVisible());
    EXPECT_TRUE(ExamControls(*window).Timer1->isActive());
    EXPECT_TRUE(trainer.exam().running());

    dialogs.confirmAnswers = {true};
    clickTab(MainWindow::kOptions);
    EXPECT_EQ(find<QTabBar>("TabBar")->currentIndex(), MainWindow::kOptions);
    EXPECT_FALSE(ExamControls(*window).Timer1->isActive());
    EXPECT_FALSE(trainer.exam().running());
    EXPECT_TRUE(window->options()->isVisible());
    EXPECT_FALSE(ExamControls(*window).Panel5->isVisible());

    clickTab(MainWindow::kTest);
    EXPECT_TRUE(ExamControls(*window).Panel4->isVisible());
    EXPECT_EQ(dialogs.confirmations().size(), 2u);
}

} // namespace

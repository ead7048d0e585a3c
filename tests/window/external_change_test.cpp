// A word file changed by another program while Lexiwren runs: the learner
// is asked before anything is saved over it, and what they choose is what
// the window then shows.

#include "quiz/quiz_panel.h"
#include "registration/registration_panel.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ExternalChangeTest : public AppFixture {
protected:
    void changeOutside(const QByteArray& bytes) { folder.write(QStringLiteral("words/default.txt"), bytes); }
};

const QByteArray kOurs = "apple," + QByteArray("\x82\xe8\x82\xf1\x82\xb2") + ",,,0,0,0\r\n";
const QByteArray kTheirs = "pear," + QByteArray("\x97\x9c") + ",,,0,0,0\r\n";

TEST_F(ExternalChangeTest, TakingTheOtherVersionShowsItWhereTheLearnerIs)
{
    startWith(kOurs);
    clickTab(MainWindow::kQuiz);
    const QuizControls quiz(*window);
    ASSERT_EQ(quiz.Label5->text(), QStringLiteral("りんご"));

    changeOutside(kTheirs);
    dialogs.clear();
    dialogs.confirmAnswers = {false};
    QTest::keyClicks(quiz.Edit3, QStringLiteral("apple"));
    QTest::keyClick(quiz.Edit3, Qt::Key_Return);
    ASSERT_EQ(dialogs.confirmations().size(), 1u);
    EXPECT_TRUE(dialogs.confirmations()[0].contains(QStringLiteral("words\\default.txt")));
    // The answer was not counted; the file is theirs, and so is the quiz.
    EXPECT_EQ(wordFile(), kTheirs);
    QTest::qWait(0);
    QApplication::processEvents();
    EXPECT_EQ(quiz.Label5->text(), QStringLiteral("梨"));
    EXPECT_TRUE(dialogs.errors().empty());
    EXPECT_EQ(dialogs.messages().size(), 2u); // the praise, then what happened instead
}

TEST_F(ExternalChangeTest, KeepingOursSavesTheRegistrationOverTheChange)
{
    startWith(kOurs);
    changeOutside(kTheirs);
    dialogs.confirmAnswers = {true};
    const RegistrationControls panel(*window);
    QTest::keyClicks(panel.word, QStringLiteral("kiwi"));
    QTest::keyClicks(panel.mean, QStringLiteral("x"));
    QTest::keyClick(panel.mean, Qt::Key_Return);
    EXPECT_EQ(dialogs.confirmations().size(), 1u);
    EXPECT_EQ(wordFile(), kOurs + "kiwi,x,,,0,0,0\r\n");
    EXPECT_TRUE(panel.word->text().isEmpty());
}

} // namespace

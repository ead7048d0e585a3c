#include "support/fixtures.h"
#include "window/options_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class OptionsTest : public AppFixture {
protected:
    void SetUp() override
    {
        startWith("apple," + sjis("りんご") + ",,,0,3,1\r\nrun," + sjis("走る") + ",,,1,2,2\r\n");
        clickTab(MainWindow::kOptions);
        dialogs.clear();
    }
    void press(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    OptionsControls panel() { return OptionsControls(*window); }
};

TEST_F(OptionsTest, LoadMakesTheChosenFileCurrent)
{
    folder.write(QStringLiteral("other.txt"), "kiwi,x,,,0,0,0");
    dialogs.fileAnswers = {folder.path(QStringLiteral("other.txt"))};
    press(panel().Button3);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("単語ファイルを開く"));
    EXPECT_EQ(trainer.book().store.text(), "kiwi,x,,,0,0,0");
    EXPECT_EQ(trainer.book().path.shown(), folder.path(QStringLiteral("other.txt")));
    EXPECT_EQ(panel().path->text(), trainer.book().path.shown());
    // The default stays.
    EXPECT_EQ(panel().Edit1->text(), QStringLiteral("words\\default.txt"));

    // Cancelled: nothing happens.
    dialogs.fileAnswers = {std::nullopt};
    press(panel().Button3);
    EXPECT_EQ(trainer.book().path.shown(), folder.path(QStringLiteral("other.txt")));
}

TEST_F(OptionsTest, LoadThatFailsKeepsTheCurrentFile)
{
    const QByteArray before = trainer.book().store.text();
    folder.write(QStringLiteral("utf16.txt"), QByteArray("\xFF\xFEx\0", 4));
    dialogs.fileAnswers = {folder.path(QStringLiteral("utf16.txt"))};
    press(panel().Button3);
    ASSERT_EQ(dialogs.errors().size(), 1u);
    EXPECT_EQ(trainer.book().store.text(), before);
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));

    // A new name starts a new, empty word file.
    dialogs.fileAnswers = {folder.path(QStringLiteral("new.txt"))};
    dialogs.confirmAnswers = {true};
    press(panel().Button3);
    EXPECT_EQ(trainer.book().store.LineCount(), 0);
    EXPECT_EQ(trainer.book().path.shown(), folder.path(QStringLiteral("new.txt")));
}

TEST_F(OptionsTest, WriteOutAppendsTxtOnlyWhenMissing)
{
    dialogs.fileAnswers = {folder.path(QStringLiteral("list")), folder.path(QStringLiteral("copy.txt"))};
    press(panel().Button6);
    press(panel().Button6);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("単語ファイルを保存"));
    EXPECT_EQ(folder.read(QStringLiteral("list.txt")), wordFile());
    EXPECT_EQ(folder.read(QStringLiteral("copy.txt")), wordFile());
    EXPECT_FALSE(folder.exists(QStringLiteral("copy.txt.txt")));
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
}

TEST_F(OptionsTest, ResetClearsEveryCounterAfterConfirmation)
{
    dialogs.confirmAnswers = {false};
    press(panel().Button7);
    EXPECT_EQ(dialogs.confirmations()[0], QStringLiteral("正解率データを消去します。よろしいですか？"));
    EXPECT_TRUE(wordFile().contains(",0,3,1"));

    dialogs.confirmAnswers = {true};
    press(panel().Button7);
    EXPECT_EQ(wordFile(), "apple," + sjis("りんご") + ",,,0,0,0\r\nrun," + sjis("走る") + ",,,1,0,0\r\n");
}

TEST_F(OptionsTest, SettingTheDefaultTakesEffectAtTheNextStart)
{
    dialogs.fileAnswers = {QStringLiteral("words\\英単語.txt")};
    press(panel().Button1);
    EXPECT_EQ(panel().Edit1->text(), QStringLiteral("words\\英単語.txt"));
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")),
              "[wordfile]\r\ndefwordfile=words\\" + sjis("英単語.txt") + "\r\n");
    EXPECT_EQ(panel().path->text(), QStringLiteral("words\\default.txt"));

    // A name the preferences file cannot hold is refused and not shown.
    dialogs.fileAnswers = {QStringLiteral("caf\u00E9.txt")};
    press(panel().Button1);
    EXPECT_EQ(dialogs.errors().size(), 1u);
    EXPECT_EQ(panel().Edit1->text(), QStringLiteral("words\\英単語.txt"));
}

} // namespace

namespace {

TEST_F(OptionsTest, WriteOutAsksBeforeReplacingAFileAndLoadBeforeStartingANewOne)
{
    folder.write(QStringLiteral("mine.txt"), "kept,x,,,0,0,0\r\n");
    dialogs.fileAnswers = {folder.path(QStringLiteral("mine.txt"))};
    dialogs.confirmAnswers = {false};
    press(panel().Button6);
    ASSERT_EQ(dialogs.confirmations().size(), 1u);
    EXPECT_TRUE(dialogs.confirmations()[0].contains(QStringLiteral("置き換えますか")));
    EXPECT_EQ(folder.read(QStringLiteral("mine.txt")), "kept,x,,,0,0,0\r\n");

    // A name that does not exist: キャンセル changes nothing, OK starts an
    // empty word file there, made on the first change.
    const QString typo = folder.path(QStringLiteral("wrods.txt"));
    dialogs.fileAnswers = {typo, typo};
    dialogs.confirmAnswers = {false, true};
    press(panel().Button3);
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(trainer.book().store.LineCount(), 2);
    press(panel().Button3);
    EXPECT_EQ(dialogs.confirmations().size(), 3u);
    EXPECT_EQ(trainer.book().path.shown(), typo);
    EXPECT_EQ(trainer.book().store.LineCount(), 0);
    EXPECT_FALSE(folder.exists(QStringLiteral("wrods.txt")));
}

TEST_F(OptionsTest, ADefaultNameThePreferencesCannotHoldIsRefusedWithAMessage)
{
    const QByteArray before = folder.read(QStringLiteral("config/plimopref.ini"));
    dialogs.fileAnswers = {QStringLiteral("/tmp/") + QString(2100, QLatin1Char('a'))
                           + QStringLiteral(".txt")};
    press(panel().Button1);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.errors().empty());
    EXPECT_EQ(panel().Edit1->text(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")), before);
}

} // namespace

TEST_F(OptionsTest, TheDueFilterIsAFourthChoiceBesideTheOtherThree)
{
    auto* due = window->findChild<QRadioButton*>(QStringLiteral("Opt_Due"));
    auto* all = window->findChild<QRadioButton*>(QStringLiteral("RadioButton9"));
    auto* low = window->findChild<QRadioButton*>(QStringLiteral("RadioButton11"));
    ASSERT_TRUE(due && all && low);
    EXPECT_EQ(due->accessibleName(), QStringLiteral("復習が必要な問題"));
    // In the free strip right of the file box, its caption shown whole.
    const QRect place = due->geometry();
    EXPECT_GE(place.left(), 409);
    EXPECT_LE(place.right(), 480);
    EXPECT_GE(place.top(), 80);
    EXPECT_LE(due->sizeHint().width(), place.width());
    EXPECT_LE(due->sizeHint().height(), place.height());

    QTest::mouseClick(due, Qt::LeftButton);
    EXPECT_TRUE(due->isChecked());
    EXPECT_FALSE(all->isChecked());
    EXPECT_EQ(trainer.options().filter, QuizFilter::Due);
    QTest::mouseClick(low, Qt::LeftButton);
    EXPECT_FALSE(due->isChecked());
    EXPECT_EQ(trainer.options().filter, QuizFilter::LowAccuracy);
    // By keyboard too.
    due->setFocus();
    QTest::keyClick(due, Qt::Key_Space);
    EXPECT_TRUE(due->isChecked());
    EXPECT_FALSE(low->isChecked());
}

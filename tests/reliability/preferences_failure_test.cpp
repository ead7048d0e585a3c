#include "read_only.h"
#include "support/fixtures.h"
#include "window/options_panel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The preferences file lives in a folder that cannot be written.
class UnwritablePreferences : public AppFixture {
protected:
    void press(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    QString cannotWrite() const { return QStringLiteral("%1 に書き込めません.").arg(folder.prefsFile()); }

    const QByteArray words = "apple," + sjis("りんご") + ",,,0,3,1\r\nrun," + sjis("走る") + ",,,1,2,2\r\n";
};

TEST_F(UnwritablePreferences, FirstStartReportsItAndRunsOnTheDefaultWordFile)
{
    folder.write(QStringLiteral("words/default.txt"), words);
    QDir().mkpath(folder.path(QStringLiteral("config")));
    {
        ReadOnly readOnly(folder.path(QStringLiteral("config")));
        if (!readOnly.effective())
            GTEST_SKIP() << "cannot make a folder read-only here (root without the immutable attribute)";
        start();
    }
    ASSERT_EQ(dialogs.errors(), std::vector<QString>{cannotWrite()});
    EXPECT_TRUE(dialogs.messages().empty()); // no "created" message for a file not created
    EXPECT_FALSE(folder.exists(QStringLiteral("config/plimopref.ini")));
    // The default word file is loaded and current.
    EXPECT_EQ(trainer.book().store.text(), words);
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(OptionsControls(*window).Edit1->text(), QStringLiteral("words\\default.txt"));

    // And the program runs: a change is saved to it.
    clickTab(MainWindow::kOptions);
    dialogs.confirmAnswers = {true};
    press(OptionsControls(*window).Button7);
    EXPECT_EQ(wordFile(), "apple," + sjis("りんご") + ",,,0,0,0\r\nrun," + sjis("走る") + ",,,1,0,0\r\n");
}

TEST_F(UnwritablePreferences, ChoosingTheDefaultIsReportedAndChangesNothing)
{
    startWith(words);
    clickTab(MainWindow::kOptions);
    dialogs.clear();
    const QByteArray prefsBefore = folder.read(QStringLiteral("config/plimopref.ini"));
    {
        ReadOnly readOnly(folder.path(QStringLiteral("config")));
        if (!readOnly.effective())
            GTEST_SKIP() << "cannot make a folder read-only here (root without the immutable attribute)";
        dialogs.fileAnswers = {QStringLiteral("words\\other.txt")};
        press(OptionsControls(*window).Button1); // 設定...
    }
    ASSERT_EQ(dialogs.errors(), std::vector<QString>{cannotWrite()});
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")), prefsBefore);
    // Only a stored name is shown as the default; the current file stays.
    EXPECT_EQ(OptionsControls(*window).Edit1->text(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(trainer.book().store.text(), words);

    // Once the folder can be written again, the same choice is stored.
    dialogs.clear();
    dialogs.fileAnswers = {QStringLiteral("words\\other.txt")};
    press(OptionsControls(*window).Button1);
    EXPECT_TRUE(dialogs.errors().empty());
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")),
              "[wordfile]\r\ndefwordfile=words\\other.txt\r\n");
    EXPECT_EQ(OptionsControls(*window).Edit1->text(), QStringLiteral("words\\other.txt"));
}

} // namespace

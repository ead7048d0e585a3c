// インポート... and エクスポート... on the options tab, as a learner uses them.

#include "support/fixtures.h"
#include "window/options_panel.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class InterchangeTest : public AppFixture {
protected:
    void SetUp() override
    {
        startWith("apple," + sjis("りんご") + ",,,0,3,1\r\n");
        clickTab(MainWindow::kOptions);
        dialogs.clear();
    }
    OptionsControls panel() { return OptionsControls(*window); }
    void press(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
};

TEST_F(InterchangeTest, TheTwoCommandsSitInTheEmptyBandOfTheWordFileBox)
{
    QGroupBox* box = find<QGroupBox>("GroupBox4");
    const int below = find<QPushButton>("Button3")->geometry().bottom();
    const int above = find<QLabel>("Label8")->geometry().top();
    for (QPushButton* b : {panel().ImportButton, panel().ExportButton}) {
        EXPECT_EQ(b->parentWidget(), box);
        EXPECT_GT(b->geometry().top(), below);
        EXPECT_LT(b->geometry().bottom(), above);
        EXPECT_TRUE(box->contentsRect().contains(b->geometry()));
    }
    EXPECT_FALSE(panel().ImportButton->geometry().intersects(panel().ExportButton->geometry()));
    // The controls placed before keep their places.
    EXPECT_EQ(find<QPushButton>("Button7")->geometry(), QRect(152, 64, 65, 25));
    EXPECT_EQ(find<QLabel>("Label8")->pos(), QPoint(8, 189));
}

TEST_F(InterchangeTest, ImportShowsWhatItWillDoAndRegistersOnlyAfterOK)
{
    folder.write(QStringLiteral("anki.txt"), "#separator:tab\n#html:false\nkiwi\tキウイ\napple\t林檎\n");
    dialogs.fileAnswers = {folder.path(QStringLiteral("anki.txt")), folder.path(QStringLiteral("anki.txt"))};
    dialogs.confirmAnswers = {false, true};
    press(panel().ImportButton);
    ASSERT_EQ(dialogs.confirmations().size(), 1u);
    EXPECT_TRUE(dialogs.confirmations()[0].startsWith(QStringLiteral("1 語を登録します。")));
    ASSERT_EQ(dialogs.lastList.size(), 1);
    EXPECT_TRUE(dialogs.lastList[0].startsWith(QStringLiteral("4 行目: ")));
    EXPECT_EQ(wordFile(), "apple," + sjis("りんご") + ",,,0,3,1\r\n");

    press(panel().ImportButton);
    EXPECT_EQ(wordFile(), "apple," + sjis("りんご") + ",,,0,3,1\r\nkiwi," + sjis("キウイ") + ",,,0,0,0\r\n");
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("1 語を登録しました。")});
}

TEST_F(InterchangeTest, ExportWritesTheFormOfTheChosenTypeAndAsksBeforeReplacing)
{
    dialogs.fileAnswers = {folder.path(QStringLiteral("for-kde"))};
    dialogs.filterAnswers = {2};
    press(panel().ExportButton);
    const QByteArray kvtml = folder.read(QStringLiteral("for-kde.kvtml"));
    EXPECT_TRUE(kvtml.startsWith("<?xml")) << kvtml.left(40).toStdString();
    EXPECT_TRUE(kvtml.contains("apple"));

    folder.write(QStringLiteral("mine.csv"), "keep me");
    dialogs.fileAnswers = {folder.path(QStringLiteral("mine.csv"))};
    dialogs.filterAnswers = {0};
    dialogs.confirmAnswers = {false};
    press(panel().ExportButton);
    EXPECT_EQ(folder.read(QStringLiteral("mine.csv")), "keep me");
    EXPECT_EQ(wordFile(), "apple," + sjis("りんご") + ",,,0,3,1\r\n");
}

} // namespace

#include "read_only.h"
#include "saved_store.h"
#include "store/record.h"
#include "support/file_size_limit.h"
#include "support/fixtures.h"
#include "window/options_panel.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class GuiSaveFailure : public AppFixture {
protected:
    void SetUp() override
    {
        startWith(words);
        clickTab(MainWindow::kOptions);
        dialogs.clear();
    }
    void press(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    OptionsControls panel() { return OptionsControls(*window); }

    // Eleven records, each answered some times.
    const QByteArray words = savedStore(11);
};

TEST_F(GuiSaveFailure, ResetOntoAReadOnlyWordFileIsReportedAndTheNextResetSaves)
{
    {
        ReadOnly readOnly(folder.path(QStringLiteral("words/default.txt")));
        if (!readOnly.effective())
            GTEST_SKIP() << "cannot make a file read-only here (root without the immutable attribute)";
        dialogs.confirmAnswers = {true};
        press(panel().Button7); // 初期化, confirmed
        ASSERT_EQ(dialogs.errors().size(), 1u);
        EXPECT_EQ(dialogs.errors()[0], QStringLiteral("ファイル words\\default.txt を作成できません."));
        EXPECT_EQ(wordFile(), words);
    }
    // The program carries on with every counter as it was, and the next
    // reset that can save resets and writes every record.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(trainer.book().store.text(), words);
    dialogs.clear();
    dialogs.confirmAnswers = {true};
    press(panel().Button7);
    EXPECT_TRUE(dialogs.errors().empty());
    EXPECT_EQ(wordFile(), trainer.book().store.text());
    LineStore loaded;
    loaded.setText(words);
    EXPECT_EQ(trainer.book().store.LineCount(), loaded.LineCount());
    for (int i = 0; i < trainer.book().store.LineCount(); ++i)
        EXPECT_TRUE(trainer.book().store.ReadLine(i).endsWith(",0,0")) << i;
}

TEST_F(GuiSaveFailure, WriteOutUnderAFileSizeLimitIsReportedAndTheNextWriteOutIsWhole)
{
    const QString chosen = folder.path(QStringLiteral("export"));
    const QString written = chosen + QStringLiteral(".txt");
    dialogs.fileAnswers = {chosen};
    {
        FileSizeLimit limit(1000);
        press(panel().Button6); // 書き出す
    }
    ASSERT_EQ(dialogs.errors().size(), 1u);
    EXPECT_EQ(dialogs.errors()[0], QStringLiteral("ファイル %1 を作成できません.").arg(written));
    EXPECT_FALSE(folder.exists(QStringLiteral("export.txt")));
    EXPECT_EQ(wordFile(), words);

    dialogs.clear();
    dialogs.fileAnswers = {chosen};
    press(panel().Button6);
    EXPECT_TRUE(dialogs.errors().empty());
    EXPECT_EQ(folder.read(QStringLiteral("export.txt")), words);
}

} // namespace

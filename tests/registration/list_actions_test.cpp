// The list acts on exactly the word the learner sees selected, before and
// after tab switches and failed saves, and the keyboard moves the way the
// rest of the window does.

#include "word_list_fixture.h"

#include "support/file_size_limit.h"

namespace {

QByteArray eightWords()
{
    QByteArray bytes;
    for (int k = 1; k <= 8; ++k)
        bytes += "w" + QByteArray::number(k) + "," + sjis("意味") + QByteArray::number(k) + ",,,0,0,0\r\n";
    return bytes;
}

QByteArray without(const QByteArray& bytes, int word)
{
    QByteArray out = bytes;
    const QByteArray line =
        "w" + QByteArray::number(word) + "," + sjis("意味") + QByteArray::number(word) + ",,,0,0,0\r\n";
    out.remove(out.indexOf(line), line.size());
    return out;
}

class ListActions : public WordListTest {
protected:
    void deleteSelected()
    {
        dialogs.confirmAnswers = {true};
        QTest::mouseClick(list().Button9, Qt::LeftButton);
    }
    void leaveAndComeBack()
    {
        clickTab(MainWindow::kAbout);
        clickTab(MainWindow::kList);
    }
};

TEST_F(ListActions, TheCurrentCellStaysWhereTheLearnerLeftItAcrossATabSwitch)
{
    const QByteArray words = eightWords();
    startWith(words);
    openList();
    clickCell(5, 1);
    QTest::keyClick(grid(), Qt::Key_End); // the last column of the same row
    ASSERT_EQ(currentRow(), 5);
    leaveAndComeBack();
    EXPECT_EQ(currentRow(), 5);
    deleteSelected();
    EXPECT_EQ(wordFile(), without(words, 6));

    // From the last cell of the last row nothing wraps to the first word.
    clickCell(6, 1);
    QTest::keyClick(grid(), Qt::Key_End);
    leaveAndComeBack();
    deleteSelected();
    EXPECT_EQ(wordFile(), without(without(words, 6), 8));
    EXPECT_EQ(currentRow(), 5); // now the last row
}

TEST_F(ListActions, TabLeavesTheGridForItsButtonsAndTheArrowsMoveInside)
{
    startWith(eightWords());
    openList();
    clickCell(2, 1);
    QTest::keyClick(grid(), Qt::Key_Down);
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(currentColumn(), 2);
    QTest::keyClick(grid(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), list().Button8);
    QTest::keyClick(list().Button8, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), list().Button9);
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(currentColumn(), 2);
}

TEST_F(ListActions, AFailedDeletionKeepsTheWordSoTheNextChangeGoesToTheWordShown)
{
    const QByteArray words = records({"apple,りんご,,,0,0,0", "run,走る,,,1,0,0", "fast,速い,,,2,0,0"});
    startWith(words);
    openList();
    clickCell(0, 2);

    {
        // No file may grow: no save can succeed.
        FileSizeLimit full(1);
        deleteSelected();
    }
    EXPECT_EQ(dialogs.errors(),
              std::vector<QString>{QStringLiteral("ファイル words\\default.txt を作成できません.")});
    EXPECT_EQ(wordFile(), words);
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(0, 2), QStringLiteral("りんご"));
    EXPECT_EQ(trainer.book().store.text(), words);

    // The disk is back: the change of the meaning shown goes to apple.
    answerChange(QStringLiteral("林檎"), true);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    EXPECT_EQ(pastSeen, QStringLiteral("りんご"));
    EXPECT_EQ(wordFile(), records({"apple,林檎,,,0,0,0,", "run,走る,,,1,0,0", "fast,速い,,,2,0,0"}));
    EXPECT_EQ(cell(0, 2), QStringLiteral("林檎"));
}

TEST_F(ListActions, AChangeThatCannotBeSavedLeavesTheCellTheMemoryAndTheFile)
{
    const QByteArray words = records({"apple,りんご,,,0,0,0", "run,走る,,,1,0,0"});
    startWith(words);
    openList();
    clickCell(1, 2);
    answerChange(QStringLiteral("駆ける"), true);
    {
        FileSizeLimit full(1);
        QTest::mouseClick(list().Button8, Qt::LeftButton);
    }
    EXPECT_EQ(dialogs.errors(),
              std::vector<QString>{QStringLiteral("ファイル words\\default.txt を作成できません.")});
    EXPECT_EQ(cell(1, 2), QStringLiteral("走る"));
    EXPECT_EQ(trainer.book().store.text(), words);
    EXPECT_EQ(wordFile(), words);
    EXPECT_EQ(currentRow(), 1);
}

} // namespace

#include "word_list_fixture.h"

namespace {

const QByteArray kThree =
    records({"apple,りんご,An apple.,りんご一つ,0,8,1", "run,走る,,,1,8,3", "fast,速い,,,2,3,2"});

TEST_F(WordListTest, ListShowsEveryRecordWithPartNamesAndRates)
{
    startWith(records({"apple,りんご,An apple.,りんご一つ,0,8,1", "run,走る,,,1,8,3", "fast,速い,,,2,3,2",
                       "well,よく,,,3,0,0", "odd,奇妙,,,7,2,1"}));
    openList();
    QTableView* g = grid();
    ASSERT_TRUE(visible(g));
    EXPECT_EQ(g->geometry(), QRect(4, 23, 490, 289));
    EXPECT_TRUE(visible(list().Button8));
    EXPECT_TRUE(visible(list().Button9));
    EXPECT_EQ(list().Button8->geometry(), QRect(32, 320, 75, 25));
    EXPECT_EQ(list().Button9->geometry(), QRect(136, 320, 75, 25));
    EXPECT_EQ(list().Button8->text(), QStringLiteral("変更...(&C)"));
    EXPECT_EQ(list().Button9->text(), QStringLiteral("消去...(&D)"));

    ASSERT_EQ(rows(), 5);
    EXPECT_EQ(rowTexts(0), QStringList({"1", "apple", "りんご", "名詞", "12", "An apple.", "りんご一つ"}));
    EXPECT_EQ(rowTexts(1), QStringList({"2", "run", "走る", "動詞", "38", "", ""}));
    EXPECT_EQ(rowTexts(2), QStringList({"3", "fast", "速い", "形容詞", "67", "", ""}));
    EXPECT_EQ(rowTexts(3), QStringList({"4", "well", "よく", "副詞", "--", "", ""}));
    EXPECT_EQ(rowTexts(4), QStringList({"5", "odd", "奇妙", "", "50", "", ""}));
}

TEST_F(WordListTest, GridHasFixedHeadingsWidthsAndNoEditing)
{
    startWith(kThree);
    openList();
    QTableView* g = grid();
    const QStringList headings{"No.", "単語", "意味", "品詞", "正解率", "例文", "例文意味"};
    const std::vector<int> widths{32, 69, 118, 66, 52, 313, 355};
    // The next review date follows the seven columns, reached by scrolling.
    ASSERT_EQ(g->model()->columnCount(), 8);
    EXPECT_EQ(g->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("次の復習日"));
    // Words answered before any history are due from their counts.
    EXPECT_EQ(cell(0, 7), QStringLiteral("今日"));
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(g->model()->headerData(c, Qt::Horizontal).toString(), headings[c]);
        EXPECT_EQ(g->columnWidth(c), widths[static_cast<size_t>(c)]);
    }
    EXPECT_EQ(g->rowHeight(0), 18);
    EXPECT_EQ(g->horizontalHeader()->height(), 18);
    EXPECT_FALSE(g->verticalHeader()->isVisible());
    EXPECT_EQ(g->horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
    EXPECT_EQ(g->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(g->selectionBehavior(), QAbstractItemView::SelectItems);

    // Typing or double-clicking into a cell changes nothing.
    clickCell(1, 2);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(1, 2)).center());
    QTest::keyClicks(QApplication::focusWidget(), "zz");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    EXPECT_EQ(cell(1, 2), QStringLiteral("走る"));
    EXPECT_EQ(wordFile(), kThree);
}

TEST_F(WordListTest, EmptyStoreFallsBackToTheRegistrationPanel)
{
    startWith("");
    openList();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{kNoWords});
    EXPECT_EQ(find<QTabBar>("TabBar")->currentIndex(), MainWindow::kRegistration);
    EXPECT_TRUE(visible(panel().Panel1));
    EXPECT_TRUE(visible(panel().registerButton));
    EXPECT_TRUE(visible(panel().Button2));
    EXPECT_FALSE(visible(grid()));
    EXPECT_FALSE(visible(list().Button8));
}

TEST_F(WordListTest, DamagedCounterStopsTheListingAtItsRow)
{
    startWith(records({"apple,りんご,,,0,0,0", "run,走る,例,例文,1,x,0", "fast,速い,,,2,0,0"}));
    openList();
    EXPECT_EQ(dialogs.errors(), std::vector<QString>{QStringLiteral("'x' は整数ではありません.")});
    EXPECT_FALSE(visible(grid()));
    EXPECT_FALSE(visible(list().Button8));
    EXPECT_FALSE(visible(list().Button9));
    // No command can act on a row that stands for no record.
    EXPECT_EQ(trainer.listing(), nullptr);
}

TEST_F(WordListTest, AFullStoreListsAThousandRowsAndNoMore)
{
    startWith(manyRecords(1005));
    openList();
    ASSERT_EQ(rows(), 1000);
    EXPECT_EQ(cell(999, 0), QStringLiteral("1000"));
    EXPECT_EQ(cell(999, 1), QStringLiteral("w999"));
    EXPECT_TRUE(dialogs.shown.empty());

    // Listing again (after a tab switch) reuses the rows.
    clickTab(MainWindow::kAbout);
    openList();
    EXPECT_EQ(rows(), 1000);
    EXPECT_EQ(cell(0, 1), QStringLiteral("w0"));
}

TEST_F(WordListTest, CurrentCellStartsAtTheFirstNumberWhichCannotBeChanged)
{
    startWith(kThree);
    openList();
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{kCannotChange});
    for (int column : {3, 4}) {
        clickCell(2, column);
        QTest::mouseClick(list().Button8, Qt::LeftButton);
    }
    EXPECT_EQ(dialogs.messages().size(), 3u);
    EXPECT_TRUE(dialogs.texts(ScriptedDialogs::Kind::Modal).empty());
    EXPECT_EQ(wordFile(), kThree);
}

TEST_F(WordListTest, ChangingAFieldRewritesTheRecordWithATrailingComma)
{
    startWith(kThree);
    openList();
    clickCell(1, 2);
    answerChange(QStringLiteral("駆ける"), true);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    EXPECT_EQ(pastSeen, QStringLiteral("走る"));
    EXPECT_EQ(focusSeen, ChangeDialogControls(*window->OKBottomDlg()).new_Edit);
    EXPECT_EQ(cell(1, 2), QStringLiteral("駆ける"));
    EXPECT_EQ(
        wordFile(),
        records({"apple,りんご,An apple.,りんご一つ,0,8,1", "run,駆ける,,,1,8,3,", "fast,速い,,,2,3,2"}));

    // Word, example and example meaning map to fields 1, 3 and 4.
    clickCell(0, 1);
    answerChange("Apple", true);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    clickCell(2, 5);
    answerChange("So fast.", true);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    clickCell(2, 6);
    answerChange(QStringLiteral("とても速い。"), true);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    EXPECT_EQ(wordFile(),
              records({"Apple,りんご,An apple.,りんご一つ,0,8,1,", "run,駆ける,,,1,8,3,",
                       "fast,速い,So fast.,とても速い。,2,3,2,"}));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(WordListTest, EmptyNewTextOrCancelChangesNothing)
{
    startWith(kThree);
    openList();
    clickCell(0, 2);
    answerChange("", true);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    answerChange(QStringLiteral("なし"), false);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    // Escape closes it as キャンセル does.
    dialogs.modalAnswers.push_back([](QDialog& dialog) {
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result() == QDialog::Accepted;
    });
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(ScriptedDialogs::Kind::Modal).size(), 3u);
    EXPECT_EQ(cell(0, 2), QStringLiteral("りんご"));
    EXPECT_EQ(wordFile(), kThree);
}

TEST_F(WordListTest, ChangeRefusesCommasAndUnencodableText)
{
    startWith(kThree);
    openList();
    clickCell(0, 2);
    answerChange(QStringLiteral("りんご, 林檎"), true);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("半角のカンマ「,」は使えません")));

    answerChange(QStringLiteral("𠮷"), true);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    ASSERT_EQ(dialogs.errors().size(), 1u);
    EXPECT_TRUE(dialogs.errors()[0].contains(QStringLiteral("Shift-JIS")));

    EXPECT_EQ(cell(0, 2), QStringLiteral("りんご"));
    EXPECT_EQ(wordFile(), kThree);
}

TEST_F(WordListTest, ChangeDialogTypesInTheLanguageOfTheField)
{
    startWith(kThree);
    openList();
    QLineEdit* edit = ChangeDialogControls(*window->OKBottomDlg()).new_Edit;
    for (int closed = 0; closed < 3; ++closed)
        dialogs.modalAnswers.push_back([](QDialog&) { return false; });
    clickCell(0, 1);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    EXPECT_FALSE(inputMethodOn(edit));
    clickCell(0, 6);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    EXPECT_TRUE(inputMethodOn(edit));
    clickCell(0, 5);
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    EXPECT_FALSE(inputMethodOn(edit));
}

TEST_F(WordListTest, DeletingTheFirstRowRenumbersAndSaves)
{
    startWith(kThree);
    openList();
    dialogs.confirmAnswers = {true};
    QTest::mouseClick(list().Button9, Qt::LeftButton);
    EXPECT_EQ(dialogs.confirmations(), std::vector<QString>{kAskDelete});
    EXPECT_EQ(wordFile(), records({"run,走る,,,1,8,3", "fast,速い,,,2,3,2"}));
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(rowTexts(0), QStringList({"1", "run", "走る", "動詞", "38", "", ""}));
    EXPECT_EQ(cell(1, 0), QStringLiteral("2"));
}

TEST_F(WordListTest, CancelledDeletionChangesNothing)
{
    startWith(kThree);
    openList();
    dialogs.confirmAnswers = {false};
    QTest::mouseClick(list().Button9, Qt::LeftButton);
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(wordFile(), kThree);
}

TEST_F(WordListTest, DeletingTheLastRowMovesTheCurrentCellUp)
{
    startWith(kThree);
    openList();
    clickCell(2, 5);
    dialogs.confirmAnswers = {true};
    QTest::mouseClick(list().Button9, Qt::LeftButton);
    EXPECT_EQ(wordFile(), records({"apple,りんご,An apple.,りんご一つ,0,8,1", "run,走る,,,1,8,3"}));
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(currentColumn(), 5);
}

TEST_F(WordListTest, DeletingTheOnlyRecordLeavesOnlyTheHeading)
{
    startWith(sjis("apple,りんご,,,0,0,0"));
    openList();
    dialogs.confirmAnswers = {true};
    QTest::mouseClick(list().Button9, Qt::LeftButton);
    EXPECT_EQ(wordFile(), QByteArray());
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("No."));

    // With no record rows both commands only say so.
    dialogs.clear();
    QTest::mouseClick(list().Button8, Qt::LeftButton);
    QTest::mouseClick(list().Button9, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages(), std::vector<QString>({kNoWords, kNoWords}));
    EXPECT_TRUE(dialogs.confirmations().empty());
    EXPECT_TRUE(dialogs.texts(ScriptedDialogs::Kind::Modal).empty());
    EXPECT_EQ(wordFile(), QByteArray());

    // A word registered afterwards is listed, and the commands act on it.
    clickTab(MainWindow::kRegistration);
    registerWord("kiwi", QStringLiteral("キウイ"));
    openList();
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(currentRow(), 0);
    dialogs.clear();
    dialogs.confirmAnswers = {true};
    QTest::mouseClick(list().Button9, Qt::LeftButton);
    EXPECT_EQ(dialogs.confirmations().size(), 1u);
    EXPECT_EQ(wordFile(), QByteArray());
}

TEST_F(WordListTest, WordRegisteredAfterADeletionIsTheNewLastRow)
{
    startWith(kThree);
    openList();
    dialogs.confirmAnswers = {true};
    QTest::mouseClick(list().Button9, Qt::LeftButton);
    clickTab(MainWindow::kRegistration);
    registerWord("kiwi", QStringLiteral("キウイ"));
    openList();
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(rowTexts(2), QStringList({"3", "kiwi", "キウイ", "名詞", "--", "", ""}));
}

TEST_F(WordListTest, ADeletionThatBringsADamagedRecordIntoViewIsSavedAndTheListGoesBlank)
{
    // A thousand words and, behind them, one the list has never shown.
    QByteArray words = manyRecords(1000);
    words += "bad," + sjis("悪い") + ",,,q,0,0\r\n";
    startWith(words);
    openList();
    ASSERT_EQ(rows(), 1000);
    dialogs.confirmAnswers = {true};
    QTest::mouseClick(list().Button9, Qt::LeftButton);
    // The deletion itself is whole: saved, and memory agrees with the file.
    EXPECT_EQ(wordFile(), words.mid(words.indexOf("\r\n") + 2));
    EXPECT_EQ(trainer.book().store.text(), wordFile());
    // The damaged record cannot be listed: nothing is drawn, so no row
    // stands for a record it does not show.
    EXPECT_EQ(dialogs.errors(), std::vector<QString>{QStringLiteral("'q' は整数ではありません.")});
    EXPECT_FALSE(visible(grid()));
    EXPECT_FALSE(visible(list().Button9));
}

} // namespace

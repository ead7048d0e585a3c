// Meanings in the data change dialog: changing 意味 offers the record's
// word's meanings to fill it; changing 単語 shows the typed spelling's
// meanings only to be read; the other fields offer none. The focus stays in
// the new text throughout and Enter still OKs the dialog.

#include "word_list_fixture.h"

#include <QListWidget>

namespace {

const QByteArray kWords = records({"apple,,,,0,0,0", "fast,速い,,,2,3,2"});

class ChangeSuggestions : public WordListTest {
protected:
    // The dialog's own lists (the registration panel has one of its own).
    static QWidget* shownList(TOKBottomDlg& dialog)
    {
        for (auto* popup : dialog.findChildren<QWidget*>(QStringLiteral("meaningSuggestions"))) {
            if (popup->isVisible())
                return popup;
        }
        return nullptr;
    }
    static QListWidget* rowsOf(QWidget* popup)
    {
        return popup->findChild<QListWidget*>(QStringLiteral("meaningSuggestionList"));
    }
    static bool waitForList(TOKBottomDlg& dialog)
    {
        return QTest::qWaitFor([&] { return shownList(dialog) != nullptr; }, 60000);
    }
    // Opens the change dialog on a cell and runs `inside` while it is open.
    void change(int row, int column, std::function<void(TOKBottomDlg&, const ChangeDialogControls&)> inside)
    {
        clickCell(row, column);
        dialogs.modalAnswers.push_back([inside](QDialog& d) {
            auto& dialog = static_cast<TOKBottomDlg&>(d);
            dialog.open();
            // Until then the keys would go to the window under it.
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
            inside(dialog, ChangeDialogControls(dialog));
            return dialog.result() == QDialog::Accepted;
        });
        QTest::mouseClick(list().Button8, Qt::LeftButton);
        EXPECT_TRUE(dialogs.modalAnswers.empty());
    }
};

TEST_F(ChangeSuggestions, ChangingTheMeaningOffersTheWordsMeaningsToFillIt)
{
    startWith(kWords);
    openList();
    change(0, 2, [](TOKBottomDlg& dialog, const ChangeDialogControls& c) {
        ASSERT_TRUE(waitForList(dialog));
        QWidget* popup = shownList(dialog);
        EXPECT_TRUE(c.new_Edit->hasFocus());
        EXPECT_TRUE(c.new_Edit->text().isEmpty()) << "nothing is filled unasked";
        EXPECT_TRUE(rowsOf(popup)->item(0)->text().startsWith(QStringLiteral("1  りんご")));
        // Under the new text, ending above the buttons, moving nothing.
        EXPECT_EQ(popup->geometry().topLeft(), QPoint(24, 132));
        EXPECT_LE(popup->geometry().bottom(), c.OKBtn->y());
        EXPECT_EQ(c.new_Edit->geometry(), QRect(24, 112, 321, 20));
        EXPECT_EQ(c.OKBtn->geometry(), QRect(199, 212, 75, 25));

        // Down and Enter fill the new text and keep the dialog open; the
        // learner edits it and Enter OKs.
        QTest::keyClick(c.new_Edit, Qt::Key_Down);
        QTest::keyClick(c.new_Edit, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(c.new_Edit->text(), QStringLiteral("りんご"));
        EXPECT_EQ(shownList(dialog), nullptr);
        c.new_Edit->insert(QStringLiteral("（果物）"));
        QTest::keyClick(c.new_Edit, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(wordFile(), records({"apple,りんご（果物）,,,0,0,0,", "fast,速い,,,2,3,2"}));

    // Opened again: the list is offered afresh; Escape closes it, a second
    // Escape the dialog, and nothing changes.
    change(0, 2, [](TOKBottomDlg& dialog, const ChangeDialogControls& c) {
        ASSERT_TRUE(waitForList(dialog));
        QTest::keyClick(c.new_Edit, Qt::Key_Escape);
        EXPECT_EQ(shownList(dialog), nullptr);
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClick(c.new_Edit, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(wordFile(), records({"apple,りんご（果物）,,,0,0,0,", "fast,速い,,,2,3,2"}));
}

TEST_F(ChangeSuggestions, ChangingTheSpellingShowsItsMeaningsOnlyToBeRead)
{
    startWith(kWords);
    openList();
    change(1, 1, [](TOKBottomDlg& dialog, const ChangeDialogControls& c) {
        QTest::keyClicks(c.new_Edit, "dog");
        ASSERT_TRUE(waitForList(dialog));
        QListWidget* rows = rowsOf(shownList(dialog));
        EXPECT_TRUE(rows->item(0)->text().startsWith(QStringLiteral("犬")))
            << rows->item(0)->text().toStdString();
        // Neither a key nor a click puts a meaning into the spelling.
        QTest::keyClick(c.new_Edit, Qt::Key_1, Qt::AltModifier);
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualItemRect(rows->item(0)).center());
        QTest::keyClick(c.new_Edit, Qt::Key_Down);
        EXPECT_EQ(c.new_Edit->text(), QStringLiteral("dog"));
        EXPECT_TRUE(dialog.isVisible());
        // Enter is OK at once.
        QTest::keyClick(c.new_Edit, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(wordFile(), records({"apple,,,,0,0,0", "dog,速い,,,2,3,2,"}));

    // The example sentence is English too, but offers nothing; the 意味
    // list from before does not come back.
    change(1, 5, [](TOKBottomDlg& dialog, const ChangeDialogControls& c) {
        QTest::keyClicks(c.new_Edit, "dog");
        QTest::qWait(100);
        EXPECT_EQ(shownList(dialog), nullptr);
        QTest::keyClick(c.new_Edit, Qt::Key_Return);
    });
    EXPECT_EQ(wordFile(), records({"apple,,,,0,0,0", "dog,速い,dog,,2,3,2,"}));
}

} // namespace

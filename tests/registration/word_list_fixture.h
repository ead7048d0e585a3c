#pragma once

#include "registration/change_dialog.h"
#include "registration_fixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

inline const QString kNoWords =
    QStringLiteral("登録されている単語が一つもありません。\nまずは単語登録しましょう！");
inline const QString kCannotChange = QStringLiteral("そのデータを変更することはできません。");
inline const QString kAskDelete = QStringLiteral("選択単語データを消去します。よろしいですか？");

class WordListTest : public RegistrationFixture {
protected:
    QTableView* grid() const { return list().StringGrid1; }
    // What the grid shows, as the learner reads it.
    QString cell(int row, int column) const { return grid()->model()->index(row, column).data().toString(); }
    int rows() const { return grid()->model()->rowCount(); }
    int currentRow() const { return grid()->currentIndex().row(); }
    int currentColumn() const { return grid()->currentIndex().column(); }

    void openList() { clickTab(MainWindow::kList); }
    void clickCell(int row, int column)
    {
        QTableView* g = grid();
        const QModelIndex index = g->model()->index(row, column);
        g->scrollTo(index);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(index).center());
        ASSERT_EQ(currentRow(), row);
        ASSERT_EQ(currentColumn(), column);
    }
    // Scripts the change dialog: types `text` into new_Edit and closes it
    // with OK (or キャンセル).
    void answerChange(const QString& text, bool ok)
    {
        dialogs.modalAnswers.push_back([=, this](QDialog& d) {
            auto& dialog = static_cast<TOKBottomDlg&>(d);
            const ChangeDialogControls c(dialog);
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            pastSeen = c.past_Edit->text();
            focusSeen = dialog.focusWidget(); // takes the keys once the dialog is active
            typeInto(c.new_Edit, text);
            QTest::mouseClick(ok ? c.OKBtn : c.CancelBtn, Qt::LeftButton);
            return dialog.result() == QDialog::Accepted;
        });
    }
    // The seven columns the list had before the next review date.
    QStringList rowTexts(int row) const
    {
        QStringList out;
        for (int c = 0; c < 7; ++c)
            out << cell(row, c);
        return out;
    }

    // What the last change dialog showed when it opened.
    QString pastSeen;
    QWidget* focusSeen = nullptr;
};

#include "registration/change_dialog.h"
#include "support/panels.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ChangeDialogTest, LayoutCaptionAndTabOrder)
{
    TOKBottomDlg dialog;
    const ChangeDialogControls c(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("データ変更"));
    EXPECT_EQ(dialog.size(), QSize(380, 243));
    EXPECT_EQ(dialog.font().pixelSize(), 12);
    EXPECT_EQ(c.Bevel1->geometry(), QRect(8, 8, 353, 193));
    EXPECT_EQ(c.Label1->pos(), QPoint(24, 24));
    EXPECT_EQ(c.Label1->text(), QStringLiteral("元のデータ"));
    EXPECT_EQ(c.Label2->pos(), QPoint(24, 96));
    EXPECT_EQ(c.Label2->text(), QStringLiteral("新しいデータ"));
    EXPECT_EQ(c.past_Edit->geometry(), QRect(24, 40, 321, 20));
    EXPECT_EQ(c.new_Edit->geometry(), QRect(24, 112, 321, 20));
    EXPECT_EQ(c.OKBtn->geometry(), QRect(199, 212, 75, 25));
    EXPECT_EQ(c.CancelBtn->geometry(), QRect(287, 212, 75, 25));
    EXPECT_EQ(c.CancelBtn->text(), QStringLiteral("キャンセル"));
    EXPECT_TRUE(c.OKBtn->isDefault());

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    c.OKBtn->setFocus();
    for (QWidget* expected : std::vector<QWidget*>{c.CancelBtn, c.new_Edit, c.past_Edit, c.OKBtn}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected);
    }
}

TEST(ChangeDialogTest, EnterIsOkAndEscapeIsCancel)
{
    TOKBottomDlg dialog;
    const ChangeDialogControls c(dialog);
    dialog.open();
    QTest::keyClicks(c.new_Edit, "new");
    QTest::keyClick(c.new_Edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());

    dialog.open();
    QTest::keyClick(c.new_Edit, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace

#include "registration/change_dialog.h"

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
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("データ変更"));
    EXPECT_EQ(dialog.size(), QSize(380, 243));
    EXPECT_EQ(dialog.font().pixelSize(), 12);
    EXPECT_EQ(dialog.Bevel1->geometry(), QRect(8, 8, 353, 193));
    EXPECT_EQ(dialog.Label1->pos(), QPoint(24, 24));
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("元のデータ"));
    EXPECT_EQ(dialog.Label2->pos(), QPoint(24, 96));
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("新しいデータ"));
    EXPECT_EQ(dialog.past_Edit->geometry(), QRect(24, 40, 321, 20));
    EXPECT_EQ(dialog.new_Edit->geometry(), QRect(24, 112, 321, 20));
    EXPECT_EQ(dialog.OKBtn->geometry(), QRect(199, 212, 75, 25));
    EXPECT_EQ(dialog.CancelBtn->geometry(), QRect(287, 212, 75, 25));
    EXPECT_EQ(dialog.CancelBtn->text(), QStringLiteral("キャンセル"));
    EXPECT_TRUE(dialog.OKBtn->isDefault());

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.OKBtn->setFocus();
    for (QWidget* expected :
         std::vector<QWidget*>{dialog.CancelBtn, dialog.new_Edit, dialog.past_Edit, dialog.OKBtn}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected);
    }
}

TEST(ChangeDialogTest, EnterIsOkAndEscapeIsCancel)
{
    TOKBottomDlg dialog;
    dialog.open();
    QTest::keyClicks(dialog.new_Edit, "new");
    QTest::keyClick(dialog.new_Edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());

    dialog.open();
    QTest::keyClick(dialog.new_Edit, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace

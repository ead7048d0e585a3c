#include "registration/change_dialog.h"

#include "ui/controls.h"

#include <QLineEdit>
#include <QPushButton>

TOKBottomDlg::TOKBottomDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OKBottomDlg"));
    setWindowTitle(QStringLiteral("データ変更"));
    setFixedSize(380, 243);
    past_Edit = ui::edit(this, "past_Edit", 24, 40, 321, 20);
    new_Edit = ui::edit(this, "new_Edit", 24, 112, 321, 20);
    OKBtn = ui::button(this, "OKBtn", QStringLiteral("OK"), 199, 212, 75, 25);
    CancelBtn = ui::button(this, "CancelBtn", QStringLiteral("キャンセル"), 287, 212, 75, 25);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

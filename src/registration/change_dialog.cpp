#include "registration/change_dialog.h"

#include "ui/controls.h"
#include "ui/input_method.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TOKBottomDlg::TOKBottomDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OKBottomDlg"));
    setWindowTitle(QStringLiteral("データ変更"));
    // A dialog frame: no resizing, no help or minimise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(380, 243);
    setFont(ui::designFont(12));

    // The bevel first, so the labels and edits lie on top of it.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 353, 193);

    Label1 = ui::label(this, "Label1", QStringLiteral("元のデータ"), 24, 24);
    past_Edit = ui::edit(this, "past_Edit", 24, 40, 321, 20);
    Label2 = ui::label(this, "Label2", QStringLiteral("新しいデータ"), 24, 96);
    new_Edit = ui::edit(this, "new_Edit", 24, 112, 321, 20);
    // The labels name their edits for a screen reader.
    Label1->setBuddy(past_Edit);
    Label2->setBuddy(new_Edit);
    OKBtn = ui::button(this, "OKBtn", QStringLiteral("OK"), 199, 212, 75, 25);
    CancelBtn = ui::button(this, "CancelBtn", QStringLiteral("キャンセル"), 287, 212, 75, 25);
    // Enter anywhere in the dialog is OK; Escape and the close box cancel.
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(OKBtn, CancelBtn);
    setTabOrder(CancelBtn, new_Edit);
    setTabOrder(new_Edit, past_Edit);

    // Centred on the screen rather than over the main window; moving it
    // here keeps the dialog from re-centring itself when shown.
    ui::centreOnScreen(*this);
}

void TOKBottomDlg::prepare(const QString& old, bool japanese)
{
    past_Edit->setText(old);
    new_Edit->clear();
    // The new text is typed in the language of the field it replaces.
    if (japanese)
        useJapaneseInput(new_Edit);
    else
        useEnglishInput(new_Edit);
    new_Edit->setFocus();
}

QString TOKBottomDlg::newText() const
{
    return new_Edit->text();
}

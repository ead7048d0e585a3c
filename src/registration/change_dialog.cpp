#include "registration/change_dialog.h"

#include "assist/suggestion_popup.h"
#include "ui/controls.h"
#include "ui/input_method.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TOKBottomDlg::TOKBottomDlg(QWidget* parent, dictionary::MeaningFinder* finder) : QDialog(parent)
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

    if (finder) {
        // After Enter is in place: the lists' keys come first while shown.
        // They end above the buttons, which stay in reach of the mouse.
        meanings_ = new assist::SuggestionPopup(new_Edit, finder);
        meanings_->takeKeysFrom(new_Edit);
        meanings_->stopAbove(OKBtn);
        spellingMeanings_ = new assist::SuggestionPopup(new_Edit, finder, assist::SuggestionPopup::Use::Read);
        spellingMeanings_->follow(new_Edit);
        spellingMeanings_->stopAbove(OKBtn);
    }

    // Centred on the screen rather than over the main window; moving it
    // here keeps the dialog from re-centring itself when shown.
    ui::centreOnScreen(*this);
}

void TOKBottomDlg::prepare(const TrainerQuestions::FieldEdit& edit)
{
    using Edited = TrainerQuestions::FieldEdit::Field;
    if (meanings_) {
        meanings_->setActive(edit.field == Edited::Meaning);
        spellingMeanings_->setActive(edit.field == Edited::Word);
    }
    past_Edit->setText(edit.old);
    new_Edit->clear();
    // The new text is typed in the language of the field it replaces.
    if (edit.japanese)
        useJapaneseInput(new_Edit);
    else
        useEnglishInput(new_Edit);
    new_Edit->setFocus();
    if (meanings_ && edit.field == Edited::Meaning)
        meanings_->offerFor(edit.word);
}

QString TOKBottomDlg::newText() const
{
    return new_Edit->text();
}

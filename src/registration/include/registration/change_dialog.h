#pragma once

#include "core/questions.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace assist {
class SuggestionPopup;
}
namespace dictionary {
class MeaningFinder;
}

// The data change dialog: the old value of a field and the new one. It is
// made when first needed and only shown modally by the word list.
//
// With a dictionary, it offers meanings as the word list's registration
// does: changing 意味, the meanings of the record's word, to fill the new
// text with; changing 単語, the meanings of the spelling being typed, only
// to be read, so the learner sees the corrected spelling means what the
// record says.
class TOKBottomDlg : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg(QWidget* parent = nullptr, dictionary::MeaningFinder* finder = nullptr);

    // Before the dialog is shown: the old value, the new one empty and to
    // be typed in Japanese or English, as the field is.
    void prepare(const TrainerQuestions::FieldEdit& edit);
    // The new value as typed.
    QString newText() const;

private:
    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* past_Edit = nullptr;
    QLineEdit* new_Edit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    assist::SuggestionPopup* meanings_ = nullptr; // for 意味, to fill it
    assist::SuggestionPopup* spellingMeanings_ = nullptr; // for 単語, to read
};

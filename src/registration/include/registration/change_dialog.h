#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The data change dialog: the old value of a field and the new one. It is
// made once at start and only shown modally by the word list.
class TOKBottomDlg : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);

    // Before the dialog is shown: `old` as the old value, the new one empty
    // and to be typed in Japanese or English, as the field is.
    void prepare(const QString& old, bool japanese);
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
};

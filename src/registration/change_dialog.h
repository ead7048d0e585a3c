#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The data change dialog: the old value of a field and the new one.
class TOKBottomDlg : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);

    QLineEdit* past_Edit = nullptr;
    QLineEdit* new_Edit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

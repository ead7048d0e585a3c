#pragma once

#include <QObject>

class ExamPanels;
class MainWindow;
class OptionsPanel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTableWidget;
class QTimer;
class QWidget;
class QuizPanel;
class RadioGroup;
class RegistrationPanel;
class TOKBottomDlg;
class WordList;

// The controls of each tab and of the change dialog as tests reach them:
// found by their design names, the tab built first when it never was.

struct RegistrationControls {
    explicit RegistrationControls(MainWindow& window);
    RegistrationPanel* Panel1;
    QLineEdit* word;
    QLineEdit* mean;
    QLineEdit* example;
    QLineEdit* examplemean;
    RadioGroup* parts;
    QPushButton* registerButton; // `register`
    QPushButton* Button2;
    // 消去 as its handler runs it.
    void Button2Click() const;
};

struct QuizControls {
    explicit QuizControls(MainWindow& window);
    QuizPanel* Panel2;
    QLabel* Label4;
    QLabel* no;
    QLabel* Label5;
    QLabel* hint;
    QLineEdit* Edit3;
    QLabel* ans;
    QPushButton* Button4;
    QPushButton* nextquestion;
    QPushButton* Button5;
};

struct ExamControls {
    explicit ExamControls(MainWindow& window);
    ExamPanels* panels;
    QWidget* Panel4;
    QPushButton* Test_Normal;
    QPushButton* Test_Time;
    QPushButton* Test_All;
    QWidget* Panel5;
    QLineEdit* Edit2;
    QPushButton* Checkans;
    QWidget* Panel6;
    QLabel* Label24;
    QLabel* Label25;
    QTableWidget* StringGrid2;
    QPushButton* Button11;
    QTimer* Timer1;
    // One tick of the countdown, as Timer1 gives it.
    void Timer1Timer() const;
};

struct ListControls {
    explicit ListControls(MainWindow& window);
    WordList* list;
    QTableView* StringGrid1;
    QPushButton* Button8;
    QPushButton* Button9;
};

struct OptionsControls {
    explicit OptionsControls(MainWindow& window);
    OptionsPanel* Panel3;
    QLabel* path;
    QLineEdit* Edit1;
    QPushButton* Button3;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button1;
    QPushButton* ImportButton;
    QPushButton* ExportButton;
};

struct ChangeDialogControls {
    explicit ChangeDialogControls(TOKBottomDlg& dialog);
    QFrame* Bevel1;
    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* past_Edit;
    QLineEdit* new_Edit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

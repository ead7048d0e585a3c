#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

struct AppState;
class Dialogs;
class OptionsPanel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;
class QWidget;

// Tab "テスト出題": the start panel Panel4, the test panel Panel5, the results
// panel Panel6 and the countdown Timer1.
//
// Layout and the tab hooks live in exam_panels.cpp, the run of a test in
// exam_run.cpp, the results in exam_results.cpp.
class ExamPanels : public QObject {
    Q_OBJECT
public:
    ExamPanels(QWidget* tabControl, AppState& state, Dialogs& dialogs, const OptionsPanel& options);

    // Hides Panel4, Panel5 and Panel6 (the tab switch).
    void hideForTabSwitch();
    // Tab 2: shows Panel4 at the panel bounds and unchecks `testing`.
    void showStart();
    // Leaving the tab during a test: unchecks `testing`, stops Timer1.
    void abandon();

    // The three start buttons; `button` is the one pressed, told apart by
    // its object name.
    void Test_NormalClick(const QObject* button);
    // Fills theList with the record numbers 1..M and shuffles them;
    // benri2 := "error!" when there are fewer than n records.
    void BuildTestOrder(int n);
    void ShowTestQuestion(int n);
    // One tick of the countdown.
    void Timer1Timer();
    // The answer button, and Enter in Edit2.
    void CheckansClick();
    void ShowTestResults(int right, const QString& title, const QString& subtitle);
    // "確認": back to the start panel.
    void Button11Click();

    QWidget* Panel4 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label13 = nullptr;
    QPushButton* Test_Normal = nullptr;
    QPushButton* Test_Time = nullptr;
    QPushButton* Test_All = nullptr;

    QWidget* Panel5 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* time = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Checkans = nullptr;
    QLabel* Label21 = nullptr;

    QWidget* Panel6 = nullptr;
    QLabel* Label24 = nullptr;
    QLabel* Label25 = nullptr; // the subtitle, right of the title
    QLabel* Label20 = nullptr;
    QLabel* Label17 = nullptr;
    QTableWidget* StringGrid2 = nullptr;
    QPushButton* Button11 = nullptr;

    QTimer* Timer1 = nullptr;

private:
    void buildStartPanel();
    void buildTestPanel();
    void buildResultsPanel();
    void writeHeading();
    // The record index asked as question n: slot n - 1 of theList, minus 1.
    int recordOfQuestion(int n) const;
    // True when the first n slots of theList hold an order built by
    // BuildTestOrder for records that still exist.
    bool listHoldsTestOrder(int n) const;
    // Counts the answer of the current question and saves the store.
    void recordAnswer(int rec, const QByteArray& answer);

    AppState& state_;
    Dialogs& dialogs_;
    const OptionsPanel& options_;
};

#pragma once

#include "assist/assistants.h"
#include "core/exam_session.h"
#include "core/outcome.h"

#include <QObject>
#include <QString>
#include <functional>

class Dialogs;
class Trainer;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;
class QWidget;

namespace assist {
class SpeakControl;
}

// Tab "テスト出題": the start panel Panel4, the test panel Panel5, the results
// panel Panel6 and the countdown Timer1. The panels draw the trainer's test
// session as each action's outcome says, and the countdown runs exactly
// while a test runs.
//
// Layout and the tab hooks live in exam_panels.cpp, the run of a test in
// exam_run.cpp, the results in exam_results.cpp. The word of the results
// row selected can be heard (its button, F5).
class ExamPanels : public QObject {
    Q_OBJECT
public:
    ExamPanels(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, assist::Assistants assistants);

    // Hides Panel4, Panel5 and Panel6 (the tab switch).
    void hideForTabSwitch();
    // Shows the panel of the test's phase: Panel4 when no test runs.
    void showPanel();
    // What an action changed in the test.
    void draw(const Outcome& outcome);

    // The three start buttons: a normal test, a time attack, a complete run.
    void Test_NormalClick();
    void Test_TimeClick();
    void Test_AllClick();
    // One tick of the countdown.
    void Timer1Timer();
    // The answer button, and Enter in Edit2.
    void CheckansClick();
    // "確認": back to the start panel.
    void Button11Click();

signals:
    // An action of these panels ran: what it changed, for the window to draw.
    void acted(const Outcome& outcome);

private:
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
    QPushButton* SpeakWord = nullptr;
    assist::SpeakControl* wordVoice_ = nullptr;

    QTimer* Timer1 = nullptr;

    void buildStartPanel();
    void buildTestPanel();
    void buildResultsPanel();
    void writeHeading();
    void perform(const std::function<Outcome()>& action);
    void startTest(ExamKind kind);
    // The session's texts, and the countdown running exactly while a test
    // runs.
    void redraw();
    void showResults();
    // The word of the results row selected, or empty.
    QString selectedWord() const;

    Trainer& trainer_;
    Dialogs& dialogs_;
    assist::Assistants assistants_;
};

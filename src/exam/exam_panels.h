#pragma once

#include <QObject>

struct AppState;
class Dialogs;
class OptionsPanel;
class QTimer;
class QWidget;

// Tab "テスト出題": the start panel Panel4, the test panel Panel5, the results
// panel Panel6 and the countdown Timer1.
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

    QWidget* Panel4 = nullptr;
    QWidget* Panel5 = nullptr;
    QWidget* Panel6 = nullptr;
    QTimer* Timer1 = nullptr;

private:
    AppState& state_;
    Dialogs& dialogs_;
    const OptionsPanel& options_;
};

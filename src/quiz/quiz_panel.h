#pragma once

#include <QWidget>

struct AppState;
class Dialogs;
class OptionsPanel;

// Tab "出題": the open-ended practice quiz.
class QuizPanel : public QWidget { // Panel2
    Q_OBJECT
public:
    QuizPanel(QWidget* tabControl, AppState& state, Dialogs& dialogs, const OptionsPanel& options);

    // Hides Panel2, Label4, Label5, nextquestion, Button4, Button5, hint, ans.
    void hideForTabSwitch();
    // Builds the pool and asks the first question; false (after the no-match
    // message) when no record qualifies.
    bool prepare();

private:
    AppState& state_;
    Dialogs& dialogs_;
    const OptionsPanel& options_;
};

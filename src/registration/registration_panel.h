#pragma once

#include <QWidget>

struct AppState;
class Dialogs;
class QPushButton;

// Tab "単語登録": entering new words.
class RegistrationPanel : public QWidget { // Panel1
    Q_OBJECT
public:
    RegistrationPanel(QWidget* tabControl, AppState& state, Dialogs& dialogs);

    // Hides Panel1, register and Button2 (the tab switch).
    void hideForTabSwitch();
    // Shows Panel1 at the panel bounds, then register and Button2.
    void showPanel();

    QPushButton* registerButton = nullptr; // `register`
    QPushButton* Button2 = nullptr;

private:
    AppState& state_;
    Dialogs& dialogs_;
};

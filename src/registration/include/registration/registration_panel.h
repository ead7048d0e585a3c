#pragma once

#include "core/outcome.h"

#include <QWidget>

class Dialogs;
class QLineEdit;
class QPushButton;
class RadioGroup;
class Trainer;

// Tab "単語登録": entering new words.
class RegistrationPanel : public QWidget { // Panel1
    Q_OBJECT
public:
    RegistrationPanel(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs);

    // Hides Panel1, register and Button2 (the tab switch).
    void hideForTabSwitch();
    // Shows Panel1 at the panel bounds, then register and Button2.
    void showPanel();
    // What an action changed here: the form emptied after a registration.
    void draw(const Outcome& outcome);

    // Registers the typed word and saves the word file.
    void registerClick();
    // Empties the four fields, selects 名詞 and puts the focus on `word`.
    void Button2Click();
    // Enter in any of the four fields registers.
    void wordKeyPress();
    // The focus on the first field, where a learner starts typing.
    void focusFirstField();

signals:
    // An action of this panel ran: what it changed, for the window to draw.
    void acted(const Outcome& outcome);

private:
    QLineEdit* word = nullptr;
    QLineEdit* mean = nullptr;
    QLineEdit* example = nullptr;
    QLineEdit* examplemean = nullptr;
    RadioGroup* parts = nullptr;
    QPushButton* registerButton = nullptr; // `register`
    QPushButton* Button2 = nullptr;

    Trainer& trainer_;
    Dialogs& dialogs_;
};

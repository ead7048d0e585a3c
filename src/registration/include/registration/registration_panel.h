#pragma once

#include "assist/assistants.h"
#include "core/outcome.h"

#include <QWidget>

class Dialogs;
class QLineEdit;
class QPushButton;
class RadioGroup;
class Trainer;

namespace assist {
class SpeakControl;
class SuggestionPopup;
} // namespace assist

// Tab "単語登録": entering new words. The word and the example sentence can
// be heard while they are typed (F5: the example while the focus is in the
// example fields, else the word), and meanings are offered under 意味 for
// the word typed.
class RegistrationPanel : public QWidget { // Panel1
    Q_OBJECT
public:
    RegistrationPanel(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, assist::Assistants assistants);

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
    QPushButton* SpeakWord = nullptr;
    QPushButton* SpeakExample = nullptr;
    assist::SpeakControl* wordVoice_ = nullptr;
    assist::SpeakControl* exampleVoice_ = nullptr;
    assist::SuggestionPopup* meanings_ = nullptr;

    Trainer& trainer_;
    Dialogs& dialogs_;
};

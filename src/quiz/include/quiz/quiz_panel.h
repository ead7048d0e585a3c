#pragma once

#include "assist/assistants.h"
#include "core/outcome.h"

#include <QChar>
#include <QWidget>
#include <functional>

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class Trainer;

namespace assist {
class SpeakControl;
}

// Tab "出題": the open-ended practice quiz. The panel draws the trainer's
// quiz session as each action's outcome says. It speaks a dictation
// question's word as the question is shown; the word (F5) and the example
// sentence can be heard once an answer was judged.
class QuizPanel : public QWidget { // Panel2
    Q_OBJECT
public:
    QuizPanel(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, assist::Assistants assistants);

    // Hides Panel2, Label4, Label5, nextquestion, Button4, Button5, hint, ans.
    void hideForTabSwitch();
    // Shows Panel2 with its heading, prompt and buttons, and the question
    // the trainer prepared.
    void showPanel();
    // What an action changed in the quiz.
    void draw(const Outcome& outcome);

    // "次の問題(&N)": shows the next record of the pool, in turn or at random.
    void nextquestionClick();
    // "ヒント(&H)": the first character of the word.
    void Button5Click();
    // "回答！(&A)": checks the answer, counts it and saves the word file.
    void Button4Click();
    // Enter (CR) in Edit3 answers while 回答！ is enabled.
    void Edit3KeyPress(QChar key);

signals:
    // An action of this panel ran: what it changed, for the window to draw.
    void acted(const Outcome& outcome);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Label4 = nullptr; // question heading
    QLabel* no = nullptr; // position in turn
    QLabel* Label5 = nullptr; // the prompt
    QLabel* hint = nullptr;
    QLineEdit* Edit3 = nullptr; // the user's answer
    QLabel* ans = nullptr; // the right word after a wrong answer
    QPushButton* Button4 = nullptr; // 回答！
    QPushButton* nextquestion = nullptr;
    QPushButton* Button5 = nullptr; // ヒント
    QPushButton* SpeakWord = nullptr;
    QPushButton* SpeakExample = nullptr;
    assist::SpeakControl* wordVoice_ = nullptr;
    assist::SpeakControl* exampleVoice_ = nullptr;

    void perform(const std::function<Outcome()>& action);
    // The session's texts and state.
    void redraw();
    // The speaker turned out unable to speak: a dictation question shows
    // its meaning instead, and the learner is told once.
    void speakerChanged();

    Trainer& trainer_;
    Dialogs& dialogs_;
    assist::Assistants assistants_;
    bool toldSilent_ = false;
};

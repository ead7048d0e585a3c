#pragma once

#include "core/outcome.h"

#include <QChar>
#include <QWidget>
#include <functional>

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class Trainer;

// Tab "出題": the open-ended practice quiz. The panel draws the trainer's
// quiz session as each action's outcome says.
class QuizPanel : public QWidget { // Panel2
    Q_OBJECT
public:
    QuizPanel(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs);

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

    void perform(const std::function<Outcome()>& action);
    // The session's texts and state.
    void redraw();

    Trainer& trainer_;
    Dialogs& dialogs_;
};

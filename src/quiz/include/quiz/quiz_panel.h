#pragma once

#include <QChar>
#include <QWidget>
#include <functional>

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class Trainer;

// Tab "出題": the open-ended practice quiz. The panel draws the trainer's
// quiz session after every action on it.
class QuizPanel : public QWidget { // Panel2
    Q_OBJECT
public:
    QuizPanel(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs);

    // Hides Panel2, Label4, Label5, nextquestion, Button4, Button5, hint, ans.
    void hideForTabSwitch();
    // Builds the pool and asks the first question; false (after the no-match
    // message) when no record qualifies.
    bool prepare();

    // "次の問題(&N)": shows the next record of the pool, in turn or at random.
    void nextquestionClick();
    // "ヒント(&H)": the first character of the word.
    void Button5Click();
    // "回答！(&A)": checks the answer, counts it and saves the word file.
    void Button4Click();
    // Enter (CR) in Edit3 answers while answering is enabled.
    void Edit3KeyPress(QChar key);

    QLabel* Label4 = nullptr; // question heading
    QLabel* no = nullptr; // position in turn
    QLabel* Label5 = nullptr; // the prompt
    QLabel* hint = nullptr;
    QLineEdit* Edit3 = nullptr; // the user's answer
    QLabel* ans = nullptr; // the right word after a wrong answer
    QPushButton* Button4 = nullptr; // 回答！
    QPushButton* nextquestion = nullptr;
    QPushButton* Button5 = nullptr; // ヒント

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a handler, then draws the session whatever came of it.
    void act(const std::function<void()>& handler);
    void redraw();

    Trainer& trainer_;
    Dialogs& dialogs_;
    int shownSerial_ = 0;
};

#pragma once

#include <QByteArray>
#include <QChar>
#include <QWidget>

struct AppState;
class Dialogs;
class OptionsPanel;
class QLabel;
class QLineEdit;
class QPushButton;

// Tab "出題": the open-ended practice quiz. The pool of askable records lives
// in theList (record indices from 0); the current question in the `question`
// cell, the next position in turn in `benri1`.
//
// Layout, the tab hooks and the pool are in quiz_panel.cpp; asking, hinting
// and checking answers in quiz_questions.cpp.
class QuizPanel : public QWidget { // Panel2
    Q_OBJECT
public:
    QuizPanel(QWidget* tabControl, AppState& state, Dialogs& dialogs, const OptionsPanel& options);

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
    QLineEdit* question = nullptr; // never shown; mirrors state.question
    QLineEdit* Edit3 = nullptr; // the user's answer
    QLabel* ans = nullptr; // the right word after a wrong answer
    QPushButton* Button4 = nullptr; // 回答！
    QPushButton* nextquestion = nullptr;
    QPushButton* Button5 = nullptr; // ヒント

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool spellingQuestions() const;
    bool qualifies(int index) const;
    void setQuestion(const QByteArray& text);
    // Whether the typed answer is exactly `expected` in the word file's bytes.
    static bool answerMatches(const QString& typed, const QByteArray& expected);

    AppState& state_;
    Dialogs& dialogs_;
    const OptionsPanel& options_;
};

#pragma once

#include "core/conflict.h"

#include <QWidget>

class AboutPanel;
class Dialogs;
class ExamPanels;
class OptionsPanel;
class QuizPanel;
class QTabBar;
class RegistrationPanel;
class TOKBottomDlg;
class Trainer;
class WordList;

// The one window of the program: a fixed 498 × 356 client area holding the
// tab control with its six tabs; every tab's panel lies inside it.
//
// It is also where the learner is asked about a word file another program
// changed, and it shows the words anew when they were loaded again.
class MainWindow : public QWidget, private ConflictQuestion { // Form1
    Q_OBJECT
public:
    enum Tab { kRegistration, kQuiz, kTest, kList, kOptions, kAbout };

    // Builds the window and its first tab, then runs FormCreate.
    MainWindow(Trainer& trainer, Dialogs& dialogs);
    ~MainWindow() override;

    void FormCreate();
    // Runs on every tab selection by the user (and once at start).
    void TabControl1Change();
    // Selecting a tab from code runs no tab switch.
    void selectTabSilently(int index);
    // The start found the default word file held by another Lexiwren, and
    // opened none.
    bool defaultFileInUse() const { return defaultFileInUse_; }

    QWidget* TabControl1 = nullptr;
    QTabBar* tabBar = nullptr;
    RegistrationPanel* registration = nullptr;

    // The other tabs are built the first time they are needed, so a start
    // builds and lays out only what the first tab shows.
    QuizPanel* quiz();
    ExamPanels* exam();
    WordList* wordList();
    OptionsPanel* options();
    AboutPanel* about();
    TOKBottomDlg* OKBottomDlg();

private:
    void hideAllPanels();
    bool overwrite(const QString& path) override;

    Trainer& trainer_;
    Dialogs& dialogs_;
    QuizPanel* quiz_ = nullptr;
    ExamPanels* exam_ = nullptr;
    WordList* wordList_ = nullptr;
    OptionsPanel* options_ = nullptr;
    AboutPanel* about_ = nullptr;
    TOKBottomDlg* OKBottomDlg_ = nullptr;
    bool defaultFileInUse_ = false;
};

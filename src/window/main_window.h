#pragma once

#include <QWidget>

struct AppState;
class AboutPanel;
class Dialogs;
class ExamPanels;
class OptionsPanel;
class QuizPanel;
class QTabBar;
class RegistrationPanel;
class TOKBottomDlg;
class WordList;

// The one window of the program: a fixed 498 × 356 client area holding the
// tab control with its six tabs; every tab's panel lies inside it.
class MainWindow : public QWidget { // Form1
    Q_OBJECT
public:
    enum Tab { kRegistration, kQuiz, kTest, kList, kOptions, kAbout };

    // Builds every control, runs FormCreate, then makes the change dialog.
    MainWindow(AppState& state, Dialogs& dialogs);
    ~MainWindow() override;

    void FormCreate();
    // Runs on every tab selection by the user (and once at start).
    void TabControl1Change();
    // Selecting a tab from code runs no tab switch.
    void selectTabSilently(int index);

    QWidget* TabControl1 = nullptr;
    QTabBar* tabBar = nullptr;
    RegistrationPanel* registration = nullptr;
    QuizPanel* quiz = nullptr;
    ExamPanels* exam = nullptr;
    WordList* wordList = nullptr;
    OptionsPanel* options = nullptr;
    AboutPanel* about = nullptr;
    TOKBottomDlg* OKBottomDlg = nullptr;

private:
    void readDefaultWordFile();

    AppState& state_;
    Dialogs& dialogs_;
};

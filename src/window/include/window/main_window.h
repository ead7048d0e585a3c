#pragma once

#include "assist/assistants.h"
#include "core/outcome.h"
#include "window/assist_settings.h"
#include "window/dialog_questions.h"

#include <QWidget>
#include <memory>

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
namespace progress {
class ProgressPanel;
}

namespace dictionary {
class MeaningFinder;
}

// The one window of the program: a fixed 498 × 356 client area holding the
// tab control with its six tabs and, after them, 記録 (the learner's
// progress); every tab's panel lies inside it.
//
// It puts the trainer's questions to the learner, and draws every action's
// outcome: the tab it names, and on each panel what it changed.
//
// It holds the one speaker and the one dictionary the panels share; neither
// starts its engine or reads its index before it is first used.
class MainWindow : public QWidget { // Form1
    Q_OBJECT
public:
    enum Tab { kRegistration, kQuiz, kTest, kList, kOptions, kAbout, kProgress };

    // Builds the window and its first tab; the start is FormCreate.
    MainWindow(Trainer& trainer, Dialogs& dialogs, AssistSettings assist = {});
    ~MainWindow() override;

    // The start: preferences, the default word file, the first tab. Its
    // outcome tells whether another Lexiwren holds the default word file,
    // in which case nothing was opened.
    Outcome FormCreate();
    // Runs on every tab selection by the user.
    void TabControl1Change();

    // The other tabs are built the first time they are needed, so a start
    // builds and lays out only what the first tab shows.
    QuizPanel* quiz();
    ExamPanels* exam();
    WordList* wordList();
    OptionsPanel* options();
    AboutPanel* about();
    progress::ProgressPanel* progress();
    TOKBottomDlg* OKBottomDlg();
    speech::Speaker& speaker() { return *speaker_; }
    dictionary::MeaningFinder& meaningFinder() { return *finder_; }

private:
    // Draws what an action changed: the tab it names, shown and prepared,
    // and every panel built so far, as far as it changed.
    void showOutcome(const Outcome& outcome);
    void showTab(::Tab tab);
    void hideAllPanels();
    // Selecting a tab from code runs no tab switch.
    void selectTabSilently(int index);
    assist::Assistants assistants() const;

    QWidget* TabControl1 = nullptr;
    QTabBar* tabBar = nullptr;
    RegistrationPanel* registration = nullptr;
    Trainer& trainer_;
    Dialogs& dialogs_;
    DialogQuestions questions_;
    QString voiceFile_;
    std::unique_ptr<speech::Speaker> speaker_;
    std::unique_ptr<dictionary::MeaningFinder> finder_;
    QuizPanel* quiz_ = nullptr;
    ExamPanels* exam_ = nullptr;
    WordList* wordList_ = nullptr;
    OptionsPanel* options_ = nullptr;
    AboutPanel* about_ = nullptr;
    progress::ProgressPanel* progress_ = nullptr;
    TOKBottomDlg* OKBottomDlg_ = nullptr;
};

#include "window/main_window.h"

#include "core/trainer.h"
#include "dictionary/meaning_finder.h"
#include "exam/exam_panels.h"
#include "progress/progress_panel.h"
#include "quiz/quiz_panel.h"
#include "registration/change_dialog.h"
#include "registration/registration_panel.h"
#include "registration/word_list.h"
#include "speech/voice_setting.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"
#include "window/about_panel.h"
#include "window/options_panel.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>

MainWindow::MainWindow(Trainer& trainer, Dialogs& dialogs, AssistSettings assist)
    : trainer_(trainer), dialogs_(dialogs),
      questions_(dialogs, [this]() -> TOKBottomDlg& { return *OKBottomDlg(); }),
      voiceFile_(!assist.voiceFile.isEmpty()
                     ? assist.voiceFile
                     : QFileInfo(trainer.prefsFile()).dir().filePath(QStringLiteral("voice.ini")))
{
    // Made now, started on first use: neither the engine nor the index is
    // touched before the window is drawn.
    assist.speech.locale = speech::readVoice(voiceFile_);
    speaker_ = std::make_unique<speech::Speaker>(assist.speech);
    finder_ = std::make_unique<dictionary::MeaningFinder>(assist.edictFile, assist.cacheFolder);

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lexiwren v1.0"));
    // A dialog-style frame: fixed size, a close box and no minimise or
    // maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(498, 356);
    move(427, 139);
    setFont(ui::designFont(12));

    TabControl1 = new QWidget(this);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setGeometry(0, 0, 498, 356);

    auto* frame = new QFrame(TabControl1);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(0, 20, 498, 336);

    tabBar = new QTabBar(TabControl1);
    tabBar->setObjectName(QStringLiteral("TabBar"));
    tabBar->setDrawBase(false);
    tabBar->setExpanding(false);
    for (const char* caption : {"単語登録", "出題", "テスト出題", "登録一覧", "オプション...", "アバウト..."})
        tabBar->addTab(QString::fromUtf8(caption));
    // Ours, after the six: the learner's progress. Its caption is short
    // enough to fit beside them, so none of theirs moves or is shortened;
    // a screen reader hears its whole name.
    tabBar->addTab(QStringLiteral("記録"));
    tabBar->setAccessibleTabName(int(::Tab::Progress), QStringLiteral("学習の記録"));
    tabBar->setGeometry(2, 0, 494, 22);

    registration = new RegistrationPanel(TabControl1, trainer_, dialogs_, assistants());
    connect(registration, &RegistrationPanel::acted, this, &MainWindow::showOutcome);

    connect(tabBar, &QTabBar::currentChanged, this, &MainWindow::TabControl1Change);
    trainer_.setQuestions(&questions_);
}

MainWindow::~MainWindow()
{
    trainer_.setQuestions(nullptr);
    // The panels go first: their controls speak and look up through the
    // speaker and the dictionary.
    delete OKBottomDlg_;
    delete TabControl1;
}

assist::Assistants MainWindow::assistants() const
{
    return {speaker_.get(), finder_.get()};
}

OptionsPanel* MainWindow::options()
{
    if (!options_) {
        options_ = new OptionsPanel(TabControl1, trainer_, dialogs_, speaker_.get(), voiceFile_);
        options_->hide();
        options_->refresh();
        connect(options_, &OptionsPanel::acted, this, &MainWindow::showOutcome);
    }
    return options_;
}

QuizPanel* MainWindow::quiz()
{
    if (!quiz_) {
        quiz_ = new QuizPanel(TabControl1, trainer_, dialogs_, assistants());
        quiz_->hideForTabSwitch();
        connect(quiz_, &QuizPanel::acted, this, &MainWindow::showOutcome);
    }
    return quiz_;
}

ExamPanels* MainWindow::exam()
{
    if (!exam_) {
        exam_ = new ExamPanels(TabControl1, trainer_, dialogs_, assistants());
        exam_->hideForTabSwitch();
        connect(exam_, &ExamPanels::acted, this, &MainWindow::showOutcome);
    }
    return exam_;
}

WordList* MainWindow::wordList()
{
    if (!wordList_) {
        wordList_ = new WordList(TabControl1, trainer_, dialogs_, assistants());
        wordList_->hideForTabSwitch();
        connect(wordList_, &WordList::acted, this, &MainWindow::showOutcome);
    }
    return wordList_;
}

TOKBottomDlg* MainWindow::OKBottomDlg()
{
    if (!OKBottomDlg_)
        OKBottomDlg_ = new TOKBottomDlg(this, finder_.get());
    return OKBottomDlg_;
}

AboutPanel* MainWindow::about()
{
    if (!about_) {
        about_ = new AboutPanel(TabControl1);
        about_->hide();
    }
    return about_;
}

progress::ProgressPanel* MainWindow::progress()
{
    if (!progress_) {
        progress_ = new progress::ProgressPanel(TabControl1, trainer_);
        progress_->hide();
    }
    return progress_;
}

void MainWindow::hideAllPanels()
{
    registration->hideForTabSwitch();
    if (quiz_)
        quiz_->hideForTabSwitch();
    if (exam_)
        exam_->hideForTabSwitch();
    if (wordList_)
        wordList_->hideForTabSwitch();
    if (options_)
        options_->hide();
    if (about_)
        about_->hide();
    if (progress_)
        progress_->hide();
}

Outcome MainWindow::FormCreate()
{
    const std::optional<Outcome> started = attempt(dialogs_, [this] { return trainer_.start(); });
    if (!started || started->handOver)
        return started.value_or(Outcome{});
    showOutcome(*started);
    // A learner starts by typing a word: the first field has the focus.
    registration->focusFirstField();
    return *started;
}

void MainWindow::selectTabSilently(int index)
{
    const QSignalBlocker block(tabBar);
    tabBar->setCurrentIndex(index);
}

void MainWindow::TabControl1Change()
{
    const int chosen = tabBar->currentIndex();
    if (const auto outcome = attempt(dialogs_, [&] { return trainer_.switchTab(::Tab(chosen)); }))
        showOutcome(*outcome);
}

void MainWindow::showTab(::Tab tab)
{
    selectTabSilently(int(tab));
    hideAllPanels();
    switch (tab) {
    case ::Tab::Registration: registration->showPanel(); break;
    case ::Tab::Quiz: quiz()->showPanel(); break;
    case ::Tab::Test: exam()->showPanel(); break;
    case ::Tab::List: wordList()->showList(); break;
    case ::Tab::Options: options()->showPanel(); break;
    case ::Tab::About:
        ui::placeAsPanel(about());
        about()->show();
        break;
    case ::Tab::Progress: progress()->showPanel(); break;
    }
}

void MainWindow::showOutcome(const Outcome& outcome)
{
    // The tab the outcome names is shown first, built when it never was;
    // then what changed is drawn on every panel there is.
    if (outcome.tab)
        showTab(*outcome.tab);
    registration->draw(outcome);
    if (quiz_)
        quiz_->draw(outcome);
    if (exam_)
        exam_->draw(outcome);
    if (wordList_)
        wordList_->draw(outcome);
    if (progress_)
        progress_->draw(outcome);
    if (options_ && (outcome.currentFile || outcome.defaultFile))
        options_->refresh();
}

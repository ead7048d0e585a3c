#include "window/main_window.h"

#include "core/trainer.h"
#include "exam/exam_panels.h"
#include "quiz/quiz_panel.h"
#include "registration/change_dialog.h"
#include "registration/registration_panel.h"
#include "registration/word_list.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"
#include "window/about_panel.h"
#include "window/options_panel.h"

#include <QFrame>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>
#include <optional>

MainWindow::MainWindow(Trainer& trainer, Dialogs& dialogs) : trainer_(trainer), dialogs_(dialogs)
{
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
    tabBar->setGeometry(2, 0, 494, 22);

    registration = new RegistrationPanel(TabControl1, trainer_, dialogs_);

    connect(tabBar, &QTabBar::currentChanged, this,
            [this] { runHandler(dialogs_, [this] { TabControl1Change(); }); });
    trainer_.setQuestions(this);
    // After the words were loaded again, the tab shown is prepared anew
    // once the action that found the change has ended.
    trainer_.setReloaded([this] {
        QTimer::singleShot(0, this, [this] { runHandler(dialogs_, [this] { TabControl1Change(); }); });
    });

    runHandler(dialogs_, [this] { FormCreate(); });
    // A learner starts by typing a word: the first field has the focus.
    registration->word->setFocus();
}

bool MainWindow::goOnWithoutBackup(const QString& failure)
{
    return dialogs_.confirm(failure + QStringLiteral("。\n\nバックアップを取らずに続けますか？"));
}

MainWindow::~MainWindow()
{
    trainer_.setQuestions(nullptr);
    trainer_.setReloaded({});
}

bool MainWindow::overwrite(const QString& path)
{
    return dialogs_.confirm(
        QStringLiteral("単語ファイル %1 は、Lexiwren が読み込んだ後にほかのプログラムで変更されています。\n\n"
                       "OK: Lexiwren の内容で上書きします。\n"
                       "キャンセル: 変更された内容を読み込み直します（今の操作は行いません）。")
            .arg(path));
}

OptionsPanel* MainWindow::options()
{
    if (!options_) {
        options_ = new OptionsPanel(TabControl1, trainer_, dialogs_);
        options_->hide();
        options_->refresh();
    }
    return options_;
}

QuizPanel* MainWindow::quiz()
{
    if (!quiz_) {
        quiz_ = new QuizPanel(TabControl1, trainer_, dialogs_);
        quiz_->hideForTabSwitch();
    }
    return quiz_;
}

ExamPanels* MainWindow::exam()
{
    if (!exam_) {
        exam_ = new ExamPanels(TabControl1, trainer_, dialogs_);
        exam_->hideForTabSwitch();
    }
    return exam_;
}

WordList* MainWindow::wordList()
{
    if (!wordList_) {
        OKBottomDlg_ = new TOKBottomDlg(this);
        wordList_ = new WordList(TabControl1, trainer_, dialogs_, *OKBottomDlg_);
        wordList_->hideForTabSwitch();
    }
    return wordList_;
}

TOKBottomDlg* MainWindow::OKBottomDlg()
{
    wordList();
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
}

void MainWindow::FormCreate()
{
    bool created = false;
    if (!trainer_.preferencesExist()) {
        // A preferences file that cannot be written is reported, and the
        // program goes on with the default word file all the same.
        runHandler(dialogs_, [&] {
            trainer_.createPreferences();
            created = true;
        });
    }
    // A preferences file that cannot be read is reported; the default word
    // file is the usual one then.
    runHandler(dialogs_, [this] { trainer_.readDefaultWordFile(); });
    // The word file is made current, and so locked, before the first
    // message waits for the learner: a second start meanwhile finds this
    // copy holding it.
    std::optional<Failure> failure;
    try {
        trainer_.openDefaultWordFile();
    } catch (const FileInUse&) {
        // The program's start hands the learner to the copy that has it.
        defaultFileInUse_ = true;
        return;
    } catch (const Failure& opening) {
        failure = opening;
    }
    if (created)
        dialogs_.message(
            QStringLiteral("初期設定ファイル plimopref.ini\nが見つからなかったので新たに作成しました。"));
    if (failure)
        throw *failure;
    TabControl1Change();
}

void MainWindow::selectTabSilently(int index)
{
    const QSignalBlocker block(tabBar);
    tabBar->setCurrentIndex(index);
}

void MainWindow::TabControl1Change()
{
    trainer_.reseed();
    if (trainer_.exam().running()) {
        if (!dialogs_.confirm(QStringLiteral("テスト中です。中断しますか？"))) {
            selectTabSilently(kTest);
            return;
        }
        exam()->abandon();
    }

    hideAllPanels();

    switch (tabBar->currentIndex()) {
    case kRegistration: registration->showPanel(); break;
    case kQuiz:
        if (!quiz()->prepare()) {
            selectTabSilently(kOptions);
            quiz()->hideForTabSwitch();
            options()->showPanel();
        }
        break;
    case kTest: exam()->showStart(); break;
    case kList:
        if (!wordList()->prepare()) {
            selectTabSilently(kRegistration);
            registration->showPanel();
        }
        break;
    case kOptions:
        runHandler(dialogs_, [this] { trainer_.readDefaultWordFile(); });
        options()->showPanel();
        break;
    case kAbout:
        ui::placeAsPanel(about());
        about()->show();
        break;
    default: break;
    }
}

#include "exam/exam_panels.h"

#include "assist/speak_control.h"
#include "core/trainer.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"
#include "ui/input_method.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>

ExamPanels::ExamPanels(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, assist::Assistants assistants)
    : QObject(tabControl), trainer_(trainer), dialogs_(dialogs), assistants_(assistants)
{
    Panel4 = ui::panel(tabControl, "Panel4");
    Panel5 = ui::panel(tabControl, "Panel5");
    Panel6 = ui::panel(tabControl, "Panel6");
    buildStartPanel();
    buildTestPanel();
    buildResultsPanel();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void ExamPanels::buildStartPanel()
{
    Label10 = ui::label(Panel4, "Label10", QStringLiteral("Q.  覚悟はいいですかぁ～"), 7, 6, 19);
    Label11 = ui::label(Panel4, "Label11",
                        QStringLiteral("問題がバシバシ出るんで、ガンガン答えちゃってください。"), 32, 40, 12);
    Label13 =
        ui::label(Panel4, "Label13", QStringLiteral("なお、例文暗唱は出ません。単語のみです。"), 32, 56, 12);
    Test_Normal =
        ui::button(Panel4, "Test_Normal", QStringLiteral("ふつーのテスト形式"), 32, 144, 121, 25, 12);
    Test_Time = ui::button(Panel4, "Test_Time", QStringLiteral("タイムアタック"), 32, 184, 121, 25, 12);
    Test_All = ui::button(Panel4, "Test_All", QStringLiteral("全制覇"), 32, 224, 121, 25, 12);
    QWidget::setTabOrder(Test_Normal, Test_Time);
    QWidget::setTabOrder(Test_Time, Test_All);

    connect(Test_Normal, &QPushButton::clicked, this, &ExamPanels::Test_NormalClick);
    connect(Test_Time, &QPushButton::clicked, this, &ExamPanels::Test_TimeClick);
    connect(Test_All, &QPushButton::clicked, this, &ExamPanels::Test_AllClick);
}

void ExamPanels::buildTestPanel()
{
    Label15 = ui::label(Panel5, "Label15", QStringLiteral("第＄問"), 7, 6, 19);
    Label14 = ui::label(Panel5, "Label14", QStringLiteral("Q.  次の単語のスペルを答えよ。"), 15, 30, 19);
    Label18 = ui::label(Panel5, "Label18", QStringLiteral("word"), 32, 56, 16);
    time = ui::label(Panel5, "time", QStringLiteral("あと＄秒"), 7, 78, 16);
    Edit2 = ui::edit(Panel5, "Edit2", 8, 112, 225, 24, 16);
    Edit2->setAccessibleName(QStringLiteral("答え"));
    useEnglishInput(Edit2); // answers are English spellings
    Checkans = ui::button(Panel5, "Checkans", QStringLiteral("回答！(&A)"), 8, 144, 75, 25, 12);
    Label21 = ui::label(Panel5, "Label21", QString(), 16, 232, 12);
    QWidget::setTabOrder(Edit2, Checkans);

    connect(Checkans, &QPushButton::clicked, this, [this] { CheckansClick(); });
    // Edit2KeyPress: Enter answers, whether or not anything was typed.
    connect(Edit2, &QLineEdit::returnPressed, this, [this] { CheckansClick(); });
}

void ExamPanels::buildResultsPanel()
{
    Label24 = ui::label(Panel6, "Label24", QStringLiteral("Label24"), 8, 0, 19);
    Label25 = ui::label(Panel6, "Label25", QString(), 8, 0, 19);
    Label25->hide();
    Label20 = ui::label(Panel6, "Label20", QStringLiteral("結果発表！"), 8, 24, 37);
    Label17 = ui::label(Panel6, "Label17", QStringLiteral("正解数"), 216, 32, 27);
    Button11 = ui::button(Panel6, "Button11", QStringLiteral("確認"), 16, 264, 41, 25, 13);

    StringGrid2 = ui::grid(Panel6, "StringGrid2", 99, {32, 96, 101, 97}); // plus the heading row
    StringGrid2->setAccessibleName(QStringLiteral("テストの結果"));
    StringGrid2->setFont(ui::designFont(12));
    StringGrid2->setGeometry(8, 64, 353, 177);
    StringGrid2->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid2->setSelectionMode(QAbstractItemView::ContiguousSelection);
    writeHeading();
    // Right of the grid, in space no control uses.
    SpeakWord = ui::button(Panel6, "SpeakWord6", QStringLiteral("単語を聞く"), 368, 64, 75, 25, 12);
    SpeakWord->setAccessibleName(QStringLiteral("選んだ問題の単語の発音を聞く"));
    QWidget::setTabOrder(Button11, StringGrid2);
    QWidget::setTabOrder(StringGrid2, SpeakWord);
    wordVoice_ = new assist::SpeakControl(SpeakWord, assistants_.speaker, [this] { return selectedWord(); });
    wordVoice_->addShortcut(Panel6);
    connect(StringGrid2, &QTableWidget::currentCellChanged, wordVoice_, &assist::SpeakControl::refresh);

    connect(Button11, &QPushButton::clicked, this, [this] { Button11Click(); });
}

void ExamPanels::perform(const std::function<Outcome()>& action)
{
    if (const auto outcome = attempt(dialogs_, action))
        emit acted(*outcome);
}

void ExamPanels::hideForTabSwitch()
{
    Panel4->hide();
    Panel5->hide();
    Panel6->hide();
}

void ExamPanels::showPanel()
{
    const auto phase = trainer_.exam().phase();
    QWidget* shown = phase == ExamSession::Phase::Running ? Panel5
        : phase == ExamSession::Phase::Finished           ? Panel6
                                                          : Panel4;
    ui::placeAsPanel(shown);
    shown->show();
    for (QWidget* panel : {Panel4, Panel5, Panel6}) {
        if (panel != shown)
            panel->hide();
    }
}

void ExamPanels::draw(const Outcome& outcome)
{
    if (!outcome.exam && !outcome.results && !outcome.answerTaken)
        return;
    redraw();
    if (outcome.results)
        showResults();
    // A counted answer, or a new test, starts with an empty answer field.
    if (outcome.answerTaken)
        Edit2->clear();
    // The panels follow the phase while the test's tab is shown.
    if (trainer_.tab() == Tab::Test && !outcome.tab)
        showPanel();
}

void ExamPanels::redraw()
{
    const ExamSession& exam = trainer_.exam();
    // The countdown ticks exactly while a test runs. Starting a timer that
    // runs already would restart its second.
    if (!exam.running())
        Timer1->stop();
    else if (!Timer1->isActive())
        Timer1->start();

    const auto phase = exam.phase();
    if (phase == ExamSession::Phase::Running) {
        ui::setCaption(Label15, exam.questionCaption());
        ui::setCaption(Label18, exam.prompt());
    }
    if (phase != ExamSession::Phase::Idle) {
        // The last answer and the last second stay as the test ended.
        ui::setCaption(time, exam.countdown());
        ui::setCaption(Label21, exam.lastAnswered());
    }
}

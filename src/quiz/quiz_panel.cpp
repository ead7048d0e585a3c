#include "quiz/quiz_panel.h"

#include "assist/speak_control.h"
#include "core/trainer.h"
#include "speech/speaker.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"
#include "ui/input_method.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QuizPanel::QuizPanel(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, assist::Assistants assistants)
    : QWidget(tabControl), trainer_(trainer), dialogs_(dialogs), assistants_(assistants)
{
    setObjectName(QStringLiteral("Panel2"));
    ui::placeAsPanel(this);

    Label4 = ui::label(this, "Label4", QStringLiteral("Q.  次の単語のスペルを答えよ。"), 7, 6, 19);
    no = ui::label(this, "no", QString(), 320, 16, 12);
    Label5 = ui::label(this, "Label5", QString(), 24, 40, 16);
    hint = ui::label(this, "hint", QString(), 24, 56, 12);
    Edit3 = ui::edit(this, "Edit3", 8, 88, 417, 24, 16);
    Edit3->setAccessibleName(QStringLiteral("答え"));
    useEnglishInput(Edit3); // answers are English
    ans = ui::label(this, "ans", QString(), 1, 128, 16);
    Button4 = ui::button(this, "Button4", QStringLiteral("回答！(&A)"), 32, 264, 75, 25, 12);
    nextquestion = ui::button(this, "nextquestion", QStringLiteral("次の問題(&N)"), 128, 264, 75, 25, 12);
    Button5 = ui::button(this, "Button5", QStringLiteral("ヒント(&H)"), 216, 264, 75, 25, 12);

    // Right of the three buttons, in space no control uses.
    SpeakWord = ui::button(this, "SpeakWord2", QStringLiteral("単語を聞く"), 304, 264, 75, 25, 12);
    SpeakWord->setAccessibleName(QStringLiteral("単語の発音を聞く"));
    SpeakExample = ui::button(this, "SpeakExample2", QStringLiteral("例文を聞く"), 388, 264, 75, 25, 12);
    SpeakExample->setAccessibleName(QStringLiteral("例文の発音を聞く"));

    setTabOrder(Edit3, Button4);
    setTabOrder(Button4, nextquestion);
    setTabOrder(nextquestion, Button5);
    setTabOrder(Button5, SpeakWord);
    setTabOrder(SpeakWord, SpeakExample);

    wordVoice_ = new assist::SpeakControl(SpeakWord, assistants_.speaker,
                                          [this] { return trainer_.quiz().wordToHear(); });
    wordVoice_->addShortcut(this);
    exampleVoice_ = new assist::SpeakControl(SpeakExample, assistants_.speaker,
                                             [this] { return trainer_.quiz().exampleToHear(); });
    connect(assistants_.speaker, &speech::Speaker::stateChanged, this, &QuizPanel::speakerChanged);

    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(nextquestion, &QPushButton::clicked, this, [this] { nextquestionClick(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    Edit3->installEventFilter(this);
}

void QuizPanel::perform(const std::function<Outcome()>& action)
{
    if (const auto outcome = attempt(dialogs_, action))
        emit acted(*outcome);
}

bool QuizPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit3 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            Edit3KeyPress(QLatin1Char('\r'));
    }
    // The key goes on to the edit unchanged.
    return QWidget::eventFilter(watched, event);
}

void QuizPanel::hideForTabSwitch()
{
    hide();
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label4, Label5, nextquestion, Button4, Button5, hint, ans})
        w->hide();
}

void QuizPanel::showPanel()
{
    ui::placeAsPanel(this);
    show();
    for (QWidget* w : std::initializer_list<QWidget*>{Label4, Label5, nextquestion, Button4, Button5})
        w->show();
    redraw();
}

void QuizPanel::draw(const Outcome& outcome)
{
    if (!outcome.quiz && !outcome.newQuestion)
        return;
    redraw();
    // A new question starts with an empty answer field.
    if (outcome.newQuestion) {
        Edit3->clear();
        Edit3->setFocus();
        if (const QString& spoken = trainer_.quiz().spokenOnShow(); !spoken.isEmpty())
            assistants_.speaker->speak(spoken);
    }
}

void QuizPanel::speakerChanged()
{
    if (assistants_.speaker->available() || !isVisible() || !trainer_.quiz().asked())
        return;
    redraw();
    if (trainer_.quiz().kind() != QuestionKind::Dictation || toldSilent_)
        return;
    toldSilent_ = true;
    dialogs_.message(QStringLiteral("音声が使えないため、聞き取り問題の単語を読み上げられません。\n"
                                    "代わりに意味を表示します。\n\n")
                     + assistants_.speaker->reason());
}

void QuizPanel::redraw()
{
    const QuizSession& quiz = trainer_.quiz();
    // The hint and the right answer stay hidden until a question was asked.
    hint->setVisible(quiz.asked());
    ans->setVisible(quiz.asked());
    if (!quiz.asked())
        return;
    ui::setCaption(Label4, quiz.heading());
    ui::setCaption(no, quiz.position());
    // Without sound a dictation question is asked by its meaning.
    ui::setCaption(Label5, assistants_.speaker->available() ? quiz.prompt() : quiz.silentPrompt());
    ui::setCaption(hint, quiz.hintText());
    ui::setCaption(ans, quiz.correction());
    Button4->setEnabled(quiz.answering());
    wordVoice_->refresh();
    exampleVoice_->refresh();
}

void QuizPanel::nextquestionClick()
{
    perform([this] { return trainer_.nextQuestion(); });
}

void QuizPanel::Button5Click()
{
    perform([this] { return trainer_.showHint(); });
}

void QuizPanel::Button4Click()
{
    perform([this] { return trainer_.answerQuiz(Edit3->text()); });
}

void QuizPanel::Edit3KeyPress(QChar key)
{
    if (key == QLatin1Char('\r') && Button4->isEnabled())
        Button4Click();
}

#include "quiz/quiz_panel.h"

#include "store/app_state.h"
#include "store/record.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"
#include "ui/input_method.h"
#include "window/options_panel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

QuizPanel::QuizPanel(QWidget* tabControl, AppState& state, Dialogs& dialogs, const OptionsPanel& options)
    : QWidget(tabControl), state_(state), dialogs_(dialogs), options_(options)
{
    setObjectName(QStringLiteral("Panel2"));
    ui::placeAsPanel(this);

    Label4 = ui::label(this, "Label4", QStringLiteral("Q.  次の単語のスペルを答えよ。"), 7, 6, 19);
    no = ui::label(this, "no", QString(), 320, 16, 12);
    Label5 = ui::label(this, "Label5", QString(), 24, 40, 16);
    hint = ui::label(this, "hint", QString(), 24, 56, 12);
    // The question cell is placed on the panel like the other controls but
    // never shown; the quiz reads the index from the shared state.
    question = ui::edit(this, "question", 448, 8, 25, 20, 12);
    question->hide();
    Edit3 = ui::edit(this, "Edit3", 8, 88, 417, 24, 16);
    useEnglishInput(Edit3); // answers are English
    ans = ui::label(this, "ans", QString(), 1, 128, 16);
    Button4 = ui::button(this, "Button4", QStringLiteral("回答！(&A)"), 32, 264, 75, 25, 12);
    nextquestion = ui::button(this, "nextquestion", QStringLiteral("次の問題(&N)"), 128, 264, 75, 25, 12);
    Button5 = ui::button(this, "Button5", QStringLiteral("ヒント(&H)"), 216, 264, 75, 25, 12);

    setTabOrder(question, Edit3);
    setTabOrder(Edit3, Button4);
    setTabOrder(Button4, nextquestion);
    setTabOrder(nextquestion, Button5);

    connect(Button4, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { Button4Click(); }); });
    connect(nextquestion, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { nextquestionClick(); }); });
    connect(Button5, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { Button5Click(); }); });
    Edit3->installEventFilter(this);
}

bool QuizPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit3 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            runHandler(dialogs_, [this] { Edit3KeyPress(QLatin1Char('\r')); });
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

bool QuizPanel::spellingQuestions() const
{
    return !options_.RadioButton13->isChecked();
}

// The filter is decided first; its counters are converted even for records
// the question kind would turn away, so a damaged counter stops the pool
// wherever it stands.
bool QuizPanel::qualifies(int index) const
{
    const LineStore& store = state_.Memo1;
    if (options_.RadioButton10->isChecked()) {
        if (StrToInt(ReadField(store, index, kAsked)) != 0)
            return false;
    } else if (!options_.RadioButton9->isChecked()) {
        const int asked = StrToInt(ReadField(store, index, kAsked));
        const int correct = StrToInt(ReadField(store, index, kCorrect));
        if (asked == 0 || double(correct) * 100.0 / double(asked) > 60.0)
            return false;
    }
    if (!spellingQuestions())
        return !ReadField(store, index, kExample).isEmpty()
            && !ReadField(store, index, kExampleMean).isEmpty();
    return true;
}

bool QuizPanel::prepare()
{
    state_.benri1 = "0";
    ui::placeAsPanel(this);
    show();
    for (QWidget* w : std::initializer_list<QWidget*>{Label4, Label5, nextquestion, Button4, Button5})
        w->show();

    state_.theList.clear();
    state_.theListHoldsTestOrder = false;

    int p = 0;
    for (int n = 0; n < OrderList::kSlots && !state_.Memo1.ReadLine(n).isEmpty(); ++n) {
        if (qualifies(n))
            state_.theList.WriteLine(p++, IntToStr(n));
    }

    if (p > 0) {
        nextquestionClick();
        return true;
    }
    dialogs_.message(QStringLiteral(
        "出題モードに該当した単語が一つもありませんでした。\nオプションで設定し直してください。"));
    return false;
}

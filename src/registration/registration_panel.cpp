#include "registration/registration_panel.h"

#include "assist/speak_control.h"
#include "assist/suggestion_popup.h"
#include "core/trainer.h"
#include "registration/radio_group.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"
#include "ui/input_method.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

RegistrationPanel::RegistrationPanel(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs,
                                     assist::Assistants assistants)
    : QWidget(tabControl), trainer_(trainer), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Panel1"));
    ui::placeAsPanel(this);

    ui::label(this, "Label19",
              QStringLiteral("入力して単語の登録を行ってください。(単語、意味は必須項目です。)"), 24, 8);
    // Each label names its field for a screen reader (its buddy).
    QLabel* label9 = ui::label(this, "Label9", QStringLiteral("単語"), 25, 38);
    word = ui::edit(this, "word", 64, 36, 145, 20);
    label9->setBuddy(word);
    QLabel* label2 = ui::label(this, "Label2", QStringLiteral("意味"), 25, 62);
    mean = ui::edit(this, "mean", 64, 60, 241, 20);
    label2->setBuddy(mean);
    QLabel* label3 = ui::label(this, "Label3", QStringLiteral("例文"), 25, 92);
    example = ui::edit(this, "example", 64, 90, 289, 20);
    label3->setBuddy(example);
    QLabel* label7 = ui::label(this, "Label7", QStringLiteral("例文意味"), 1, 116);
    examplemean = ui::edit(this, "examplemean", 64, 114, 289, 20);
    label7->setBuddy(examplemean);
    parts =
        new RadioGroup(this, "parts", QStringLiteral("品詞"), QRect(64, 142, 113, 115),
                       {QStringLiteral("名詞(&Z)"), QStringLiteral("動詞(&X)"), QStringLiteral("形容詞(&C)"),
                        QStringLiteral("副詞(&V)"), QStringLiteral("熟語(&B)")});
    registerButton = ui::button(this, "register", QStringLiteral("登録！(&R)"), 8, 272, 75, 25);
    Button2 = ui::button(this, "Button2", QStringLiteral("消去(&D)"), 94, 272, 75, 25);
    // Right of the fields they read, in space no control uses.
    SpeakWord = ui::button(this, "SpeakWord1", QStringLiteral("単語を聞く"), 213, 36, 75, 20);
    SpeakWord->setAccessibleName(QStringLiteral("単語の発音を聞く"));
    SpeakExample = ui::button(this, "SpeakExample1", QStringLiteral("例文を聞く"), 357, 90, 75, 20);
    SpeakExample->setAccessibleName(QStringLiteral("例文の発音を聞く"));

    useEnglishInput(word);
    useJapaneseInput(mean);
    useEnglishInput(example);
    useJapaneseInput(examplemean);

    // Tab order: the four fields, the part of speech (its checked item is
    // the one tab stop of the group), 登録, 消去.
    QWidget* previous = word;
    for (QWidget* next : std::array<QWidget*, 3>{mean, example, examplemean}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (int i = 0; i < parts->count(); ++i) {
        setTabOrder(previous, parts->item(i));
        previous = parts->item(i);
    }
    setTabOrder(previous, registerButton);
    setTabOrder(registerButton, Button2);
    // Reached after the form; F5 speaks from anywhere in it.
    setTabOrder(Button2, SpeakWord);
    setTabOrder(SpeakWord, SpeakExample);

    wordVoice_ = new assist::SpeakControl(SpeakWord, assistants.speaker, [this] { return word->text(); });
    exampleVoice_ =
        new assist::SpeakControl(SpeakExample, assistants.speaker, [this] { return example->text(); });
    wordVoice_->showShortcut();
    exampleVoice_->showShortcut();
    assist::addSharedShortcut(this, [this] {
        const bool inExample = example->hasFocus() || examplemean->hasFocus() || SpeakExample->hasFocus();
        return inExample ? exampleVoice_ : wordVoice_;
    });
    connect(word, &QLineEdit::textChanged, wordVoice_, &assist::SpeakControl::refresh);
    connect(example, &QLineEdit::textChanged, exampleVoice_, &assist::SpeakControl::refresh);

    connect(registerButton, &QPushButton::clicked, this, [this] { registerClick(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    for (QLineEdit* field : {word, mean, example, examplemean})
        connect(field, &QLineEdit::returnPressed, this, [this] { wordKeyPress(); });

    // After Enter is in place in the field: the list's keys come first
    // while it is shown.
    meanings_ = new assist::SuggestionPopup(mean, assistants.finder);
    meanings_->follow(word);
}

void RegistrationPanel::hideForTabSwitch()
{
    hide();
    registerButton->hide();
    Button2->hide();
}

void RegistrationPanel::showPanel()
{
    ui::placeAsPanel(this);
    show();
    registerButton->show();
    Button2->show();
}

void RegistrationPanel::focusFirstField()
{
    word->setFocus();
}

void RegistrationPanel::wordKeyPress()
{
    registerClick();
}

void RegistrationPanel::registerClick()
{
    const NewWord typed{word->text(), mean->text(), example->text(), examplemean->text(), parts->itemIndex()};
    // A failed save keeps the form as typed, so Enter tries the same word
    // again.
    if (const auto outcome = attempt(dialogs_, [&] { return trainer_.registerWord(typed); }))
        emit acted(*outcome);
}

void RegistrationPanel::draw(const Outcome& outcome)
{
    if (outcome.clearForm)
        Button2Click();
}

void RegistrationPanel::Button2Click()
{
    word->clear();
    mean->clear();
    example->clear();
    examplemean->clear();
    parts->setItemIndex(0);
    word->setFocus();
}

#include "registration/registration_panel.h"

#include "field_text.h"
#include "registration/radio_group.h"
#include "store/app_state.h"
#include "store/record.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"
#include "ui/input_method.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

namespace {

// One word file holds at most this many words; the duplicate scan looks at
// no more store lines than this.
constexpr int kMaxWords = 1000;

} // namespace

RegistrationPanel::RegistrationPanel(QWidget* tabControl, AppState& state, Dialogs& dialogs)
    : QWidget(tabControl), state_(state), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Panel1"));
    ui::placeAsPanel(this);

    ui::label(this, "Label19",
              QStringLiteral("入力して単語の登録を行ってください。(単語、意味は必須項目です。)"), 24, 8);
    ui::label(this, "Label9", QStringLiteral("単語"), 25, 38);
    word = ui::edit(this, "word", 64, 36, 145, 20);
    ui::label(this, "Label2", QStringLiteral("意味"), 25, 62);
    mean = ui::edit(this, "mean", 64, 60, 241, 20);
    ui::label(this, "Label3", QStringLiteral("例文"), 25, 92);
    example = ui::edit(this, "example", 64, 90, 289, 20);
    ui::label(this, "Label7", QStringLiteral("例文意味"), 1, 116);
    examplemean = ui::edit(this, "examplemean", 64, 114, 289, 20);
    parts =
        new RadioGroup(this, "parts", QStringLiteral("品詞"), QRect(64, 142, 113, 115),
                       {QStringLiteral("名詞(&Z)"), QStringLiteral("動詞(&X)"), QStringLiteral("形容詞(&C)"),
                        QStringLiteral("副詞(&V)"), QStringLiteral("熟語(&B)")});
    registerButton = ui::button(this, "register", QStringLiteral("登録！(&R)"), 8, 272, 75, 25);
    Button2 = ui::button(this, "Button2", QStringLiteral("消去(&D)"), 94, 272, 75, 25);

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

    connect(registerButton, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { registerClick(); }); });
    connect(Button2, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { Button2Click(); }); });
    for (QLineEdit* field : {word, mean, example, examplemean})
        connect(field, &QLineEdit::returnPressed, this,
                [this] { runHandler(dialogs_, [this] { wordKeyPress(); }); });
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

void RegistrationPanel::wordKeyPress()
{
    registerClick();
}

void RegistrationPanel::registerClick()
{
    LineStore& store = state_.Memo1;

    // Every view walks the store from index 0 to its first empty line; the
    // new record goes exactly there, so it is always seen.
    const int seen = VisibleRecords(store, kMaxWords);
    if (seen >= kMaxWords) {
        dialogs_.message(QStringLiteral("一つの単語ファイルに登録できるのは1000語までです。"));
        Button2Click();
        return;
    }

    // Text the record cannot hold is refused before anything is compared,
    // and the fields stay as typed so the learner can mend them.
    std::array<QByteArray, 4> bytes;
    const std::array<QLineEdit*, 4> fields{word, mean, example, examplemean};
    for (size_t i = 0; i < fields.size(); ++i) {
        const auto typed = fieldBytes(fields[i]->text(), dialogs_);
        if (!typed)
            return;
        bytes[i] = *typed;
    }

    // When the scan ended at an empty line inside the store (a word file
    // edited by hand), the new record fills that line, and the records
    // behind it come into view with it: they count for duplicates too.
    const bool fillsEmptyLine = seen < store.LineCount();
    int lastChecked = seen;
    if (fillsEmptyLine) {
        lastChecked = seen + 1;
        while (lastChecked < kMaxWords && !store.ReadLine(lastChecked).isEmpty())
            ++lastChecked;
    }
    bool duplicate = false;
    for (int i = 0; i < lastChecked; ++i) {
        if (i != seen && ReadField(store, i, kWord) == bytes[0])
            duplicate = true;
    }
    if (duplicate) {
        dialogs_.message(QStringLiteral("既に登録されています。"));
        Button2Click();
        return;
    }

    if (bytes[0].isEmpty() || bytes[1].isEmpty()) {
        dialogs_.message(QStringLiteral("「単語」「意味」「品詞」は必須項目です"));
        return;
    }

    const QByteArray record = bytes[0] + ',' + bytes[1] + ',' + bytes[2] + ',' + bytes[3] + ','
        + IntToStr(parts->itemIndex()) + ",0,0";
    if (fillsEmptyLine)
        store.WriteLine(seen, record);
    else
        store.AppendLine(record);
    state_.save();
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

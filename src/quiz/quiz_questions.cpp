#include "quiz/quiz_panel.h"

#include "store/app_state.h"
#include "store/codec.h"
#include "store/failure.h"
#include "store/record.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "window/options_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void QuizPanel::setQuestion(const QByteArray& text)
{
    state_.question = text;
    question->setText(QString::fromLatin1(text));
}

void QuizPanel::nextquestionClick()
{
    const bool spelling = spellingQuestions();
    ui::setCaption(Label4,
                   spelling ? QStringLiteral("Q.  次の単語のスペルを答えよ。")
                            : QStringLiteral("Q.  英訳せよ。"));

    hint->show();
    ui::setCaption(hint, QString());
    ans->show();
    ui::setCaption(ans, QString());
    Edit3->clear();
    Button4->setEnabled(true);

    int n = 0;
    while (n < OrderList::kSlots && !state_.theList.ReadLine(n).isEmpty())
        ++n;

    if (options_.RadioButton3->isChecked()) {
        if (n == StrToInt(state_.benri1))
            state_.benri1 = "0";
        const int pos = StrToInt(state_.benri1);
        setQuestion(state_.theList.ReadLine(pos));
        state_.benri1 = IntToStr(pos + 1);
        ui::setCaption(no,
                       QStringLiteral("出題No  ") + QString::fromLatin1(state_.benri1) + QLatin1Char('/')
                           + QString::number(n));
    } else {
        setQuestion(state_.theList.ReadLine(state_.rng.Next(n)));
        ui::setCaption(no, QString());
    }

    const int index = StrToInt(state_.question);
    ui::setCaption(Label5, cp932::decode(ReadField(state_.Memo1, index, spelling ? kMean : kExampleMean)));
    Edit3->setFocus();
}

void QuizPanel::Button5Click()
{
    const QByteArray word = ReadField(state_.Memo1, StrToInt(state_.question), kWord);
    // The first whole character, so a word that starts with a double-byte
    // character does not show half of it.
    const QByteArray first = cp932::firstCharacter(word);
    if (first.isEmpty())
        ui::setCaption(hint, QStringLiteral("この単語にはスペルが登録されていません"));
    else
        ui::setCaption(hint,
                       QStringLiteral("最初のスペルは 「") + cp932::decode(first) + QStringLiteral("」"));
}

bool QuizPanel::answerMatches(const QString& typed, const QByteArray& expected)
{
    // A character with no code in the word file's encoding cannot be part of
    // any stored answer, so such an answer is simply wrong; nothing of it is
    // ever written.
    try {
        return cp932::encode(typed) == expected;
    } catch (const Failure&) {
        return false;
    }
}

void QuizPanel::Button4Click()
{
    if (Edit3->text().isEmpty())
        return;

    const int index = StrToInt(state_.question);
    const QByteArray expected = ReadField(state_.Memo1, index, spellingQuestions() ? kWord : kExample);

    if (answerMatches(Edit3->text(), expected)) {
        dialogs_.message(QStringLiteral("正解っす"));
        // Each counter is written back as soon as it is rebuilt: a damaged
        // `asked` stops the answer after `correct` was already counted.
        state_.Memo1.WriteLine(index, CountCorrect(state_.Memo1, index));
        state_.Memo1.WriteLine(index, CountAsked(state_.Memo1, index));
        nextquestionClick();
        state_.save();
    } else {
        dialogs_.message(QStringLiteral("残念！"));
        ui::setCaption(ans, QStringLiteral("正解：") + cp932::decode(ReadField(state_.Memo1, index, kWord)));
        Button4->setEnabled(false);
        state_.Memo1.WriteLine(index, CountAsked(state_.Memo1, index));
        state_.save();
    }
}

void QuizPanel::Edit3KeyPress(QChar key)
{
    if (key == QLatin1Char('\r') && Button4->isEnabled())
        Button4Click();
}

// The run of a test: start, order, questions, countdown and answers.

#include "exam/exam_panels.h"

#include "store/app_state.h"
#include "store/codec.h"
#include "store/record.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "window/options_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QTimer>

namespace {

constexpr int kScanIndices = 1001;
constexpr int kTimeLimit = 300;

QString tooFewWords()
{
    return QStringLiteral("登録単語数が現在のモードでは足りません。");
}

QString countdownText(int seconds)
{
    return QStringLiteral("あと") + QString::number(seconds) + QStringLiteral("秒");
}

QString endlessText()
{
    return QStringLiteral("あと∞秒");
}

} // namespace

void ExamPanels::Test_NormalClick(const QObject* button)
{
    const QString pressed = button ? button->objectName() : QString();

    for (QByteArray& answer : state_.Answers)
        answer.clear();

    state_.benri1 = options_.Opt_Q_30->isChecked() ? "30" : options_.Opt_Q_20->isChecked() ? "20" : "10";
    const int n = StrToInt(state_.benri1);

    if (VisibleRecords(state_.Memo1, kScanIndices) < n) {
        dialogs_.message(tooFewWords());
        return;
    }

    // The time attack and the complete run repeat the last normal test's
    // order; when the list holds none (program start, the quiz's pool, or
    // records deleted since), they get a fresh one so they never read an
    // empty slot or a quiz index as a record number.
    if (pressed == QLatin1String("Test_Normal") || !listHoldsTestOrder(n)) {
        BuildTestOrder(n);
        if (state_.benri2 == "error!") {
            dialogs_.message(tooFewWords());
            return;
        }
    }

    state_.QuestionNo = 1;
    state_.ansnum = "0";
    state_.TimeLeft = kTimeLimit;
    state_.testing = true;
    ui::setCaption(Label21, QString());
    // Nothing typed in an earlier test carries over into this one.
    Edit2->clear();
    Timer1->start();
    ui::placeAsPanel(Panel5);
    Panel5->show();
    Panel4->hide();

    if (pressed == QLatin1String("Test_Normal"))
        state_.benri2 = "Normal";
    else if (pressed == QLatin1String("Test_Time"))
        state_.benri2 = "Time";
    else
        state_.benri2 = "All";

    // The countdown shows the starting time at once, not at the first tick.
    ui::setCaption(time, state_.benri2 == "All" ? endlessText() : countdownText(state_.TimeLeft));

    ShowTestQuestion(state_.QuestionNo);
}

bool ExamPanels::listHoldsTestOrder(int n) const
{
    if (!state_.theListHoldsTestOrder)
        return false;
    const int records = VisibleRecords(state_.Memo1, kScanIndices);
    QSet<int> seen;
    for (int slot = 0; slot < n; ++slot) {
        bool ok = false;
        const int number = state_.theList.ReadLine(slot).toInt(&ok, 10);
        if (!ok || number < 1 || number > records || seen.contains(number))
            return false;
        seen.insert(number);
    }
    return true;
}

void ExamPanels::BuildTestOrder(int n)
{
    state_.rng.Randomize();
    state_.benri2.clear();

    const int m = VisibleRecords(state_.Memo1, kScanIndices);
    for (int i = 0; i < m; ++i)
        state_.theList.WriteLine(i, QByteArray::number(i + 1));
    if (m < n)
        state_.benri2 = "error!";

    // Every position is exchanged with one drawn from the whole list, its
    // own included.
    for (int j = 0; j < m; ++j) {
        const int d = state_.rng.Next(m);
        QByteArray a = state_.theList.ReadLine(j);
        QByteArray b = state_.theList.ReadLine(d);
        state_.theList.WriteLine(j, b);
        state_.theList.WriteLine(d, a);
    }
    state_.theListHoldsTestOrder = true;
}

int ExamPanels::recordOfQuestion(int n) const
{
    return StrToInt(state_.theList.ReadLine(n - 1)) - 1;
}

void ExamPanels::ShowTestQuestion(int n)
{
    ui::setCaption(Label15, QStringLiteral("第") + QString::number(n) + QStringLiteral("問"));
    const int rec = recordOfQuestion(n);
    ui::setCaption(Label18, cp932::decode(ReadField(state_.Memo1, rec, kMean)));
}

void ExamPanels::Timer1Timer()
{
    if (state_.benri2 != "All") {
        state_.TimeLeft -= 1;
        ui::setCaption(time, countdownText(state_.TimeLeft));
    } else {
        ui::setCaption(time, endlessText());
    }

    if (state_.TimeLeft < 0) {
        Timer1->stop();
        if (state_.benri2 == "Normal")
            ShowTestResults(StrToInt(state_.ansnum), QStringLiteral("普通モード"),
                            QStringLiteral("時間切れ"));
        else if (state_.benri2 == "Time")
            ShowTestResults(StrToInt(state_.ansnum), QStringLiteral("タイムアタック"),
                            QStringLiteral("終了！"));
    }
}

void ExamPanels::recordAnswer(int rec, const QByteArray& answer)
{
    // Answers keeps questions 1..1000. A run whose every answer stops on a
    // damaged record still moves on a question each time and can pass that
    // many; those answers are counted but their texts are not kept.
    if (state_.QuestionNo >= 1 && static_cast<size_t>(state_.QuestionNo) < state_.Answers.size())
        state_.Answers[static_cast<size_t>(state_.QuestionNo)] = answer;
    state_.QuestionNo += 1;

    const QByteArray word = ReadField(state_.Memo1, rec, kWord);
    if (answer == word) {
        state_.ansnum = IntToStr(StrToInt(state_.ansnum) + 1);
        state_.Memo1.WriteLine(rec, CountCorrect(state_.Memo1, rec));
        state_.Memo1.WriteLine(rec, CountAsked(state_.Memo1, rec));
    } else {
        state_.Memo1.WriteLine(rec, CountAsked(state_.Memo1, rec));
    }
    state_.save();

    ui::setCaption(Label21, cp932::decode(ReadField(state_.Memo1, rec, kMean) + ':' + word));
    Edit2->clear();
}

void ExamPanels::CheckansClick()
{
    const int rec = recordOfQuestion(state_.QuestionNo);

    if (!Edit2->text().isEmpty())
        recordAnswer(rec, cp932::encode(Edit2->text()));

    // Every kind ends after its N answers (the time attack earlier when its
    // time is up), so the score never exceeds the rows listed.
    const int n = StrToInt(state_.benri1);
    if (state_.QuestionNo >= n + 1) {
        if (state_.benri2 == "Normal") {
            ShowTestResults(StrToInt(state_.ansnum), QStringLiteral("普通モード"), QString());
            return;
        }
        if (state_.benri2 == "Time") {
            ShowTestResults(StrToInt(state_.ansnum), QStringLiteral("タイムアタック"),
                            QStringLiteral("終了！"));
            return;
        }
        if (state_.benri2 == "All") {
            ShowTestResults(StrToInt(state_.ansnum), QStringLiteral("全制覇モード"),
                            QStringLiteral("全単語制覇！"));
            return;
        }
    }
    ShowTestQuestion(state_.QuestionNo);
}

// The run of a test: the start buttons, the countdown and the answers.

#include "exam/exam_panels.h"

#include "core/trainer.h"
#include "ui/dialogs.h"

#include <QLineEdit>

void ExamPanels::Test_NormalClick(const QObject* button)
{
    const QString pressed = button ? button->objectName() : QString();
    const ExamKind kind = pressed == QLatin1String("Test_Normal") ? ExamKind::Normal
        : pressed == QLatin1String("Test_Time")                   ? ExamKind::TimeAttack
                                                                  : ExamKind::Complete;
    act([&] {
        if (!trainer_.startExam(kind)) {
            dialogs_.message(QStringLiteral("登録単語数が現在のモードでは足りません。"));
            return;
        }
        // Nothing typed in an earlier test carries over into this one.
        Edit2->clear();
    });
}

void ExamPanels::Timer1Timer()
{
    act([this] { trainer_.tick(); });
}

void ExamPanels::CheckansClick()
{
    act([this] {
        const int before = trainer_.exam().questionNo();
        trainer_.answerExam(Edit2->text());
        // A counted answer moves on and empties the field; an empty one, or
        // one that could not be counted, leaves the question and the text.
        if (trainer_.exam().questionNo() != before)
            Edit2->clear();
    });
}

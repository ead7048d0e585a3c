// The run of a test: the start buttons, the countdown and the answers.

#include "exam/exam_panels.h"

#include "core/trainer.h"

#include <QLineEdit>

void ExamPanels::Test_NormalClick()
{
    startTest(ExamKind::Normal);
}

void ExamPanels::Test_TimeClick()
{
    startTest(ExamKind::TimeAttack);
}

void ExamPanels::Test_AllClick()
{
    startTest(ExamKind::Complete);
}

void ExamPanels::startTest(ExamKind kind)
{
    perform([this, kind] { return trainer_.startExam(kind); });
}

void ExamPanels::Timer1Timer()
{
    perform([this] { return trainer_.tick(); });
}

void ExamPanels::CheckansClick()
{
    // A counted answer moves on and empties the field; an empty one, or one
    // that could not be counted, leaves the question and the text.
    perform([this] { return trainer_.answerExam(Edit2->text()); });
}

// The end of a test: the results panel and the way back to the start.

#include "exam/exam_panels.h"

#include "assist/speak_control.h"
#include "core/trainer.h"
#include "ui/controls.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

void ExamPanels::writeHeading()
{
    StringGrid2->setHorizontalHeaderLabels({QStringLiteral("○/×"), QStringLiteral("問題"),
                                            QStringLiteral("正解"), QStringLiteral("あなたの回答")});
}

void ExamPanels::showResults()
{
    const ExamSession& exam = trainer_.exam();
    ui::setCaption(Label17, exam.scoreText());
    ui::setCaption(Label24, exam.title());
    // The subtitle (time up, finished, every word done) stands right of the
    // title, in the title's font.
    const QString subtitle = exam.subtitle();
    ui::setCaption(Label25,
                   subtitle.isEmpty() ? QString() : QStringLiteral("（") + subtitle + QStringLiteral("）"));
    Label25->move(Label24->x() + Label24->width() + 8, Label24->y());
    Label25->setVisible(!subtitle.isEmpty());
    ui::setCaption(Label20, QStringLiteral("結果発表！"));

    writeHeading();
    const std::vector<ResultRow>& rows = exam.results();
    for (int row = 0; row < StringGrid2->rowCount(); ++row) {
        const ResultRow* result = row < int(rows.size()) ? &rows[size_t(row)] : nullptr;
        ui::setCellText(StringGrid2, row, 0, result ? result->mark : QString());
        ui::setCellText(StringGrid2, row, 1, result ? result->mean : QString());
        ui::setCellText(StringGrid2, row, 2, result ? result->word : QString());
        ui::setCellText(StringGrid2, row, 3, result ? result->answer : QString());
    }
    wordVoice_->refresh();
}

QString ExamPanels::selectedWord() const
{
    const std::vector<ResultRow>& rows = trainer_.exam().results();
    const int row = StringGrid2->currentRow();
    return row >= 0 && row < int(rows.size()) ? rows[size_t(row)].word : QString();
}

void ExamPanels::Button11Click()
{
    perform([this] { return trainer_.examToStart(); });
}

// The end of a test: the results panel and the way back to the start.

#include "exam/exam_panels.h"

#include "store/app_state.h"
#include "store/codec.h"
#include "store/record.h"
#include "ui/controls.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

void ExamPanels::writeHeading()
{
    StringGrid2->setHorizontalHeaderLabels({QStringLiteral("○/×"), QStringLiteral("問題"),
                                            QStringLiteral("正解"), QStringLiteral("あなたの回答")});
}

void ExamPanels::ShowTestResults(int right, const QString& title, const QString& subtitle)
{
    state_.testing = false;
    Timer1->stop();
    Button11->hide();

    ui::setCaption(Label17,
                   QStringLiteral("正解数　") + QString::number(right) + QStringLiteral("/ ")
                       + cp932::decode(state_.benri1));
    ui::setCaption(Label24, title);
    // The subtitle (time up, finished, every word done) stands right of the
    // title, in the title's font.
    ui::setCaption(Label25,
                   subtitle.isEmpty() ? QString() : QStringLiteral("（") + subtitle + QStringLiteral("）"));
    Label25->move(Label24->x() + Label24->width() + 8, Label24->y());
    Label25->setVisible(!subtitle.isEmpty());

    ui::placeAsPanel(Panel6);
    Panel6->show();
    Panel5->hide();
    ui::setCaption(Label20, QStringLiteral("結果発表！"));

    writeHeading();
    for (int row = 0; row < StringGrid2->rowCount(); ++row)
        for (int column = 0; column < StringGrid2->columnCount(); ++column)
            ui::setCellText(StringGrid2, row, column, QString());

    const int n = StrToInt(state_.benri1);
    for (int r = 1; r <= n; ++r) {
        const int rec = recordOfQuestion(r);
        const QByteArray word = ReadField(state_.Memo1, rec, kWord);
        const QByteArray& answer = state_.Answers[static_cast<size_t>(r)];
        const int row = r - 1; // data row r under the heading
        ui::setCellText(StringGrid2, row, 0, answer == word ? QStringLiteral("○") : QStringLiteral("×"));
        ui::setCellText(StringGrid2, row, 1, cp932::decode(ReadField(state_.Memo1, rec, kMean)));
        ui::setCellText(StringGrid2, row, 2, cp932::decode(word));
        ui::setCellText(StringGrid2, row, 3, cp932::decode(answer));
    }

    Button11->show();
}

void ExamPanels::Button11Click()
{
    showStart();
    Panel6->hide();
}

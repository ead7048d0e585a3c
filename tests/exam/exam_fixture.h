#pragma once

#include "exam/exam_panels.h"
#include "support/fixtures.h"

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

// A started program with records "wordK,意味K,,,0,0,0" (K from 1), driven on
// the test tab as a user would.
class ExamFixture : public AppFixture {
protected:
    static QByteArray records(int count, int first = 1)
    {
        QByteArray bytes;
        for (int k = first; k < first + count; ++k)
            bytes +=
                "word" + QByteArray::number(k) + "," + sjis("意味") + QByteArray::number(k) + ",,,0,0,0\r\n";
        return bytes;
    }

    void startWithRecords(int count) { startWith(records(count)); }

    ExamControls exam() const { return ExamControls(*window); }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }

    // Radio buttons take clicks on their indicator and caption only.
    void chooseLength(const char* radio)
    {
        clickTab(MainWindow::kOptions);
        QWidget* button = find<QWidget>(radio);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void pressStart(const char* button)
    {
        clickTab(MainWindow::kTest);
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    }
    // The record number the prompt asks for, read off the meaning shown.
    int askedRecord() const
    {
        const QString prompt = text("Label18");
        return prompt.startsWith(QStringLiteral("意味")) ? prompt.mid(2).toInt() : -1;
    }
    QByteArray rightAnswer() const { return "word" + QByteArray::number(askedRecord()); }

    void answer(const QString& typed)
    {
        QLineEdit* edit = find<QLineEdit>("Edit2");
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void answerRight() { answer(QString::fromLatin1(rightAnswer())); }
    void answerWrong() { answer(QStringLiteral("nope")); }

    QString cell(int row, int column) const
    {
        const QTableWidgetItem* item = exam().StringGrid2->item(row, column);
        return item ? item->text() : QString();
    }
    bool running() const { return trainer.exam().running() && exam().Timer1->isActive(); }
};

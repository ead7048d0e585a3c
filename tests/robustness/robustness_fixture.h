#pragma once

#include "exam/exam_panels.h"
#include "quiz/quiz_panel.h"
#include "robustness_checks.h"
#include "support/fixtures.h"
#include "ui/handler.h"
#include "window/options_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

// A started program driven as a user would, with the few moves both
// robustness suites share.
class RobustnessFixture : public AppFixture {
protected:
    ExamControls exam() const { return ExamControls(*window); }
    QuizControls quiz() const { return QuizControls(*window); }
    OptionsControls options() const { return OptionsControls(*window); }

    static void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Radio buttons take clicks on their indicator and caption only; the
    // options tab must be shown.
    void choose(const char* radio)
    {
        QWidget* button = find<QWidget>(radio);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    // Chooses a tab; leaving a running test is confirmed.
    void go(int tab)
    {
        if (trainer.exam().running() && find<QTabBar>("TabBar")->currentIndex() != tab)
            dialogs.confirmAnswers.push_back(true);
        clickTab(tab);
    }

    // One second of the test's countdown, run the way the timer runs it.
    void tick()
    {
        runHandler(dialogs, [this] { exam().Timer1Timer(); });
    }

    // Puts the text into the edit, replacing what it held: typed in one go
    // (setText) or pasted from the clipboard with the paste keys.
    static void enter(QLineEdit* edit, const QString& text, bool paste)
    {
        edit->clear();
        if (paste) {
            QApplication::clipboard()->setText(text);
            QTest::keySequence(edit, QKeySequence::Paste);
        } else {
            edit->setText(text);
        }
    }
};

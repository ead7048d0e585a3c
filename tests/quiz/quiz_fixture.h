#pragma once

#include "quiz/quiz_panel.h"
#include "support/fixtures.h"
#include "window/options_panel.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <initializer_list>
#include <vector>

// A started program with a quiz word file; options are set the way the user
// leaves them on the options tab before choosing "出題".
class QuizTest : public AppFixture {
protected:
    // Lines given as UTF-8, written as CP932 with CR LF breaks.
    static QByteArray lines(std::initializer_list<const char*> records)
    {
        QByteArray out;
        for (const char* r : records)
            out += sjis(r) + "\r\n";
        return out;
    }
    // The radio buttons named, as the learner leaves them checked.
    void options(const char* filter, const char* kind, const char* order = "RadioButton3")
    {
        OptionsControls{*window};
        for (const char* name : {filter, kind, order})
            find<QRadioButton>(name)->setChecked(true);
    }
    QuizControls quiz() const { return QuizControls(*window); }
    std::vector<QByteArray> pool() const
    {
        std::vector<QByteArray> entries;
        for (int i = 0; !trainer.order().ReadLine(i).isEmpty(); ++i)
            entries.push_back(trainer.order().ReadLine(i));
        return entries;
    }
    // ASCII text is typed key by key; anything else arrives as an input
    // method commit, the way Japanese or Korean input reaches the edit.
    void type(const QString& text)
    {
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(quiz().Edit3, text);
            return;
        }
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(quiz().Edit3, &commit);
    }
    void enter() { QTest::keyClick(quiz().Edit3, Qt::Key_Return); }
    void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
};

using Slots = std::vector<QByteArray>;

#include "exam/exam_panels.h"
#include "quiz/quiz_panel.h"
#include "registration/registration_panel.h"
#include "support/fixtures.h"

#include <QCoreApplication>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

// What a platform input context is told when it asks the edit.
bool inputMethodEnabled(QLineEdit* edit)
{
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(edit, &query);
    return query.value(Qt::ImEnabled).toBool();
}

using InputMethodTest = AppFixture;

TEST_F(InputMethodTest, EnglishFieldsTurnTheInputMethodOffJapaneseOnesLeaveItOn)
{
    startWith("");
    const RegistrationPanel& r = *window->registration;
    EXPECT_FALSE(inputMethodEnabled(r.word));
    EXPECT_FALSE(inputMethodEnabled(r.example));
    EXPECT_TRUE(inputMethodEnabled(r.mean));
    EXPECT_TRUE(inputMethodEnabled(r.examplemean));
    // Quiz and test answers are English spellings and sentences.
    EXPECT_FALSE(inputMethodEnabled(window->quiz()->Edit3));
    EXPECT_FALSE(inputMethodEnabled(window->exam()->Edit2));
}

} // namespace

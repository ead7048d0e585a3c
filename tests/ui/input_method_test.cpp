#include "exam/exam_panels.h"
#include "quiz/quiz_panel.h"
#include "registration/registration_panel.h"
#include "support/fixtures.h"
#include "ui/input_method.h"
#include "ui/input_method_switch.h"

#include <QCoreApplication>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
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
    const RegistrationControls r(*window);
    EXPECT_FALSE(inputMethodEnabled(r.word));
    EXPECT_FALSE(inputMethodEnabled(r.example));
    EXPECT_TRUE(inputMethodEnabled(r.mean));
    EXPECT_TRUE(inputMethodEnabled(r.examplemean));
    // Quiz and test answers are English spellings and sentences.
    EXPECT_FALSE(inputMethodEnabled(QuizControls(*window).Edit3));
    EXPECT_FALSE(inputMethodEnabled(ExamControls(*window).Edit2));
}

// Records what the fields ask of the input method.
class RecordingSwitch : public ui::InputMethodSwitch {
public:
    void fieldFocused(QWidget* field, bool japanese) override { calls.emplace_back(field, japanese); }
    std::vector<std::pair<QWidget*, bool>> calls;
};

// A window with one English and one Japanese field, shown and active.
class FieldSwitching : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::setInputMethodSwitch(&recorder);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(english);
        layout->addWidget(japanese);
        useEnglishInput(english);
        useJapaneseInput(japanese);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        settle();
        recorder.calls.clear();
    }
    void TearDown() override { ui::setInputMethodSwitch(nullptr); }

    static void settle() { QCoreApplication::processEvents(); }
    void focus(QWidget* w)
    {
        w->setFocus(Qt::TabFocusReason);
        settle();
    }

    RecordingSwitch recorder;
    QWidget window;
    QLineEdit* english = new QLineEdit;
    QLineEdit* japanese = new QLineEdit;
    using Calls = std::vector<std::pair<QWidget*, bool>>;
};

TEST_F(FieldSwitching, EachFieldSwitchesForItsLanguageOnceTheFocusHasSettledAndTypingSwitchesNothing)
{
    japanese->setFocus(Qt::MouseFocusReason);
    // Not from inside the focus change: the platform's input context follows
    // the focus during it, and the switch must come after.
    EXPECT_TRUE(recorder.calls.empty());
    settle();
    EXPECT_EQ(recorder.calls, (Calls{{japanese, true}}));

    // A learner who switches by hand while typing keeps that choice.
    QTest::keyClicks(japanese, "ringo");
    settle();
    EXPECT_EQ(recorder.calls.size(), 1u);

    focus(english);
    focus(japanese);
    EXPECT_EQ(recorder.calls, (Calls{{japanese, true}, {english, false}, {japanese, true}}));
}

TEST_F(FieldSwitching, ComingBackFromAnotherWindowKeepsTheChoiceAReopenedDialogDoesNot)
{
    focus(japanese);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    settle();
    ASSERT_TRUE(japanese->hasFocus());
    EXPECT_EQ(recorder.calls, (Calls{{japanese, true}})) << "the learner never left the field";

    // A dialog closed and opened again: its field is visited anew.
    window.hide();
    other.activateWindow(); // the window below it
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    japanese->setFocus(); // as the change dialog is prepared, before it shows
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return japanese->hasFocus(); }));
    settle();
    EXPECT_EQ(recorder.calls, (Calls{{japanese, true}, {japanese, true}}));
}

TEST_F(FieldSwitching, AFieldChangingItsLanguageWhileFocusedSwitchesAtOnce)
{
    focus(japanese);
    useEnglishInput(japanese);
    settle();
    EXPECT_FALSE(inputMethodEnabled(japanese));
    useEnglishInput(japanese); // no change, no switch
    settle();
    useJapaneseInput(japanese);
    settle();
    EXPECT_TRUE(inputMethodEnabled(japanese));
    EXPECT_EQ(recorder.calls, (Calls{{japanese, true}, {japanese, false}, {japanese, true}}));

    // A field without the focus changes language silently.
    useEnglishInput(english);
    useJapaneseInput(english);
    settle();
    EXPECT_EQ(recorder.calls.size(), 3u);
}

TEST_F(FieldSwitching, AFocusThatMovesOnBeforeTheEventLoopRunsSwitchesOnlyForWhereItEnds)
{
    japanese->setFocus(Qt::TabFocusReason);
    english->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_EQ(recorder.calls, (Calls{{english, false}}));
}

} // namespace

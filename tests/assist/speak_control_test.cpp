#include "assist/speak_control.h"
#include "speech/speaker.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QWidget>
#include <gtest/gtest.h>

using assist::SpeakControl;
using speech::Speaker;

namespace {

// The tooltip's text as Qt shows it.
QString shownToolTip(const QWidget* widget)
{
    QTextDocument shown;
    shown.setHtml(widget->toolTip());
    return shown.toPlainText();
}

// A panel with a word field and a speak button, over a speaker whose engine
// is not there, so nothing is heard and the disabled state is what shows.
class Speak : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel_.setFixedSize(481, 313);
        word_ = new QLineEdit(&panel_);
        word_->setGeometry(64, 36, 145, 20);
        button_ = new QPushButton(QStringLiteral("♪"), &panel_);
        button_->setGeometry(212, 36, 24, 20);
        other_ = new QLineEdit(&panel_);
        other_->setGeometry(64, 60, 145, 20);
        speech::SpeechSettings settings;
        settings.module = QStringLiteral(LEXIWREN_SPEECH_ENGINE_MODULE);
        settings.engine = QStringLiteral("no-such-engine");
        speaker_ = std::make_unique<Speaker>(settings);
        control_ = new SpeakControl(button_, speaker_.get(), [this] { return word_->text(); });
        control_->addShortcut(&panel_);
        panel_.show();
        panel_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&panel_));
    }
    bool unavailable() const
    {
        return QTest::qWaitFor([&] { return speaker_->state() == Speaker::State::Unavailable; }, 60000);
    }

    QWidget panel_;
    QLineEdit* word_ = nullptr;
    QLineEdit* other_ = nullptr;
    QPushButton* button_ = nullptr;
    std::unique_ptr<Speaker> speaker_;
    SpeakControl* control_ = nullptr;
};

TEST_F(Speak, TheButtonSpeaksWhatThereIsAndShowsWhyItCannot)
{
    // Nothing to speak yet; the engine is not made by the control.
    EXPECT_FALSE(button_->isEnabled());
    EXPECT_EQ(speaker_->state(), Speaker::State::NotStarted);
    EXPECT_EQ(button_->accessibleName(), QStringLiteral("発音を聞く"));
    EXPECT_EQ(shownToolTip(button_), QStringLiteral("発音を聞く（F5）"));

    QTest::keyClicks(word_, QStringLiteral("apple"));
    control_->refresh();
    ASSERT_TRUE(button_->isEnabled());
    EXPECT_TRUE(button_->accessibleDescription().isEmpty());
    QTest::mouseClick(button_, Qt::LeftButton);
    ASSERT_TRUE(unavailable());
    EXPECT_FALSE(button_->isEnabled());
    EXPECT_EQ(shownToolTip(button_), speaker_->reason());
    EXPECT_EQ(button_->accessibleDescription(), speaker_->reason());
    EXPECT_FALSE(speaker_->reason().isEmpty());
}

TEST_F(Speak, TheShortcutSpeaksWhileTheFocusIsInItsPanel)
{
    word_->setFocus();
    QTest::keyClicks(word_, QStringLiteral("dog"));
    control_->refresh();
    other_->setFocus();
    QTest::keyClick(other_, Qt::Key_F5);
    EXPECT_NE(speaker_->state(), Speaker::State::NotStarted);
    EXPECT_TRUE(unavailable());

    // A speaker that cannot speak is not asked again.
    QTest::keyClick(other_, Qt::Key_F5);
    EXPECT_EQ(speaker_->state(), Speaker::State::Unavailable);
}

TEST_F(Speak, NothingToSpeakAsksNothing)
{
    QTest::keyClick(word_, Qt::Key_F5);
    QTest::mouseClick(button_, Qt::LeftButton);
    EXPECT_EQ(speaker_->state(), Speaker::State::NotStarted);
}

} // namespace

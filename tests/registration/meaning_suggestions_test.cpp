// The meanings offered under 意味 while the word is typed in 単語: chosen by
// keys, registered as CP932 bytes, the focus kept in 単語 throughout.

#include "dictionary/meaning_finder.h"
#include "registration_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MeaningSuggestions : public RegistrationFixture {
protected:
    QWidget* popup() const { return named<QWidget>(window.get(), "meaningSuggestions"); }
    QListWidget* list() const { return named<QListWidget>(window.get(), "meaningSuggestionList"); }
    // Types into 単語 and waits for the list the dictionary gives.
    bool typeWord(const RegistrationControls& p, const QString& text)
    {
        p.word->setFocus();
        QTest::keyClicks(p.word, text);
        return QTest::qWaitFor([&] { return popup()->isVisible(); }, 60000);
    }
};

TEST_F(MeaningSuggestions, AMeaningChosenByKeysFillsTheMeaningAndIsRegisteredAsItsBytes)
{
    startWith("");
    const RegistrationControls p = panel();
    ASSERT_TRUE(typeWord(p, QStringLiteral("apple")));
    EXPECT_TRUE(p.word->hasFocus());
    EXPECT_TRUE(p.mean->text().isEmpty()) << "nothing is filled unasked";
    // Under 意味, moving nothing of the form.
    EXPECT_EQ(popup()->geometry().topLeft(), p.mean->mapTo(window.get(), QPoint(0, p.mean->height())));
    EXPECT_EQ(p.mean->geometry(), QRect(64, 60, 241, 20));
    EXPECT_EQ(p.example->geometry(), QRect(64, 90, 289, 20));

    // Down twice and back up: the first row again; Enter takes it and does
    // not register.
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
        QTest::keyClick(p.word, key);
        EXPECT_TRUE(p.word->hasFocus());
        EXPECT_TRUE(popup()->isVisible());
    }
    EXPECT_EQ(QApplication::focusWidget(), p.word);
    QTest::keyClick(p.word, Qt::Key_Return);
    EXPECT_EQ(p.mean->text(), QStringLiteral("りんご"));
    EXPECT_FALSE(popup()->isVisible());
    EXPECT_TRUE(wordFile().isEmpty());
    EXPECT_TRUE(p.word->hasFocus());

    // The learner may edit what was filled; Enter now registers.
    p.mean->setText(p.mean->text() + QStringLiteral("（果物）"));
    p.word->setFocus();
    QTest::keyClick(p.word, Qt::Key_Return);
    EXPECT_EQ(wordFile(), sjis("apple,りんご（果物）,,,0,0,0\r\n"));
    EXPECT_TRUE(p.word->text().isEmpty());
    EXPECT_FALSE(popup()->isVisible());

    // Alt and a number takes that row at once.
    ASSERT_TRUE(typeWord(p, QStringLiteral("dog")));
    ASSERT_GE(list()->count(), 2);
    const QString second = list()->item(1)->text();
    QTest::keyClick(p.word, Qt::Key_2, Qt::AltModifier);
    EXPECT_FALSE(p.mean->text().isEmpty());
    EXPECT_TRUE(second.contains(p.mean->text())) << second.toStdString();
    EXPECT_TRUE(p.word->hasFocus());
    EXPECT_EQ(p.word->text(), QStringLiteral("dog"));
}

TEST_F(MeaningSuggestions, ASuggestionEditedToHoldACharacterCp932CannotIsRefusedWithTheUsualMessage)
{
    startWith("");
    const RegistrationControls p = panel();
    ASSERT_TRUE(typeWord(p, QStringLiteral("cat")));
    QTest::keyClick(p.word, Qt::Key_1, Qt::AltModifier);
    ASSERT_EQ(p.mean->text(), QStringLiteral("猫"));
    // 丂 (U+4E02) is outside JIS X 0208; the dictionary never offers it,
    // but a learner can type it after a suggestion.
    p.mean->setText(p.mean->text() + QStringLiteral("丂"));
    QTest::mouseClick(p.registerButton, Qt::LeftButton);
    EXPECT_EQ(
        dialogs.errors(),
        std::vector<QString>{QStringLiteral("文字「丂」(U+4E02) は Shift-JIS で書けないので使えません.")});
    EXPECT_TRUE(wordFile().isEmpty());
    EXPECT_EQ(p.word->text(), QStringLiteral("cat")) << "the form is kept to be mended";
}

TEST_F(MeaningSuggestions, WithoutTheDictionaryThereAreNoSuggestionsAndTypingGoesOn)
{
    assist.edictFile = folder.path(QStringLiteral("no-edict"));
    startWith("");
    const RegistrationControls p = panel();
    p.word->setFocus();
    QTest::keyClicks(p.word, QStringLiteral("apple"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->meaningFinder().state() == dictionary::MeaningFinder::State::Unavailable; },
        60000));
    QTest::qWait(100);
    EXPECT_FALSE(popup()->isVisible());
    EXPECT_FALSE(window->meaningFinder().hint().isEmpty());
    typeInto(p.mean, QStringLiteral("りんご"));
    p.word->setFocus();
    QTest::keyClick(p.word, Qt::Key_Return);
    EXPECT_EQ(wordFile(), sjis("apple,りんご,,,0,0,0\r\n"));
}

} // namespace

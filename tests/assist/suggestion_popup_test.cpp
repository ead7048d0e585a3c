#include "assist/suggestion_popup.h"
#include "dictionary/meaning_finder.h"
#include "store/codec.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using assist::SuggestionPopup;
using dictionary::MeaningFinder;

namespace {

// The word and meaning fields where the registration panel has them, and
// the example field below, in a dialog (so Escape and Enter have somewhere
// to go), over the sample dictionary.
class Popup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(cache_.isValid());
        makeFinder(QStringLiteral(LEXIWREN_DICTIONARY_SAMPLE));
    }
    void makeFinder(const QString& edict)
    {
        dialog_ = std::make_unique<QDialog>();
        dialog_->setFixedSize(498, 356);
        word_ = field("word", 72, 60, 145);
        mean_ = field("mean", 72, 84, 241);
        example_ = field("example", 72, 114, 289);
        finder_ = std::make_unique<MeaningFinder>(edict, cache_.path());
        popup_ = new SuggestionPopup(mean_, finder_.get());
        popup_->follow(word_);
        QObject::connect(word_, &QLineEdit::returnPressed, [this] { ++entered_; });
        dialog_->show();
        dialog_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
        word_->setFocus();
    }
    QLineEdit* field(const char* name, int x, int y, int width)
    {
        auto* edit = new QLineEdit(dialog_.get());
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(x, y, width, 20);
        return edit;
    }
    // Types into the word field and waits for the list the dictionary gives.
    bool typeAndWait(const QString& text)
    {
        QTest::keyClicks(word_, text);
        return QTest::qWaitFor([&] { return popup_->isVisible(); }, 60000);
    }
    QListWidget* list() const
    {
        return popup_->findChild<QListWidget*>(QStringLiteral("meaningSuggestionList"));
    }
    QString meaningAt(int row) const
    {
        return cp932::decode(popup_->suggestions().at(size_t(row)).meaning());
    }

    QTemporaryDir cache_;
    std::unique_ptr<QDialog> dialog_;
    std::unique_ptr<MeaningFinder> finder_;
    QLineEdit* word_ = nullptr;
    QLineEdit* mean_ = nullptr;
    QLineEdit* example_ = nullptr;
    SuggestionPopup* popup_ = nullptr;
    int entered_ = 0;
};

TEST_F(Popup, TypingOffersMeaningsUnderTheMeaningFieldWithoutTakingTheFocus)
{
    EXPECT_EQ(finder_->state(), MeaningFinder::State::Idle); // nothing before the first keystroke
    ASSERT_TRUE(typeAndWait(QStringLiteral("apple")));
    EXPECT_TRUE(word_->hasFocus());
    EXPECT_EQ(word_->text(), QStringLiteral("apple"));
    EXPECT_TRUE(mean_->text().isEmpty()) << "nothing is filled unasked";
    EXPECT_EQ(popup_->highlighted(), -1);
    EXPECT_EQ(list()->item(0)->text(), QStringLiteral("1  りんご【林檎】  apple (fruit)"));
    EXPECT_EQ(meaningAt(0), QStringLiteral("りんご"));

    // Right under 意味, within the window, named for screen readers, never
    // a focus stop.
    EXPECT_EQ(popup_->parentWidget(), dialog_.get());
    EXPECT_EQ(popup_->geometry().topLeft(), mean_->geometry().bottomLeft() + QPoint(0, 1));
    EXPECT_TRUE(dialog_->rect().contains(popup_->geometry()));
    EXPECT_GE(popup_->height(), list()->count() * list()->sizeHintForRow(0));
    EXPECT_EQ(popup_->accessibleName(), QStringLiteral("意味の候補"));
    EXPECT_FALSE(popup_->accessibleDescription().isEmpty());
    EXPECT_EQ(popup_->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(list()->focusPolicy(), Qt::NoFocus);

    // Each keystroke looks again (a moment after the letter is drawn): no
    // gloss goes on like this, then one does.
    QTest::keyClick(word_, Qt::Key_X);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !popup_->isVisible(); }, 5000));
    QTest::keyClick(word_, Qt::Key_Backspace);
    EXPECT_TRUE(QTest::qWaitFor([&] { return popup_->isVisible(); }, 5000));
    QTest::keyClicks(word_, QStringLiteral(" p"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return meaningAt(0) == QStringLiteral("アップルパイ"); }, 5000));
}

TEST_F(Popup, KeysChooseWithoutBreakingTypingOrEnter)
{
    mean_->setText(QStringLiteral("くだもの"));
    ASSERT_TRUE(typeAndWait(QStringLiteral("apple")));
    // Enter with nothing highlighted is the field's own: it registers.
    QTest::keyClick(word_, Qt::Key_Return);
    EXPECT_EQ(entered_, 1);
    EXPECT_EQ(mean_->text(), QStringLiteral("くだもの"));

    // Down and Up move the highlight; Up from the first row removes it.
    QTest::keyClick(word_, Qt::Key_Down);
    QTest::keyClick(word_, Qt::Key_Down);
    EXPECT_EQ(popup_->highlighted(), 1);
    QTest::keyClick(word_, Qt::Key_Up);
    QTest::keyClick(word_, Qt::Key_Up);
    EXPECT_EQ(popup_->highlighted(), -1);
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(word_, Qt::Key_Down);
    EXPECT_EQ(popup_->highlighted(), list()->count() - 1);
    QTest::keyClick(word_, Qt::Key_Return);
    EXPECT_EQ(entered_, 1) << "Enter on a highlighted row chooses it and registers nothing";
    EXPECT_EQ(mean_->text(), meaningAt(list()->count() - 1));
    EXPECT_FALSE(popup_->isVisible());
    EXPECT_TRUE(word_->hasFocus());
    EXPECT_EQ(word_->text(), QStringLiteral("apple"));

    // The meaning field takes it like typing: the learner can undo it.
    mean_->undo();
    EXPECT_EQ(mean_->text(), QStringLiteral("くだもの"));

    // Alt and a row's number choose it at once; a digit alone is typed.
    QTest::keyClick(word_, Qt::Key_Backspace);
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup_->isVisible(); }, 5000));
    const QString second = meaningAt(1);
    QSignalSpy chosen(popup_, &SuggestionPopup::chosen);
    QTest::keyClick(word_, Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(mean_->text(), second);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), second);
    EXPECT_EQ(word_->text(), QStringLiteral("appl"));
    QTest::keyClick(word_, Qt::Key_2);
    EXPECT_EQ(word_->text(), QStringLiteral("appl2"));
    // Alt with a number beyond the list does nothing.
    word_->setText(QString());
    ASSERT_TRUE(typeAndWait(QStringLiteral("pine"))); // one row
    QTest::keyClick(word_, Qt::Key_5, Qt::AltModifier);
    EXPECT_TRUE(popup_->isVisible());
    EXPECT_EQ(word_->text(), QStringLiteral("pine"));
    EXPECT_EQ(mean_->text(), second);

    // Keys pressed before the list caught up with the typing act on the
    // word as typed now: here no gloss, so Enter registers.
    QTest::keyClick(word_, Qt::Key_X);
    QTest::keyClick(word_, Qt::Key_Down);
    QTest::keyClick(word_, Qt::Key_Return);
    EXPECT_EQ(entered_, 2);
    EXPECT_EQ(mean_->text(), second);
    EXPECT_FALSE(popup_->isVisible());
}

TEST_F(Popup, EscapeClosesTheListFirstAndTheDialogSecond)
{
    ASSERT_TRUE(typeAndWait(QStringLiteral("dog")));
    QTest::keyClick(word_, Qt::Key_Escape);
    EXPECT_FALSE(popup_->isVisible());
    EXPECT_TRUE(dialog_->isVisible());
    QTest::keyClick(word_, Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
}

TEST_F(Popup, TheListClosesWhenTheWordIsClearedLeftOrHidden)
{
    ASSERT_TRUE(typeAndWait(QStringLiteral("cat")));
    word_->clear(); // the form cleared after registering
    EXPECT_FALSE(popup_->isVisible());

    ASSERT_TRUE(typeAndWait(QStringLiteral("cat")));
    example_->setFocus();
    EXPECT_FALSE(popup_->isVisible());
    // Typing into a field it does not follow offers nothing.
    QTest::keyClicks(example_, QStringLiteral("dog"));
    EXPECT_FALSE(popup_->isVisible());

    word_->setFocus();
    word_->clear();
    ASSERT_TRUE(typeAndWait(QStringLiteral("s")));
    word_->hide();
    EXPECT_FALSE(popup_->isVisible());
}

TEST_F(Popup, AClickChoosesWithoutMovingTheFocus)
{
    ASSERT_TRUE(typeAndWait(QStringLiteral("eat")));
    const QString second = meaningAt(1);
    const QRect row = list()->visualItemRect(list()->item(1));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(mean_->text(), second);
    EXPECT_TRUE(word_->hasFocus());
    EXPECT_FALSE(popup_->isVisible());
}

TEST_F(Popup, AWordGivenIsOfferedAndSuggestionsCanBeSwitchedOff)
{
    // The change dialog's way: the word is known, not typed.
    popup_->offerFor(QStringLiteral("dog"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup_->isVisible(); }, 60000));
    EXPECT_EQ(meaningAt(0), QStringLiteral("犬"));
    example_->setFocus();
    EXPECT_TRUE(popup_->isVisible()) << "a word given stays offered while the focus moves";
    word_->setFocus();
    QTest::keyClick(word_, Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(mean_->text(), QStringLiteral("犬"));

    popup_->setActive(false);
    QTest::keyClicks(word_, QStringLiteral("apple"));
    QTest::qWait(100);
    EXPECT_FALSE(popup_->isVisible());
    popup_->setActive(true);
    QTest::keyClick(word_, Qt::Key_Backspace);
    EXPECT_TRUE(QTest::qWaitFor([&] { return popup_->isVisible(); }, 5000));
}

TEST_F(Popup, WithoutADictionaryTypingIsAsBefore)
{
    makeFinder(cache_.filePath(QStringLiteral("no-edict")));
    QTest::keyClicks(word_, QStringLiteral("apple"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return finder_->state() == MeaningFinder::State::Unavailable; }, 60000));
    QTest::keyClick(word_, Qt::Key_Down);
    QTest::keyClick(word_, Qt::Key_Return);
    EXPECT_FALSE(popup_->isVisible());
    EXPECT_EQ(entered_, 1);
    EXPECT_EQ(word_->text(), QStringLiteral("apple"));
    EXPECT_FALSE(finder_->hint().isEmpty());
}

} // namespace

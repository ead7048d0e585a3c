// The window's speaker and dictionary: untouched by the start (nor are the
// history's and the imports' libraries loaded), the speak controls of every
// tab with their one shortcut, the voice on the options tab and the
// dictation questions.

#include "dictionary/meaning_finder.h"
#include "private_speechd.h"
#include "speech/speaker.h"
#include "support/fixtures.h"

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

using speech::Speaker;

// Ten words, so a test of ten can run.
QByteArray tenWords()
{
    QByteArray bytes = "apple," + sjis("りんご") + ",An apple a day.," + sjis("一日一個") + ",0,0,0\r\n";
    for (int k = 1; k < 10; ++k)
        bytes += "word" + QByteArray::number(k) + ',' + sjis("意味") + ",,,0,0,0\r\n";
    return bytes;
}

QString shownToolTip(const QWidget* widget)
{
    QTextDocument shown;
    shown.setHtml(widget->toolTip());
    return shown.toPlainText();
}

// Whether a shared library whose file name starts with `name` is mapped into
// this process.
bool loaded(const char* name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    const QByteArray file = '/' + QByteArray(name);
    for (const QByteArray& line : maps.readAll().split('\n'))
        if (line.contains(file + ".so"))
            return true;
    return false;
}

class SpeechWiring : public AppFixture {
protected:
    Speaker& speaker() { return window->speaker(); }
    template <typename W> W* at(const char* name) { return find<W>(name); }

    // The places a word can be heard, each brought to the point where
    // there is one; the widget the focus is then in.
    QWidget* registration()
    {
        clickTab(MainWindow::kRegistration);
        auto* word = at<QLineEdit>("word");
        word->setFocus();
        QTest::keyClicks(word, QStringLiteral("apple"));
        return word;
    }
    QWidget* quizJudged()
    {
        clickTab(MainWindow::kQuiz);
        auto* answer = at<QLineEdit>("Edit3");
        QTest::keyClicks(answer, QStringLiteral("nope"));
        QTest::keyClick(answer, Qt::Key_Return);
        EXPECT_EQ(dialogs.messages().back(), QStringLiteral("残念！"));
        return answer;
    }
    QWidget* results()
    {
        clickTab(MainWindow::kTest);
        QTest::mouseClick(at<QPushButton>("Test_Normal"), Qt::LeftButton);
        auto* answer = at<QLineEdit>("Edit2");
        for (int i = 0; i < 10; ++i) {
            QTest::keyClicks(answer, QStringLiteral("x"));
            QTest::keyClick(answer, Qt::Key_Return);
        }
        auto* grid = at<QTableWidget>("StringGrid2");
        EXPECT_TRUE(visible(grid));
        grid->setFocus();
        grid->setCurrentCell(2, 1);
        return grid;
    }
    QWidget* list()
    {
        clickTab(MainWindow::kList);
        auto* grid = at<QTableView>("StringGrid1");
        grid->setFocus();
        return grid;
    }
    struct Place {
        const char* button;
        std::function<QWidget*()> reach;
    };
    std::vector<Place> places()
    {
        return {{"SpeakWord1", [this] { return registration(); }},
                {"SpeakWord2", [this] { return quizJudged(); }},
                {"SpeakWord6", [this] { return results(); }},
                {"SpeakWordList", [this] { return list(); }}};
    }
    void restart()
    {
        window.reset();
        dialogs.clear();
        start();
    }
};

TEST_F(SpeechWiring, TheStartAndEveryTabLeaveTheEngineAndTheDictionaryUntouched)
{
    startWith(tenWords());
    QTest::qWait(50); // the first paint is over
    EXPECT_EQ(speaker().state(), Speaker::State::NotStarted);
    EXPECT_EQ(window->meaningFinder().state(), dictionary::MeaningFinder::State::Idle);
    // The meaning list is made when there is first something to show.
    EXPECT_EQ(window->findChild<QListWidget*>(), nullptr);
    for (int tab : {MainWindow::kQuiz, MainWindow::kTest, MainWindow::kList, MainWindow::kOptions,
                    MainWindow::kAbout, MainWindow::kRegistration})
        clickTab(tab);
    EXPECT_EQ(speaker().state(), Speaker::State::NotStarted);
    EXPECT_EQ(window->meaningFinder().state(), dictionary::MeaningFinder::State::Idle);
    // SQLite comes with the history (the first answer or look at the
    // progress), libcsv with the first import: neither is linked.
    ASSERT_TRUE(loaded("libQt6Widgets"));
    EXPECT_FALSE(loaded("libsqlite3"));
    EXPECT_FALSE(loaded("libcsv"));
    // Qt TextToSpeech comes with the speech module, at the first word heard.
    EXPECT_FALSE(loaded("libQt6TextToSpeech"));
    EXPECT_FALSE(loaded("liblexiwren_speech_engine"));
}

TEST_F(SpeechWiring, F5AsksTheSpeakerInEveryPlaceAndAFailedEngineDisablesEveryControlWithItsReason)
{
    startWith(tenWords());
    for (const Place& place : places()) {
        restart();
        QWidget* focus = place.reach();
        auto* button = at<QPushButton>(place.button);
        ASSERT_TRUE(button->isEnabled()) << place.button;
        EXPECT_EQ(shownToolTip(button), QStringLiteral("発音を聞く（F5）"));
        EXPECT_EQ(speaker().state(), Speaker::State::NotStarted) << place.button;
        QTest::keyClick(focus, Qt::Key_F5);
        EXPECT_NE(speaker().state(), Speaker::State::NotStarted) << place.button;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !speaker().available(); }, 60000));
        EXPECT_FALSE(button->isEnabled());
        EXPECT_EQ(shownToolTip(button), speaker().reason());
        EXPECT_EQ(button->accessibleDescription(), speaker().reason());
    }
    // Once unavailable, every control says so, wherever it is.
    window->quiz();
    window->exam();
    for (const char* name : {"SpeakWord1", "SpeakExample1", "SpeakWord2", "SpeakExample2", "SpeakWord6"}) {
        auto* button = at<QPushButton>(name);
        EXPECT_FALSE(button->isEnabled()) << name;
        EXPECT_EQ(button->accessibleDescription(), speaker().reason()) << name;
    }
}

TEST_F(SpeechWiring, NothingIsOfferedToHearThatWouldGiveTheAnswerAway)
{
    startWith(tenWords());
    clickTab(MainWindow::kQuiz);
    auto* speakWord = at<QPushButton>("SpeakWord2");
    EXPECT_FALSE(speakWord->isEnabled());
    EXPECT_TRUE(speakWord->accessibleDescription().isEmpty()) << "nothing to hear yet, no fault";
    QTest::keyClick(at<QLineEdit>("Edit3"), Qt::Key_F5);
    EXPECT_EQ(speaker().state(), Speaker::State::NotStarted);
    // The registration form with nothing typed has nothing to speak.
    clickTab(MainWindow::kRegistration);
    EXPECT_FALSE(at<QPushButton>("SpeakWord1")->isEnabled());
    QTest::keyClick(at<QLineEdit>("word"), Qt::Key_F5);
    EXPECT_EQ(speaker().state(), Speaker::State::NotStarted);
}

TEST_F(SpeechWiring, TheOptionsTabKeepsItsSpecifiedControlsAndHoldsTheNewOnesInFreeSpace)
{
    startWith(tenWords());
    clickTab(MainWindow::kOptions);
    const std::pair<const char*, QRect> specified[] = {
        {"GroupBox5", {16, 80, 153, 73}},    {"GroupBox2", {16, 160, 153, 57}},
        {"GroupBox3", {16, 224, 153, 73}},   {"GroupBox4", {176, 8, 233, 289}},
        {"RadioButton12", {8, 16, 113, 17}}, {"RadioButton13", {8, 32, 113, 17}},
        {"RadioButton11", {8, 48, 137, 17}}, {"Opt_Q_30", {8, 48, 113, 17}},
    };
    for (const auto& [name, place] : specified)
        EXPECT_EQ(at<QWidget>(name)->geometry(), place) << name;
    auto* kind = at<QGroupBox>("Q_kind");
    EXPECT_EQ(kind->geometry(), QRect(16, 8, 153, 72));
    EXPECT_LT(kind->geometry().bottom(), 80);
    auto* dictation = at<QRadioButton>("RadioButton14");
    EXPECT_EQ(dictation->geometry(), QRect(8, 48, 113, 17));
    EXPECT_EQ(dictation->text(), QStringLiteral("聞き取り問題"));
    EXPECT_LE(dictation->sizeHint().width(), dictation->width());

    auto* voice = at<QGroupBox>("Voice");
    EXPECT_GE(voice->x(), 409);
    EXPECT_LE(voice->geometry().right(), 480);
    EXPECT_LT(voice->geometry().bottom(), 76);
    for (const char* name : {"Voice_US", "Voice_GB"}) {
        auto* radio = at<QRadioButton>(name);
        EXPECT_LE(radio->sizeHint().width(), radio->width()) << name;
        EXPECT_FALSE(radio->accessibleName().isEmpty());
    }

    // 聞き取り問題 is one of the kinds: choosing it unchecks the others.
    QTest::mouseClick(dictation, Qt::LeftButton);
    EXPECT_EQ(trainer.options().kind, QuestionKind::Dictation);
    EXPECT_FALSE(at<QRadioButton>("RadioButton12")->isChecked());
    QTest::mouseClick(at<QRadioButton>("RadioButton13"), Qt::LeftButton);
    EXPECT_EQ(trainer.options().kind, QuestionKind::Example);
}

TEST_F(SpeechWiring, TheVoiceIsKeptInAFileOfItsOwnAndAppliedToTheSpeaker)
{
    startWith(tenWords());
    const QByteArray prefs = folder.read(QStringLiteral("config/plimopref.ini"));
    clickTab(MainWindow::kOptions);
    EXPECT_TRUE(at<QRadioButton>("Voice_US")->isChecked());
    QTest::mouseClick(at<QRadioButton>("Voice_GB"), Qt::LeftButton);
    EXPECT_EQ(speaker().locale(), QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(folder.read(QStringLiteral("config/voice.ini")), "[speech]\nvoice=en_GB\n");
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")), prefs)
        << "the preferences stay as they are";

    restart();
    EXPECT_EQ(speaker().locale(), QLocale(QLocale::English, QLocale::UnitedKingdom));
    clickTab(MainWindow::kOptions);
    EXPECT_TRUE(at<QRadioButton>("Voice_GB")->isChecked());

    // A damaged file reads as the default voice.
    folder.write(QStringLiteral("config/voice.ini"), QByteArray(10000, '\xff') + "\nvoice=de_DE\n");
    restart();
    EXPECT_EQ(speaker().locale(), QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST_F(SpeechWiring, ADictationQuestionIsSpokenAndWithoutSoundAskedByItsMeaningAfterOneNotice)
{
    startWith(tenWords());
    clickTab(MainWindow::kOptions);
    QTest::mouseClick(at<QRadioButton>("RadioButton3"), Qt::LeftButton); // in turn
    QTest::mouseClick(at<QRadioButton>("RadioButton14"), Qt::LeftButton);
    clickTab(MainWindow::kQuiz);
    auto* prompt = at<QLabel>("Label5");
    EXPECT_EQ(at<QLabel>("Label4")->text(), QStringLiteral("Q.  聞こえた単語のスペルを答えよ。"));
    EXPECT_FALSE(prompt->text().contains(QStringLiteral("apple")));
    // Shown, so spoken: the engine is started for it.
    EXPECT_NE(speaker().state(), Speaker::State::NotStarted);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !speaker().available(); }, 60000));
    EXPECT_EQ(prompt->text(), QStringLiteral("りんご"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("聞き取り問題")));
    EXPECT_TRUE(dialogs.messages()[0].contains(speaker().reason()));

    auto* answer = at<QLineEdit>("Edit3");
    QTest::keyClicks(answer, QStringLiteral("apple"));
    QTest::keyClick(answer, Qt::Key_Return);
    QTest::keyClicks(answer, QStringLiteral("wordl"));
    QTest::keyClick(answer, Qt::Key_Return);
    EXPECT_EQ(
        dialogs.messages(),
        (std::vector<QString>{dialogs.messages()[0], QStringLiteral("正解っす"), QStringLiteral("残念！")}))
        << "told once";
    EXPECT_EQ(prompt->text(), QStringLiteral("意味"));
    EXPECT_TRUE(wordFile().startsWith("apple," + sjis("りんご") + ",An apple a day.," + sjis("一日一個")
                                      + ",0,1,1\r\nword1," + sjis("意味") + ",,,0,1,0\r\n"));
}

// Through a speech-dispatcher of the test's own with espeak-ng, where one
// can run: F5 speaks in every place, the engine going Speaking → Ready.
TEST_F(SpeechWiring, F5SpeaksThroughTheRealEngineInEveryPlace)
{
    if (const QString missing = PrivateSpeechd::missing(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString() << "; the unavailable engine is tested above";
    PrivateSpeechd server;
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    useSpeechAddress(server.address());
    assist.speech.engine = QStringLiteral("speechd");
    assist.speech.startLimitMs = 90000;
    assist.speech.answerLimitMs = 60000;
    assist.speech.playLimitMs = 60000;
    startWith(tenWords());
    speaker().prepare();
    ASSERT_TRUE(QTest::qWaitFor([&] { return speaker().state() != Speaker::State::Starting; }, 120000));
    ASSERT_EQ(speaker().state(), Speaker::State::Ready) << speaker().reason().toStdString();

    for (const Place& place : places()) {
        QWidget* focus = place.reach();
        QList<Speaker::State> states;
        const auto c =
            QObject::connect(&speaker(), &Speaker::stateChanged, [&](Speaker::State s) { states << s; });
        QTest::keyClick(focus, Qt::Key_F5);
        EXPECT_TRUE(QTest::qWaitFor([&] { return states.contains(Speaker::State::Speaking); }, 60000))
            << place.button;
        EXPECT_TRUE(QTest::qWaitFor([&] { return speaker().state() == Speaker::State::Ready; }, 60000))
            << place.button;
        QObject::disconnect(c);
        EXPECT_TRUE(speaker().available()) << speaker().reason().toStdString();
    }
}

} // namespace

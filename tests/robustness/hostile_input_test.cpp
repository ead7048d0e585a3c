// Hostile text in every edit: very long texts, half-width commas,
// characters with no Shift-JIS code, control characters, line breaks and
// zero characters, typed in one go or pasted. Each must end in one of the
// program's own messages with nothing changed, or in a sound result; the
// word file must never hold what its format cannot.

#include "robustness_fixture.h"

#include "registration/change_dialog.h"
#include "registration/registration_panel.h"
#include "registration/word_list.h"
#include "store/codec.h"

#include <QStringDecoder>
#include <QTableView>
#include <QTableWidget>
#include <vector>

namespace {

using robustness::field;
using robustness::fileLines;
using robustness::holdsOnlyWhatTheFormatCan;

struct Hostile {
    const char* name;
    QString text;
};

std::vector<Hostile> hostileTexts()
{
    return {
        {"10000 letters", QString(10000, QLatin1Char('a'))},
        {"10000 kana", QString(10000, QChar(0x3042))},
        {"10000 letters then a comma", QString(9999, QLatin1Char('a')) + QLatin1Char(',')},
        {"half-width comma", QStringLiteral("a,b")},
        {"comma alone", QStringLiteral(",")},
        {"full-width commas", QStringLiteral("a，b、c")},
        {"e acute", QStringLiteral("café")},
        {"emoji", QStringLiteral("ok😀")},
        {"Korean", QStringLiteral("한국어")},
        {"yen sign", QStringLiteral("¥100")},
        {"no-break space", QStringLiteral("a\u00A0b")},
        {"tab", QStringLiteral("a\tb")},
        {"LF", QStringLiteral("a\nb")},
        {"CR LF", QStringLiteral("a\r\nb")},
        {"CR", QStringLiteral("a\rb")},
        {"controls", QStringLiteral("\x01\x1b\x7f")},
        {"NUL", QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
        {"line separator", QStringLiteral("a\u2028b")},
        {"next line", QStringLiteral("a\u0085b")},
        {"lone surrogate", QString(QChar(0xD800)) + QStringLiteral("x")},
        {"replacement character", QStringLiteral("a\uFFFDb")},
    };
}

// The text the bytes hold, or a marker when they are not CP932.
QString decoded(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-31j");
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QStringLiteral("<not CP932>") : text;
}

class HostileInput : public RobustnessFixture {
protected:
    void SetUp() override
    {
        QByteArray bytes;
        for (int k = 1; k <= 12; ++k)
            bytes += "word" + QByteArray::number(k) + "," + sjis("意味") + QByteArray::number(k) + ",ex"
                + QByteArray::number(k) + "," + sjis("例文") + QByteArray::number(k) + ",0,0,0\r\n";
        startWith(bytes);
        lines = 12;
    }

    // After every step: the program's own messages only, and a word file of
    // exactly the expected lines, each a record the format can hold.
    void checkFile(const std::string& step)
    {
        EXPECT_EQ(robustness::unknownMessages(dialogs), "") << step;
        EXPECT_EQ(holdsOnlyWhatTheFormatCan(wordFile(), lines), "") << step;
    }

    // Every hostile text, typed in one go and pasted.
    template <typename Step> void forEachInput(Step step)
    {
        for (const Hostile& hostile : hostileTexts())
            for (const bool paste : {false, true}) {
                dialogs.clear();
                step(hostile.text, paste, std::string(hostile.name) + (paste ? " pasted" : " typed"));
            }
    }

    int lines = 0;
};

TEST_F(HostileInput, RegistrationStoresExactlyWhatIsShownOrRefusesWithAMessage)
{
    const RegistrationControls panel(*window);
    QLineEdit* const edits[] = {panel.word, panel.mean, panel.example, panel.examplemean};
    int serial = 0;
    for (int target = 0; target < 4; ++target) {
        forEachInput([&](const QString& text, bool paste, const std::string& name) {
            const std::string step = name + " in field " + std::to_string(target + 1);
            const QString tag = QStringLiteral("w%1").arg(++serial);
            const QString plain[] = {tag, QStringLiteral("意味"), QStringLiteral("ex"), QStringLiteral("例")};
            for (int f = 0; f < 4; ++f)
                edits[f]->setText(plain[f]);
            enter(edits[target], (target == 0 ? tag : QString()) + text, paste);
            QString shown[4];
            for (int f = 0; f < 4; ++f)
                shown[f] = edits[f]->text();
            const QByteArray before = wordFile();

            QTest::keyClick(edits[target], Qt::Key_Return);

            if (dialogs.shown.empty()) {
                ++lines;
                const QByteArray added = fileLines(wordFile()).value(lines - 1);
                EXPECT_EQ(added.count(','), 6) << step;
                for (int f = 0; f < 4; ++f)
                    EXPECT_EQ(decoded(field(added, f + 1)), shown[f]) << step;
                EXPECT_TRUE(added.endsWith(",0,0,0")) << step;
            } else {
                // Refused: one box, the file as it was, the fields as typed
                // so the learner can mend them.
                EXPECT_EQ(dialogs.shown.size(), 1u) << step;
                EXPECT_EQ(wordFile(), before) << step;
                EXPECT_EQ(edits[target]->text(), shown[target]) << step;
            }
            checkFile(step);
        });
    }
    // The long records registered show in the list and the quiz like any.
    clickTab(MainWindow::kList);
    EXPECT_EQ(window->findChild<QTableView*>(QStringLiteral("StringGrid1"))->model()->rowCount(), lines);
    clickTab(MainWindow::kQuiz);
    EXPECT_TRUE(visible(quiz().Edit3));
    EXPECT_EQ(robustness::unknownMessages(dialogs), "");
}

TEST_F(HostileInput, QuizAnswerCountsAsWrongAndStoresNothingOfIt)
{
    clickTab(MainWindow::kQuiz);
    forEachInput([&](const QString& text, bool paste, const std::string& step) {
        if (!quiz().Button4->isEnabled())
            press(quiz().nextquestion);
        const int index = trainer.quiz().question();
        const QByteArray before = fileLines(wordFile()).value(index);
        enter(quiz().Edit3, text, paste);
        const bool typed = !quiz().Edit3->text().isEmpty();

        QTest::keyClick(quiz().Edit3, Qt::Key_Return);

        const QByteArray after = fileLines(wordFile()).value(index);
        if (typed) {
            ASSERT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("残念！")}) << step;
            EXPECT_EQ(field(after, 6).toInt(), field(before, 6).toInt() + 1) << step;
            for (const int k : {1, 2, 3, 4, 5, 7})
                EXPECT_EQ(field(after, k), field(before, k)) << step;
        } else {
            EXPECT_TRUE(dialogs.shown.empty()) << step;
            EXPECT_EQ(after, before) << step;
        }
        checkFile(step);
    });
}

TEST_F(HostileInput, TestAnswerIsCountedOrRefusedWithAMessage)
{
    clickTab(MainWindow::kTest);
    forEachInput([&](const QString& text, bool paste, const std::string& step) {
        if (!trainer.exam().running()) {
            clickTab(MainWindow::kTest);
            press(exam().Test_All);
        }
        ASSERT_TRUE(visible(exam().Panel5)) << step;
        const int question = trainer.exam().questionNo();
        const int rec = QString::fromLatin1(trainer.order().ReadLine(question - 1)).toInt() - 1;
        const QByteArray before = wordFile();
        enter(exam().Edit2, text, paste);
        const bool typed = !exam().Edit2->text().isEmpty();

        QTest::keyClick(exam().Edit2, Qt::Key_Return);

        if (!typed || !dialogs.errors().empty()) {
            // An answer the word file's encoding cannot hold is refused by
            // name; the question stays.
            EXPECT_EQ(trainer.exam().questionNo(), question) << step;
            EXPECT_EQ(wordFile(), before) << step;
        } else {
            EXPECT_EQ(trainer.exam().questionNo(), question + 1) << step;
            EXPECT_EQ(field(fileLines(wordFile()).value(rec), 6).toInt(),
                      field(fileLines(before).value(rec), 6).toInt() + 1)
                << step;
        }
        // Nothing typed is kept for the next question or the next test.
        if (typed && trainer.exam().questionNo() != question) {
            EXPECT_TRUE(exam().Edit2->text().isEmpty()) << step;
        }
        checkFile(step);
    });
}

TEST_F(HostileInput, ChangeDialogStoresExactlyWhatIsShownOrRefusesWithAMessage)
{
    clickTab(MainWindow::kList);
    auto* grid = window->findChild<QTableView*>(QStringLiteral("StringGrid1"));
    int serial = 0;
    for (const int column : {1, 2, 5, 6}) {
        forEachInput([&](const QString& text, bool paste, const std::string& name) {
            const std::string step = name + " in column " + std::to_string(column);
            const int row = serial++ % lines;
            grid->setCurrentIndex(grid->model()->index(row, column));
            const QByteArray before = wordFile();
            QString shown;
            dialogs.modalAnswers = {[&](QDialog& dialog) {
                auto* edit = ChangeDialogControls(static_cast<TOKBottomDlg&>(dialog)).new_Edit;
                enter(edit, text, paste);
                shown = edit->text();
                return true;
            }};

            press(ListControls(*window).Button8);

            const QByteArray old = fileLines(before).value(row);
            const QByteArray now = fileLines(wordFile()).value(row);
            const int changed = column == 1 ? 1 : column == 2 ? 2 : column == 5 ? 3 : 4;
            if (dialogs.texts(ScriptedDialogs::Kind::Message).empty() && dialogs.errors().empty()
                && !shown.isEmpty()) {
                // Seven fields and the comma the change command adds.
                EXPECT_EQ(now.count(','), 7) << step;
                EXPECT_TRUE(now.endsWith(',')) << step;
                EXPECT_EQ(decoded(field(now, changed)), shown) << step;
                for (int k = 1; k <= 7; ++k)
                    EXPECT_TRUE(k == changed || field(now, k) == field(old, k)) << step << " field " << k;
                EXPECT_EQ(grid->model()->index(row, column).data().toString(), shown) << step;
            } else {
                EXPECT_EQ(wordFile(), before) << step;
                EXPECT_EQ(grid->model()->index(row, column).data().toString(),
                          cp932::decode(field(old, changed)))
                    << step;
            }
            checkFile(step);
        });
    }
}

} // namespace

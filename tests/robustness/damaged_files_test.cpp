// Damaged and foreign word files, opened at start and through 読み込む, then
// taken through every tab: the list, the quiz under every filter, kind and
// order, and all three kinds of test with answers and countdown ticks.
// Nothing may crash, every box must be one of the program's own messages,
// and no line of the word file may change but the counters of records that
// were answered.

#include "robustness_fixture.h"

#include "registration/word_list.h"
#include "store/codec.h"
#include "store/record.h"
#include "store/word_file.h"

#include <QLabel>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTableView>
#include <QTableWidget>
#include <ostream>
#include <random>
#include <tuple>

namespace {

using robustness::field;
using robustness::fileLines;

QByteArray record(int k, const QByteArray& asked = "0", const QByteArray& correct = "0",
                  const QByteArray& parts = "0")
{
    return "word" + QByteArray::number(k) + "," + sjis("意味") + QByteArray::number(k) + ",ex"
        + QByteArray::number(k) + "," + sjis("例文") + QByteArray::number(k) + "," + parts + "," + asked + ","
        + correct;
}

QByteArray nonNumericCounters()
{
    QByteArray out;
    const QByteArray asked[] = {"0",         "abc",        "1",        "",  " 3 ", "99999999999",
                                "$7FFFFFFF", "2147483647", sjis("１"), "-", "1.5", "0"};
    const QByteArray correct[] = {"0", "0", "x", "0", "1", "0", "-5", "2147483647", "0", "0", "0", "$"};
    for (int k = 1; k <= 12; ++k)
        out += record(k, asked[k - 1], correct[k - 1], k == 6 ? "noun" : "0") + "\r\n";
    out.chop(2); // and no line break after the last record
    return out;
}

QByteArray missingFields()
{
    return "word1\r\n"
           "word2,"
        + sjis("意味2")
        + "\r\n"
          "word3,"
        + sjis("意味3")
        + ",ex3\r\n"
          "word4,"
        + sjis("意味4") + ",ex4," + sjis("例文4")
        + "\r\n"
          "word5,"
        + sjis("意味5") + ",ex5," + sjis("例文5")
        + ",0\r\n"
          "word6,"
        + sjis("意味6") + ",ex6," + sjis("例文6")
        + ",0,1\r\n"
          ","
        + sjis("意味7")
        + ",,,0,0,0\r\n"
          "word8,,,,0,0,0\r\n"
          ",,,,,,\r\n"
          "word10,"
        + sjis("意味10")
        + ",ex,ex,0,0,0,extra,fields\r\n"
          "word11,"
        + sjis("意味11") + ",,,0,2,1,\r\n" + record(12) + "\r\n" + record(13)
        + "\r\n"
          "\r\n"
          "hidden,"
        + sjis("隠れ") + ",,,0,0,0\r\n";
}

QByteArray twoThousandRecords()
{
    QByteArray out;
    for (int k = 1; k <= 2000; ++k) {
        const int asked = k % 4;
        out += record(k, QByteArray::number(asked), QByteArray::number(std::min(k % 3, asked)),
                      QByteArray::number(k % 5))
            + "\r\n";
    }
    return out;
}

QByteArray hundredKilobyteLines()
{
    const QByteArray big(100 * 1024, 'w');
    const QByteArray bigJapanese = sjis("あ").repeated(50 * 1024);
    QByteArray out;
    out += big + "," + sjis("長い単語") + ",,,0,0,0\r\n";
    out += "longmean," + bigJapanese + ",,,0,0,0\r\n";
    out += "longexample," + sjis("意味") + "," + big + "," + bigJapanese + ",0,1,1\r\n";
    out += big + "\r\n"; // a line of one field
    out += "longcount," + sjis("意味") + ",,,0," + QByteArray(100 * 1024, '1') + ",0\r\n";
    for (int k = 6; k <= 12; ++k)
        out += record(k) + "\r\n";
    return out;
}

QString foreignText()
{
    QString text;
    for (int k = 1; k <= 12; ++k)
        text += QStringLiteral("word%1,意味%1,café %1,例文の意味%1,0,0,0\r\n").arg(k);
    return text;
}

QByteArray utf8(bool bom)
{
    return (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + foreignText().toUtf8();
}

QByteArray utf16(QStringConverter::Encoding encoding, bool bom)
{
    QStringEncoder encoder(encoding,
                           bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(foreignText());
}

// Seeded, so a failure can be replayed.
QByteArray randomBytes(unsigned seed, int size, int lowest)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> byte(lowest, 255);
    QByteArray out(size, '\0');
    for (char& c : out)
        c = static_cast<char>(byte(rng));
    return out;
}

// Lines that look like records: random fields of digits, signs, letters,
// blanks and Shift-JIS text, with commas dropped or doubled at random.
QByteArray randomRecords(unsigned seed)
{
    std::mt19937 rng(seed);
    const QByteArray pieces[] = {"0", "1", "7",           "-",        "+",        "$",    "x",    "0x1F", " ",
                                 "a", "Z", "12345678901", sjis("あ"), sjis("漢"), "\xB1", "\x82", ",",    ""};
    std::uniform_int_distribution<int> piece(0, int(std::size(pieces)) - 1);
    std::uniform_int_distribution<int> length(0, 4);
    std::uniform_int_distribution<int> fields(1, 9);
    std::uniform_int_distribution<int> breakKind(0, 3);
    QByteArray out;
    for (int line = 0; line < 60; ++line) {
        const int count = fields(rng);
        for (int f = 0; f < count; ++f) {
            if (f > 0)
                out += ',';
            const int n = f == 0 ? 1 + length(rng) : length(rng);
            for (int i = 0; i < n; ++i)
                out += pieces[piece(rng)];
        }
        const char* breaks[] = {"\r\n", "\n", "\r", "\r\n"};
        out += breaks[breakKind(rng)];
    }
    return out;
}

struct DamagedCase {
    const char* name;
    QByteArray (*bytes)();
    // Refused as a whole by the loader (a zero byte): nothing is loaded.
    bool refused;
};

const DamagedCase kCases[] = {
    {"NonNumericCounters", nonNumericCounters, false},
    {"MissingFields", missingFields, false},
    {"TwoThousandRecords", twoThousandRecords, false},
    {"HundredKilobyteLines", hundredKilobyteLines, false},
    {"Utf8WithBom", [] { return utf8(true); }, false},
    {"Utf8", [] { return utf8(false); }, false},
    {"Utf16LeWithBom", [] { return utf16(QStringConverter::Utf16LE, true); }, true},
    {"Utf16LeWithoutBom", [] { return utf16(QStringConverter::Utf16LE, false); }, true},
    {"Utf16BeWithBom", [] { return utf16(QStringConverter::Utf16BE, true); }, true},
    {"Utf16BeWithoutBom", [] { return utf16(QStringConverter::Utf16BE, false); }, true},
    {"RandomBinary", [] { return randomBytes(20240607u, 64 * 1024, 0); }, true},
    {"RandomBinaryWithoutZero1", [] { return randomBytes(1u, 16 * 1024, 1); }, false},
    {"RandomBinaryWithoutZero2", [] { return randomBytes(2u, 16 * 1024, 1); }, false},
    {"RandomRecords1", [] { return randomRecords(11u); }, false},
    {"RandomRecords2", [] { return randomRecords(12u); }, false},
    {"RandomRecords3", [] { return randomRecords(13u); }, false},
    {"Empty", [] { return QByteArray(); }, false},
    {"LeadingEmptyLine", [] { return "\r\n" + twoThousandRecords().left(4000); }, false},
    {"OnlyLineBreaks", [] { return QByteArray("\r\n").repeated(30) + "\n\r\n\r\r\n\n"; }, false},
};

enum class Opening { AtStart, ThroughLoad };

// Test names and failure reports name the case, not its bytes.
void PrintTo(const DamagedCase& damaged, std::ostream* out)
{
    *out << damaged.name;
}
void PrintTo(Opening opening, std::ostream* out)
{
    *out << (opening == Opening::AtStart ? "at start" : "through 読み込む");
}

class DamagedFile : public RobustnessFixture,
                    public ::testing::WithParamInterface<std::tuple<DamagedCase, Opening>> {
protected:
    // The record the store holds at `index`, for typing its right answer.
    QString rightAnswer(int index, int k) const
    {
        const QString text = cp932::decode(field(trainer.book().store.ReadLine(index), k));
        return text.isEmpty() ? QStringLiteral("x") : text;
    }

    void walkEveryTab()
    {
        go(MainWindow::kRegistration);
        go(MainWindow::kList);
        if (auto* grid = window->findChild<QTableView*>(QStringLiteral("StringGrid1"));
            grid && grid->isVisible() && grid->model()->rowCount() > 0) {
            // Column 0 cannot be changed: a message, nothing else.
            grid->setCurrentIndex(grid->model()->index(0, 0));
            press(ListControls(*window).Button8);
        }
        for (const char* filter : {"RadioButton9", "RadioButton10", "RadioButton11"})
            for (const char* kind : {"RadioButton12", "RadioButton13"})
                for (const char* order : {"RadioButton4", "RadioButton3"}) {
                    go(MainWindow::kOptions);
                    choose(filter);
                    choose(kind);
                    choose(order);
                    go(MainWindow::kQuiz);
                    playQuiz();
                }
        for (const char* length : {"Opt_Q_10", "Opt_Q_30"}) {
            go(MainWindow::kOptions);
            choose(length);
            for (const char* start : {"Test_Normal", "Test_Time", "Test_All"}) {
                go(MainWindow::kTest);
                press(find<QPushButton>(start));
                playTest();
            }
        }
        go(MainWindow::kAbout);
        go(MainWindow::kOptions);
    }

    void playQuiz()
    {
        if (!visible(quiz().Panel2))
            return;
        const bool spelling = find<QRadioButton>("RadioButton12")->isChecked();
        for (int i = 0; i < 4; ++i) {
            if (quiz().Button4->isEnabled()) {
                const int index = trainer.quiz().question();
                const bool ok = index >= 0;
                enter(quiz().Edit3,
                      i % 2 == 0 && ok ? rightAnswer(index, spelling ? kWord : kExample)
                                       : QStringLiteral("wrong"),
                      false);
                if (ok)
                    answered.insert(index);
                QTest::keyClick(quiz().Edit3, Qt::Key_Return);
            }
            press(quiz().Button5);
            press(quiz().nextquestion);
        }
    }

    void playTest()
    {
        for (int a = 0; a < 14 && trainer.exam().running() && visible(exam().Panel5); ++a) {
            bool ok = false;
            const int rec =
                QString::fromLatin1(trainer.order().ReadLine(trainer.exam().questionNo() - 1)).toInt(&ok) - 1;
            if (a == 5)
                exam().Edit2->clear(); // Enter on an empty answer
            else
                enter(exam().Edit2, a % 3 == 2 || !ok ? QStringLiteral("wrong") : rightAnswer(rec, kWord),
                      false);
            if (ok && a != 5)
                answered.insert(rec);
            QTest::keyClick(exam().Edit2, Qt::Key_Return);
            if (a % 4 == 1)
                tick();
        }
        // Out of time for the two timed kinds; the complete run never ends
        // by the clock and is left by changing tabs (confirmed with OK).
        for (int t = 0; t < 302 && trainer.exam().running(); ++t)
            tick();
        if (visible(exam().Panel6))
            press(exam().Button11);
    }

    QSet<int> answered;
};

TEST_P(DamagedFile, EveryTabRunsOnItAndOnlyAnsweredCountersChange)
{
    const auto& [damaged, opening] = GetParam();
    const QByteArray bytes = damaged.bytes();
    const QByteArray sound = record(1) + "\r\n" + record(2) + "\r\n";
    const QString damagedFile = opening == Opening::AtStart ? QStringLiteral("words/default.txt")
                                                            : QStringLiteral("words/foreign.txt");

    if (opening == Opening::AtStart) {
        startWith(bytes);
    } else {
        folder.write(damagedFile, bytes);
        startWith(sound);
        clickTab(MainWindow::kOptions);
        dialogs.fileAnswers = {folder.path(damagedFile)};
        press(options().Button3);
    }

    const bool loaded = !damaged.refused;
    if (damaged.refused) {
        ASSERT_EQ(dialogs.errors().size(), 1u);
        EXPECT_TRUE(dialogs.errors()[0].contains(QStringLiteral("テキストの単語ファイルではありません")));
    } else {
        EXPECT_TRUE(dialogs.errors().empty());
        EXPECT_EQ(trainer.book().path.shown(),
                  opening == Opening::AtStart ? QStringLiteral("words\\default.txt")
                                              : folder.path(damagedFile));
    }

    walkEveryTab();

    EXPECT_EQ(robustness::unknownMessages(dialogs), "");
    // The file answered into is the damaged one when it loaded, the sound
    // default when loading it was refused, none when it was refused at
    // start. Every other file stays byte for byte as it was.
    const QByteArray damagedAfter = folder.read(damagedFile);
    if (loaded) {
        EXPECT_EQ(robustness::untouchedExceptAnswered(bytes, damagedAfter, answered), "");
        if (answered.isEmpty()) {
            EXPECT_EQ(damagedAfter, bytes);
        }
    } else {
        EXPECT_EQ(damagedAfter, bytes);
    }
    if (opening == Opening::ThroughLoad) {
        const QByteArray defaultAfter = wordFile();
        if (loaded) {
            EXPECT_EQ(defaultAfter, sound);
        } else {
            EXPECT_EQ(robustness::untouchedExceptAnswered(sound, defaultAfter, answered), "");
        }
    }
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<DamagedCase, Opening>>& info)
{
    return std::string(std::get<0>(info.param).name)
        + (std::get<1>(info.param) == Opening::AtStart ? "AtStart" : "ThroughLoad");
}

INSTANTIATE_TEST_SUITE_P(Robustness, DamagedFile,
                         ::testing::Combine(::testing::ValuesIn(kCases),
                                            ::testing::Values(Opening::AtStart, Opening::ThroughLoad)),
                         caseName);

} // namespace

namespace {

class LongRun : public RobustnessFixture { };

// An answer to a record whose counter is damaged cannot be counted, so it
// never moves the test on: the learner is never asked to answer for a word
// whose meaning was not shown, and the run can always be left by a tab.
TEST_F(LongRun, AnswersToDamagedRecordsNeverMoveTheTestOnNorWriteAnything)
{
    QByteArray bytes;
    for (int k = 1; k <= 1100; ++k)
        bytes += record(k, "x") + "\r\n";
    startWith(bytes);
    clickTab(MainWindow::kTest);
    press(exam().Test_All);
    ASSERT_TRUE(trainer.exam().running());
    const QString prompt = find<QLabel>("Label18")->text();

    for (int a = 0; a < 50; ++a) {
        exam().Edit2->setText(QStringLiteral("wrong"));
        QTest::keyClick(exam().Edit2, Qt::Key_Return);
    }
    EXPECT_EQ(trainer.exam().questionNo(), 1);
    EXPECT_EQ(find<QLabel>("Label18")->text(), prompt);
    EXPECT_EQ(find<QLabel>("Label15")->text(), QStringLiteral("第1問"));
    EXPECT_EQ(dialogs.errors().size(), 50u);
    EXPECT_EQ(robustness::unknownMessages(dialogs), "");
    EXPECT_EQ(wordFile(), bytes);
    go(MainWindow::kList);
    EXPECT_FALSE(trainer.exam().running());
    // The list cannot show a record it cannot count.
    EXPECT_EQ(dialogs.errors().size(), 51u);
}

} // namespace

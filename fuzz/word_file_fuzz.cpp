// A word file's bytes, loaded, read the way every view reads them, changed
// the way answers change them, and saved.
//
// Properties:
// - loading keeps the bytes except for the line breaks, which all become
//   CR LF; a file whose breaks are all CR LF is saved back byte for byte,
//   and any file is after one load and save (saving is then a fixed point);
// - a file holding a zero byte is refused and the store keeps what it held;
// - every field read is the text between the right commas;
// - rebuilding one record (a right answer, a wrong one, a reset) leaves every
//   other line of the saved file byte-identical;
// - nothing crashes or trips ASan/UBSan on the way.

#include "core/display_text.h"
#include "fuzz_check.h"
#include "store/failure.h"
#include "store/line_store.h"
#include "store/record.h"
#include "store/word_file.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

// The store's text for the bytes of a file: every CR LF, lone CR and lone
// LF made one CR LF.
QByteArray withCrLfBreaks(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 2);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<int> toInt(const QByteArray& text)
{
    try {
        return StrToInt(text);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

QString fileIn(const char* name)
{
    // TMPDIR on a RAM disk keeps the many small saves cheap.
    static const QTemporaryDir dir;
    return dir.filePath(QString::fromLatin1(name));
}

void writeRaw(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes) == bytes.size());
}

QByteArray readRaw(const QString& name)
{
    QFile f(name);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

QByteArray saved(const LineStore& store)
{
    const QString name = fileIn("saved.txt");
    SaveLines(store, name);
    return readRaw(name);
}

// Every field of every line, as the list view, the quiz and the test read
// them, against a plain split at the commas.
void readEveryField(const LineStore& store)
{
    for (int i = 0; i < store.LineCount(); ++i) {
        const QByteArray& line = store.ReadLine(i);
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n') && !line.contains('\0'));
        const QList<QByteArray> parts = line.split(',');
        for (int k = kWord; k <= kCorrect; ++k) {
            const QByteArray field = ReadField(store, i, k);
            FUZZ_CHECK(field == parts.at(std::min<qsizetype>(k, parts.size()) - 1));
        }
        if (const auto part = toInt(ReadField(store, i, kParts)))
            (void)PartName(*part);
        const auto asked = toInt(ReadField(store, i, kAsked));
        const auto correct = toInt(ReadField(store, i, kCorrect));
        if (asked && correct) {
            const QString rate = AccuracyText(*asked, *correct);
            if (*asked == 0) {
                FUZZ_CHECK(rate == QStringLiteral("--"));
            } else {
                bool ok = false;
                const double shown = double(rate.toLongLong(&ok));
                FUZZ_CHECK(ok);
                FUZZ_CHECK(std::fabs(shown - double(*correct) * 100.0 / double(*asked)) <= 0.5);
            }
        }
    }
    for (int k = kWord; k <= kCorrect; ++k) {
        FUZZ_CHECK(ReadField(store, -1, k).isEmpty());
        FUZZ_CHECK(ReadField(store, store.LineCount(), k).isEmpty());
    }
}

// The three quiz pools. A counter that does not convert ends the building
// of the pool there, as it ends the quiz preparation.
void buildPools(const LineStore& store)
{
    const int visible = VisibleRecords(store, 1001);
    int expected = 0;
    while (expected < std::min(store.LineCount(), 1001) && !store.ReadLine(expected).isEmpty())
        ++expected;
    FUZZ_CHECK(visible == expected);

    std::vector<int> neverAnswered;
    for (int n = 0; n < visible; ++n) {
        const auto asked = toInt(ReadField(store, n, kAsked));
        if (!asked)
            break;
        if (*asked == 0)
            neverAnswered.push_back(n);
    }
    std::vector<int> lowAccuracy;
    for (int n = 0; n < visible; ++n) {
        const auto asked = toInt(ReadField(store, n, kAsked));
        if (!asked)
            break;
        const auto correct = toInt(ReadField(store, n, kCorrect));
        if (!correct)
            break;
        if (*asked != 0 && double(*correct) * 100.0 / double(*asked) <= 60.0)
            lowAccuracy.push_back(n);
    }
    // A word never answered has no accuracy: the two pools never share one.
    for (int n : lowAccuracy)
        FUZZ_CHECK(!std::binary_search(neverAnswered.begin(), neverAnswered.end(), n));
}

// The saved file's lines (every break is CR LF, and no line holds a CR).
QList<QByteArray> savedLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

void expectOnlyLineChanged(const QByteArray& before, const QByteArray& after, int index)
{
    const QList<QByteArray> a = savedLines(before);
    const QList<QByteArray> b = savedLines(after);
    FUZZ_CHECK(a.size() == b.size());
    for (qsizetype j = 0; j < a.size(); ++j)
        if (j != index)
            FUZZ_CHECK(a.at(j) == b.at(j));
}

// One more answer: a counter at the largest 32-bit value stays there.
int oneMore(int count)
{
    return count == INT32_MAX ? count : count + 1;
}

// A right answer (CountCorrect, then CountAsked on the updated line), a
// wrong one (CountAsked) and a reset, each on its own copy of the store.
void rebuildRecord(const LineStore& store, const QByteArray& savedBefore, int index, bool saveToFile)
{
    const auto asked = toInt(ReadField(store, index, kAsked));
    const auto correct = toInt(ReadField(store, index, kCorrect));

    LineStore right = store;
    try {
        right.WriteLine(index, CountCorrect(right, index));
        FUZZ_CHECK(correct.has_value());
        right.WriteLine(index, CountAsked(right, index));
        FUZZ_CHECK(asked.has_value());
        FUZZ_CHECK(StrToInt(ReadField(right, index, kAsked)) == oneMore(*asked));
        FUZZ_CHECK(StrToInt(ReadField(right, index, kCorrect)) == oneMore(*correct));
    } catch (const Failure&) {
        // The rebuild stopped at a counter that is no number.
        FUZZ_CHECK(!correct || !asked);
    }
    for (int k = kWord; k <= kParts; ++k)
        FUZZ_CHECK(ReadField(right, index, k) == ReadField(store, index, k));

    LineStore wrong = store;
    try {
        wrong.WriteLine(index, CountAsked(wrong, index));
        FUZZ_CHECK(asked.has_value());
        FUZZ_CHECK(ReadField(wrong, index, kCorrect) == ReadField(store, index, kCorrect));
    } catch (const Failure&) {
        FUZZ_CHECK(!asked);
        FUZZ_CHECK(wrong.ReadLine(index) == store.ReadLine(index));
    }

    LineStore reset = store;
    reset.WriteLine(index, ResetCounts(reset, index));
    FUZZ_CHECK(ReadField(reset, index, kAsked) == "0" && ReadField(reset, index, kCorrect) == "0");

    for (const LineStore* changed : {&right, &wrong, &reset}) {
        FUZZ_CHECK(changed->LineCount() == store.LineCount());
        FUZZ_CHECK(changed->endsWithBreak() == store.endsWithBreak());
        for (int j = 0; j < store.LineCount(); ++j)
            if (j != index)
                FUZZ_CHECK(changed->ReadLine(j) == store.ReadLine(j));
        expectOnlyLineChanged(savedBefore, changed->text(), index);
    }
    if (saveToFile)
        expectOnlyLineChanged(savedBefore, saved(right), index);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Files cost far more than the checks; one input in four (chosen by its
    // bytes, so a crash reproduces) takes the whole way through real files,
    // the rest goes through the store's text in memory, which is what
    // LoadLines and SaveLines put between the file and the store.
    const bool throughFiles = qHash(bytes) % 4 == 0;

    LineStore store;
    store.setText("kept,when,,,0,0,0\r\n");
    if (bytes.contains('\0')) {
        const QString input = fileIn("input.txt");
        writeRaw(input, bytes);
        bool refused = false;
        try {
            LoadLines(store, input);
        } catch (const Failure&) {
            refused = true;
        }
        FUZZ_CHECK(refused);
        FUZZ_CHECK(store.text() == "kept,when,,,0,0,0\r\n");
        return 0;
    }

    const QByteArray normalised = withCrLfBreaks(bytes);
    QByteArray first;
    if (throughFiles) {
        const QString input = fileIn("input.txt");
        writeRaw(input, bytes);
        LoadLines(store, input);
        first = saved(store);
    } else {
        store.setText(bytes);
        first = store.text();
    }
    FUZZ_CHECK(store.text() == normalised);
    FUZZ_CHECK(first == normalised);
    if (normalised == bytes)
        FUZZ_CHECK(first == bytes);
    LineStore again;
    again.setText(first);
    FUZZ_CHECK(again.LineCount() == store.LineCount() && again.endsWithBreak() == store.endsWithBreak());
    FUZZ_CHECK(again.text() == first);

    readEveryField(store);
    buildPools(store);

    // Rebuild the first and last visible records and a few chosen by the
    // input.
    const int visible = VisibleRecords(store, 1001);
    if (visible > 0) {
        std::vector<int> indices{0, visible - 1};
        for (size_t i = 0; i < size && indices.size() < 6; i += 97)
            indices.push_back(int(data[i]) % visible);
        bool toFile = throughFiles;
        for (int index : indices) {
            rebuildRecord(store, first, index, toFile);
            toFile = false;
        }
    }
    return 0;
}

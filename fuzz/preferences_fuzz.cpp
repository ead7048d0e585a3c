// The preferences reader and writer on any file content and any section,
// key and value.
//
// Properties, for every well-formed section, key and value (see below):
// - reading the key back gives the value written;
// - every other section and key reads as before: writing one key loses
//   nothing else;
// - the file's lines stay as they were, except the one line rewritten, the
//   one line inserted into the section, or the section appended at the end;
// - writing the same value again changes nothing;
// - a value valueRefusal lets through is well-formed.
// Malformed names and values are written too, only for crashes.

#include "fuzz_check.h"
#include "store/preferences.h"

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

QList<QByteArray> linesOf(const QByteArray& content)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content.at(i);
        if (c == '\r' || c == '\n') {
            lines.append(content.mid(start, i - start));
            if (c == '\r' && i + 1 < content.size() && content.at(i + 1) == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < content.size())
        lines.append(content.mid(start));
    return lines;
}

bool hasBreak(const QByteArray& text)
{
    return text.contains('\r') || text.contains('\n');
}

// A section name that a "[name]" line gives back: no break, no "]", no
// blanks around it.
bool wellFormedSection(const QByteArray& s)
{
    return !s.isEmpty() && !hasBreak(s) && !s.contains(']') && s.trimmed() == s;
}

// A key that a "key=value" line gives back and that cannot be taken for a
// section line.
bool wellFormedKey(const QByteArray& k)
{
    return !k.isEmpty() && !hasBreak(k) && !k.contains('=') && k.trimmed() == k && !k.startsWith('[');
}

// A value the reader gives back as written: one line, no blanks around it
// (they are trimmed), not wrapped in quotes (they are taken off) and short
// enough for the 2048-byte read buffer.
bool wellFormedValue(const QByteArray& v)
{
    const bool quoted = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    return !hasBreak(v) && v.trimmed() == v && !quoted && v.size() <= 2047;
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Candidate names found in the content: anything in brackets, anything in
// front of an "=".
void namesIn(const QByteArray& content, QList<QByteArray>& sections, QList<QByteArray>& keys)
{
    for (const QByteArray& line : linesOf(content)) {
        const QByteArray t = line.trimmed();
        const qsizetype close = t.indexOf(']');
        if (t.startsWith('[') && close > 0 && sections.size() < 12)
            sections.append(t.mid(1, close - 1).trimmed());
        const qsizetype eq = line.indexOf('=');
        if (eq >= 0 && keys.size() < 12)
            keys.append(line.left(eq).trimmed());
    }
}

void expectLinesKept(const QList<QByteArray>& before, const QList<QByteArray>& after,
                     const QByteArray& section, const QByteArray& entry)
{
    qsizetype d = 0;
    while (d < before.size() && d < after.size() && before.at(d) == after.at(d))
        ++d;
    const qsizetype added = after.size() - before.size();
    if (added == 0) {
        // One key line rewritten in place (or nothing changed at all).
        FUZZ_CHECK(d == before.size() || after.mid(d + 1) == before.mid(d + 1));
    } else if (added == 1) {
        FUZZ_CHECK(after.at(d) == entry);
        FUZZ_CHECK(after.mid(d + 1) == before.mid(d));
    } else {
        FUZZ_CHECK(added == 2 && d == before.size());
        FUZZ_CHECK(after.at(d) == '[' + section + ']' && after.at(d + 1) == entry);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string s = in.ConsumeRandomLengthString(24);
    const std::string k = in.ConsumeRandomLengthString(24);
    const std::string v = in.ConsumeRandomLengthString(3000);
    const std::string c = in.ConsumeRemainingBytesAsString();
    const QByteArray section(s.data(), qsizetype(s.size()));
    const QByteArray key(k.data(), qsizetype(k.size()));
    const QByteArray value(v.data(), qsizetype(v.size()));
    const QByteArray content(c.data(), qsizetype(c.size()));

    const QByteArray fallback = "\x01missing";
    const QByteArray written = prefs::withValue(content, section, key, value);
    FUZZ_CHECK(written.endsWith("\r\n"));
    (void)prefs::valueIn(written, section, key, fallback);
    (void)prefs::valueIn(content, section, key, fallback);
    // What the program lets the learner store must read back whole.
    if (prefs::valueRefusal(value).isEmpty())
        FUZZ_CHECK(wellFormedValue(value));
    if (!wellFormedSection(section) || !wellFormedKey(key) || !wellFormedValue(value))
        return 0;

    FUZZ_CHECK(prefs::valueIn(written, section, key, fallback) == value);
    FUZZ_CHECK(prefs::withValue(written, section, key, value) == written);
    expectLinesKept(linesOf(content), linesOf(written), section, key + '=' + value);

    QList<QByteArray> sections{section};
    QList<QByteArray> keys{key};
    namesIn(content, sections, keys);
    for (const QByteArray& otherSection : sections) {
        for (const QByteArray& otherKey : keys) {
            if (sameName(otherSection, section) && sameName(otherKey, key))
                continue;
            FUZZ_CHECK(prefs::valueIn(written, otherSection, otherKey, fallback)
                       == prefs::valueIn(content, otherSection, otherKey, fallback));
        }
    }
    return 0;
}

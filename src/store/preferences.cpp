#include "store/preferences.h"

#include "store/failure.h"
#include "store/line_store.h"
#include "store/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

namespace prefs {
namespace {

constexpr qsizetype kBufferBytes = 2048;

// Lines split as the word store splits them: CR LF, lone CR and lone LF.
QList<QByteArray> splitLines(const QByteArray& content)
{
    LineStore store;
    store.setText(content);
    QList<QByteArray> lines;
    lines.reserve(store.LineCount());
    for (int i = 0; i < store.LineCount(); ++i)
        lines.append(store.ReadLine(i));
    return lines;
}

// "[name]" with blanks allowed around; returns the name or null.
QByteArray sectionName(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    if (t.size() < 2 || t.front() != '[')
        return {};
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The key of a "key=value" line, or null when the line holds none.
QByteArray keyOf(const QByteArray& line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return {};
    return line.left(eq).trimmed();
}

QByteArray unquoted(QByteArray value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace

QByteArray valueIn(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                   const QByteArray& fallback)
{
    bool inSection = false;
    for (const QByteArray& line : splitLines(content)) {
        const QByteArray name = sectionName(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        if (!inSection)
            continue;
        const QByteArray k = keyOf(line);
        if (!k.isNull() && sameName(k, key))
            return unquoted(line.mid(line.indexOf('=') + 1)).left(kBufferBytes - 1);
    }
    return fallback.left(kBufferBytes - 1);
}

QByteArray withValue(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                     const QByteArray& value)
{
    QList<QByteArray> lines = splitLines(content);
    const QByteArray entry = key + '=' + value;
    qsizetype sectionLine = -1;
    qsizetype lastInSection = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray name = sectionName(lines[i]);
        if (!name.isNull()) {
            if (sectionLine >= 0)
                break;
            if (sameName(name, section))
                sectionLine = lastInSection = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        const QByteArray k = keyOf(lines[i]);
        if (!k.isNull() && sameName(k, key)) {
            lines[i] = keyOf(lines[i]) + '=' + value; // keep the key's spelling
            return lines.join("\r\n") + "\r\n";
        }
        if (!lines[i].trimmed().isEmpty())
            lastInSection = i;
    }
    if (sectionLine >= 0) {
        lines.insert(lastInSection + 1, entry);
    } else {
        lines.append('[' + section + ']');
        lines.append(entry);
    }
    return lines.join("\r\n") + "\r\n";
}

QByteArray readString(const QString& file, const QByteArray& section, const QByteArray& key,
                      const QByteArray& fallback)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return fallback.left(kBufferBytes - 1);
    return valueIn(f.readAll(), section, key, fallback);
}

void writeString(const QString& file, const QByteArray& section, const QByteArray& key,
                 const QByteArray& value)
{
    QByteArray content;
    QFile existing(file);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            throw Failure::cannotWritePreferences(file);
        content = existing.readAll();
        existing.close();
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (!replaceWholeFile(file, withValue(content, section, key, value)))
        throw Failure::cannotWritePreferences(file);
}

} // namespace prefs

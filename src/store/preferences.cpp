#include "store/preferences.h"

#include "regular_file.h"
#include "store/failure.h"
#include "store/line_store.h"
#include "whole_file.h"

#include <QDir>
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

QString valueRefusal(const QByteArray& value)
{
    if (value.size() > kBufferBytes - 1)
        return QStringLiteral(
                   "ファイル名が長すぎるため、デフォルト単語ファイルに設定できません(%1 バイトまで)。")
            .arg(kBufferBytes - 1);
    for (const char c : value) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return QStringLiteral(
                "改行などの制御文字を含むファイル名は、デフォルト単語ファイルに設定できません。");
    }
    if (unquoted(value) != value)
        return QStringLiteral(
            "前後に空白や引用符のあるファイル名は、デフォルト単語ファイルに設定できません。");
    return {};
}

QByteArray readString(const QString& file, const QByteArray& section, const QByteArray& key,
                      const QByteArray& fallback)
{
    const FileRead read = readRegularFile(file, kMaxFileBytes);
    if (read.outcome == FileRead::kRead)
        return valueIn(read.bytes, section, key, fallback);
    if (read.outcome == FileRead::kMissing)
        return fallback.left(kBufferBytes - 1);
    throw Failure::cannotOpen(file, read.reason());
}

void writeString(const QString& file, const QByteArray& section, const QByteArray& key,
                 const QByteArray& value)
{
    // The caller refuses such a value with a message of its own first; this
    // is the last line, so that nothing is stored that reads back otherwise.
    if (!valueRefusal(value).isEmpty())
        throw Failure::cannotWritePreferences(file, QStringLiteral("読み戻せない値です"));
    const SaveTarget target = saveTargetOf(file);
    if (!target.replaceable())
        throw Failure::cannotWritePreferences(file, target.reason());
    // Every other section and key survives the write, so the old content is
    // read whole first; a file we cannot read whole is left alone.
    QByteArray content;
    if (target.kind == SaveTarget::kRegular) {
        const FileRead read = readRegularFile(target.file, kMaxFileBytes);
        if (read.outcome != FileRead::kRead && read.outcome != FileRead::kMissing)
            throw Failure::cannotWritePreferences(file, read.reason());
        content = read.bytes;
    } else {
        QDir().mkpath(QFileInfo(file).absolutePath());
    }
    if (replaceWholeFile(target.file, withValue(content, section, key, value)) != Replaced::kDone)
        throw Failure::cannotWritePreferences(file);
}

} // namespace prefs

#include "store/backups.h"

#include "store/failure.h"
#include "store/word_file.h"
#include "store/word_file_lock.h"
#include "whole_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

QString absolutePath(const QString& wordFilePath)
{
    const QFileInfo info(wordFilePath);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// "default.txt.3f9a1c2b": the folder of this word file's copies.
QString folderOf(const QString& absolute)
{
    const QByteArray hash = QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QFileInfo(absolute).fileName() + u'.' + QString::fromLatin1(hash.left(8));
}

struct Copy {
    QString name;
    qint64 number = 0;
};

// The copies in the word file's folder, by number; anything else there is
// not ours to order or remove.
std::vector<Copy> copiesIn(const QDir& dir, const QString& wordName)
{
    static const QRegularExpression tail(
        QStringLiteral("^(\\d{6,15})\\.\\d{4}-\\d\\d-\\d\\dT\\d\\d-\\d\\d-\\d\\d[+-]\\d{4}\\.txt$"));
    const QString prefix = wordName + u'.';
    std::vector<Copy> copies;
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (!name.startsWith(prefix))
            continue;
        const auto match = tail.match(QStringView(name).sliced(prefix.size()));
        if (match.hasMatch())
            copies.push_back({name, match.captured(1).toLongLong()});
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) { return a.number < b.number; });
    return copies;
}

// "2026-12-08T10-15-30+0900": the learner's time, and where on earth it was.
QString timeOf(const QDateTime& when)
{
    const int offset = when.offsetFromUtc() / 60;
    const int magnitude = std::abs(offset);
    return when.toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss")) + (offset < 0 ? u'-' : u'+')
        + QStringLiteral("%1%2")
              .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
              .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

QByteArray contentOf(const QString& path)
{
    try {
        return readWholeFile(path, kMaxWordFileBytes);
    } catch (const Failure&) {
        return {};
    }
}

} // namespace

Backups::Backups(QString folder, std::function<QDateTime()> clock)
    : folder_(std::move(folder)), clock_(std::move(clock))
{
}

QString Backups::take(const QString& wordFilePath)
{
    const QString absolute = absolutePath(wordFilePath);
    if (!QFileInfo::exists(absolute)) {
        covered_.insert(absolute);
        return {};
    }
    // Read like any word file: whatever another program put in its place
    // (a FIFO, a device) is refused, never waited on.
    QByteArray bytes;
    try {
        bytes = readWholeFile(absolute, kMaxWordFileBytes);
    } catch (const Failure&) {
        throw Failure(
            QStringLiteral("単語ファイル %1 を読めないので、バックアップを取れません").arg(wordFilePath));
    }
    if (bytes.isEmpty()) {
        covered_.insert(absolute);
        return {};
    }

    const QDir dir(QDir(folder_).filePath(folderOf(absolute)));
    if (!dir.mkpath(QStringLiteral(".")))
        throw Failure(QStringLiteral("バックアップのフォルダ %1 を作成できません").arg(dir.path()));
    const QString wordName = QFileInfo(absolute).fileName();
    std::vector<Copy> copies = copiesIn(dir, wordName);
    // A run that changes nothing between two copies (open, answer nothing,
    // 初期化) would otherwise push older, different copies out.
    if (!copies.empty() && contentOf(dir.filePath(copies.back().name)) == bytes) {
        covered_.insert(absolute);
        return dir.filePath(copies.back().name);
    }

    const QString time = timeOf(clock_());
    QString target;
    for (qint64 number = copies.empty() ? 1 : copies.back().number + 1;
         target.isEmpty() || QFileInfo::exists(target); ++number)
        target = dir.filePath(
            QStringLiteral("%1.%2.%3.txt").arg(wordName).arg(number, 6, 10, QLatin1Char('0')).arg(time));
    if (replaceWholeFile(target, bytes) != Replaced::kDone)
        throw Failure(QStringLiteral("バックアップ %1 を作成できません").arg(target));
    covered_.insert(absolute);

    // Pruning is housekeeping: a copy that cannot be removed only means one
    // more copy kept, never a lost one, so it is not reported. The new copy
    // has the highest number and is always kept; a copy some Lexiwren works
    // on (an earlier version let one be opened) is never removed.
    copies = copiesIn(dir, wordName);
    for (size_t i = 0; i + kKept < copies.size(); ++i) {
        const QString copy = dir.filePath(copies[i].name);
        if (!WordFileLock::heldByAnyCopy(copy))
            QFile::remove(copy);
    }
    return target;
}

bool Backups::coveredThisRun(const QString& wordFilePath) const
{
    return covered_.contains(absolutePath(wordFilePath));
}

void Backups::goOnWithout(const QString& wordFilePath)
{
    covered_.insert(absolutePath(wordFilePath));
}

QStringList Backups::of(const QString& wordFilePath) const
{
    const QString absolute = absolutePath(wordFilePath);
    const QDir dir(QDir(folder_).filePath(folderOf(absolute)));
    QStringList paths;
    for (const Copy& copy : copiesIn(dir, QFileInfo(absolute).fileName()))
        paths.append(dir.filePath(copy.name));
    return paths;
}

QString Backups::refusal(const QString& wordFilePath, const QString& shown) const
{
    const QFileInfo backups(folder_);
    QString inside = backups.canonicalFilePath();
    if (inside.isEmpty())
        inside = QDir::cleanPath(backups.absoluteFilePath());
    if (!WordFileLock::keyFor(wordFilePath).startsWith(inside + u'/'))
        return {};
    return QStringLiteral(
               "ファイル %1 はバックアップのフォルダ %2 の中にあるので、単語ファイルとしては使えません。"
               "バックアップから戻すには、フォルダの外にコピーしてから開いてください")
        .arg(shown.isEmpty() ? wordFilePath : shown, QDir::toNativeSeparators(folder_));
}

#include "store/backups.h"

#include "store/failure.h"
#include "store/word_file.h"
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

// "default.txt.3f9a1c2b.": what every copy of this word file starts with.
QString prefixOf(const QString& absolute)
{
    const QByteArray hash = QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QFileInfo(absolute).fileName() + u'.' + QString::fromLatin1(hash.left(8)) + u'.';
}

struct Copy {
    QString name;
    QString time;
    int number = 1;
};

std::vector<Copy> copiesIn(const QDir& dir, const QString& prefix)
{
    static const QRegularExpression tail(
        QStringLiteral("^(\\d{4}-\\d\\d-\\d\\dT\\d\\d-\\d\\d-\\d\\d)(?:_(\\d+))?\\.txt$"));
    std::vector<Copy> copies;
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (!name.startsWith(prefix))
            continue;
        const auto match = tail.match(QStringView(name).sliced(prefix.size()));
        if (match.hasMatch())
            copies.push_back({name, match.captured(1), match.hasCaptured(2) ? match.captured(2).toInt() : 1});
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        return a.time != b.time ? a.time < b.time : a.number < b.number;
    });
    return copies;
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

    QDir dir(folder_);
    if (!dir.mkpath(QStringLiteral(".")))
        throw Failure(QStringLiteral("バックアップのフォルダ %1 を作成できません").arg(folder_));
    const QString prefix = prefixOf(absolute);
    std::vector<Copy> copies = copiesIn(dir, prefix);
    // A run that changes nothing between two copies (open, answer nothing,
    // 初期化) would otherwise push older, different copies out.
    if (!copies.empty() && contentOf(dir.filePath(copies.back().name)) == bytes) {
        covered_.insert(absolute);
        return dir.filePath(copies.back().name);
    }

    const QString time = clock_().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss"));
    QString name = prefix + time + QStringLiteral(".txt");
    for (int n = 2; dir.exists(name); ++n)
        name = prefix + time + u'_' + QString::number(n) + QStringLiteral(".txt");
    const QString target = dir.filePath(name);
    if (replaceWholeFile(target, bytes) != Replaced::kDone)
        throw Failure(QStringLiteral("バックアップ %1 を作成できません").arg(target));
    covered_.insert(absolute);

    // Pruning is housekeeping: a copy that cannot be removed only means one
    // more copy kept, never a lost one, so it is not reported.
    copies = copiesIn(dir, prefix);
    for (size_t i = 0; i + kKept < copies.size(); ++i)
        dir.remove(copies[i].name);
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
    const QDir dir(folder_);
    QStringList paths;
    for (const Copy& copy : copiesIn(dir, prefixOf(absolutePath(wordFilePath))))
        paths.append(dir.filePath(copy.name));
    return paths;
}

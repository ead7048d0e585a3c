#include "dictionary/dictionary_file.h"

#include "index_layout.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dictionary {

namespace {

// Far above today's 19 MB dictionary, far below what would strain memory.
constexpr qint64 kMaxDictionary = 160ll << 20;

struct FileBytes {
    enum Outcome { kRead, kMissing, kUnusable };
    Outcome outcome = kUnusable;
    QByteArray bytes;
    SourceKey key;
};

SourceKey keyOf(const struct stat& st)
{
    return {quint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000};
}

// A regular file read whole, when it is no larger than `limit`. Opened
// without waiting, so a FIFO put in its place is refused rather than
// waited on; the key is that of the file read.
FileBytes readFile(const QString& path, qint64 limit)
{
    FileBytes out;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        out.outcome = errno == ENOENT || errno == ENOTDIR ? FileBytes::kMissing : FileBytes::kUnusable;
        return out;
    }
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > limit) {
        ::close(fd);
        return out;
    }
    out.key = keyOf(st);
    out.bytes.resize(qsizetype(st.st_size));
    qsizetype got = 0;
    while (got < out.bytes.size()) {
        const ssize_t n = ::read(fd, out.bytes.data() + got, size_t(out.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    // A file cut short while we read is read again next time: its key
    // will not match what was read.
    if (got != out.bytes.size()) {
        out.bytes.clear();
        return out;
    }
    out.outcome = FileBytes::kRead;
    return out;
}

std::optional<SourceKey> currentKey(const QString& path)
{
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return keyOf(st);
}

void writeCache(const QString& file, const QByteArray& image)
{
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return;
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(image) == image.size())
        out.commit();
}

QString missingHint()
{
    return QStringLiteral("意味の候補を出すには edict パッケージを入れてください（sudo apt install edict）");
}

QString unusableHint(const QString& edictFile)
{
    return QStringLiteral("辞書 %1 を読めないので意味の候補を出せません。"
                          "edict パッケージを入れ直してください（sudo apt install --reinstall edict）")
        .arg(edictFile);
}

} // namespace

QString defaultCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

QString cacheFileFor(const QString& edictFile, const QString& cacheFolder)
{
    // One index per dictionary file, named for its absolute path.
    const QByteArray id =
        QCryptographicHash::hash(QFileInfo(edictFile).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QDir(cacheFolder).filePath(QStringLiteral("edict-%1.index").arg(QString::fromLatin1(id)));
}

Opened openDictionary(const QString& edictFile, const QString& cacheFolder, const std::atomic<bool>* cancel)
{
    Opened opened;
    const QString cacheFile = cacheFileFor(edictFile, cacheFolder);
    if (const std::optional<SourceKey> key = currentKey(edictFile)) {
        FileBytes cache = readFile(cacheFile, layout::kMaxImage);
        if (cache.outcome == FileBytes::kRead) {
            opened.dictionary = Dictionary::fromImage(std::move(cache.bytes), *key);
            if (opened.dictionary) {
                opened.fromCache = true;
                return opened;
            }
        }
    }

    const FileBytes source = readFile(edictFile, kMaxDictionary);
    if (source.outcome != FileBytes::kRead) {
        opened.hint = source.outcome == FileBytes::kMissing ? missingHint() : unusableHint(edictFile);
        return opened;
    }
    QByteArray image = Dictionary::build(source.bytes, source.key, &opened.report, cancel);
    if (opened.report.cancelled)
        return opened;
    // A file of which most lines are no dictionary lines is not the
    // dictionary, whatever it is called.
    if (image.isEmpty() || opened.report.malformed > opened.report.entries) {
        opened.hint = unusableHint(edictFile);
        return opened;
    }
    opened.dictionary = Dictionary::fromImage(image, source.key);
    if (!opened.dictionary) {
        opened.hint = unusableHint(edictFile);
        return opened;
    }
    writeCache(cacheFile, image);
    return opened;
}

} // namespace dictionary

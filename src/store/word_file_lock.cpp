#include "store/word_file_lock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int kNoFollow = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

// Only a regular file is kept as a lock file.
int keepRegular(int fd)
{
    struct stat st { };
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Opened without following a symbolic link (it could make us create a file
// anywhere) and without waiting (a FIFO put there); created when missing.
int openLockFile(const QString& name)
{
    if (name.isEmpty())
        return -1;
    const QByteArray native = QFile::encodeName(name);
    int fd = ::open(native.constData(), O_RDWR | O_CREAT | kNoFollow, 0666);
    if (fd < 0)
        fd = ::open(native.constData(), O_RDONLY | kNoFollow);
    return keepRegular(fd);
}

enum class Flock { kTaken, kHeld, kFailed };

Flock tryLock(int fd)
{
    if (fd < 0)
        return Flock::kFailed;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return Flock::kTaken;
    return errno == EWOULDBLOCK ? Flock::kHeld : Flock::kFailed;
}

void closeIfOpen(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

WordFileLock::~WordFileLock()
{
    release();
}

WordFileLock::WordFileLock(WordFileLock&& other) noexcept
    : beside_(std::exchange(other.beside_, -1)), runtime_(std::exchange(other.runtime_, -1)),
      key_(std::exchange(other.key_, {})), lockFile_(std::exchange(other.lockFile_, {}))
{
}

WordFileLock& WordFileLock::operator=(WordFileLock&& other) noexcept
{
    if (this != &other) {
        release();
        beside_ = std::exchange(other.beside_, -1);
        runtime_ = std::exchange(other.runtime_, -1);
        key_ = std::exchange(other.key_, {});
        lockFile_ = std::exchange(other.lockFile_, {});
    }
    return *this;
}

QString WordFileLock::keyFor(const QString& file)
{
    const QFileInfo given(file);
    const QString word = given.canonicalFilePath();
    if (!word.isEmpty())
        return word;
    // Not there yet: where it will be, its folder found through links.
    const QString folder = QFileInfo(given.absolutePath()).canonicalFilePath();
    return QDir(folder.isEmpty() ? given.absolutePath() : folder).filePath(given.fileName());
}

QString WordFileLock::lockFileFor(const QString& file)
{
    const QFileInfo real(keyFor(file));
    return QDir(real.absolutePath()).filePath(QLatin1Char('.') + real.fileName() + QStringLiteral(".lock"));
}

QString WordFileLock::runtimeLockFileFor(const QString& file)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return {};
    // A hash keeps the name short whatever the path, and tells nothing about
    // where the word file lies.
    const QByteArray hash =
        QCryptographicHash::hash(keyFor(file).toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QDir(folder).filePath(QStringLiteral("lexiwren-%1.lock").arg(QString::fromLatin1(hash)));
}

bool WordFileLock::heldByAnyCopy(const QString& file)
{
    for (const QString& name : {lockFileFor(file), runtimeLockFileFor(file)}) {
        if (name.isEmpty())
            continue;
        // A lock file that is not there is held by nobody.
        int fd = keepRegular(::open(QFile::encodeName(name).constData(), O_RDONLY | kNoFollow));
        const Flock found = tryLock(fd);
        closeIfOpen(fd);
        if (found == Flock::kHeld)
            return true;
    }
    return false;
}

WordFileLock::Result WordFileLock::lock(const QString& file)
{
    const QString key = keyFor(file);
    // Our own lock on another descriptor of the same file would refuse us
    // as if another copy held it.
    if (held() && key == key_)
        return Result::kTaken;

    const QString besideName = lockFileFor(file);
    int beside = openLockFile(besideName);
    int runtime = openLockFile(runtimeLockFileFor(file));
    const Flock besideLock = tryLock(beside);
    const Flock runtimeLock = tryLock(runtime);
    if (besideLock != Flock::kTaken)
        closeIfOpen(beside);
    if (runtimeLock != Flock::kTaken)
        closeIfOpen(runtime);
    if (besideLock == Flock::kHeld || runtimeLock == Flock::kHeld) {
        closeIfOpen(beside);
        closeIfOpen(runtime);
        return Result::kHeldElsewhere;
    }
    if (beside < 0 && runtime < 0)
        return Result::kUnavailable;

    release();
    beside_ = beside;
    runtime_ = runtime;
    key_ = key;
    lockFile_ = beside >= 0 ? besideName : runtimeLockFileFor(file);
    return Result::kTaken;
}

void WordFileLock::release()
{
    closeIfOpen(beside_);
    closeIfOpen(runtime_);
    key_.clear();
    lockFile_.clear();
}

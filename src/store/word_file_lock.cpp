#include "store/word_file_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Opened without following a symbolic link (it could make us create a file
// anywhere) and without waiting (a FIFO put there); only a regular file is
// kept.
int openLockFile(const QString& name)
{
    const QByteArray native = QFile::encodeName(name);
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    int fd = ::open(native.constData(), O_RDWR | O_CREAT | kFlags, 0666);
    if (fd < 0)
        fd = ::open(native.constData(), O_RDONLY | kFlags);
    struct stat st { };
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    return fd;
}

bool sameFile(int a, int b)
{
    struct stat sa { };
    struct stat sb { };
    return ::fstat(a, &sa) == 0 && ::fstat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace

WordFileLock::~WordFileLock()
{
    release();
}

WordFileLock::WordFileLock(WordFileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), lockFile_(std::move(other.lockFile_))
{
    other.lockFile_.clear();
}

WordFileLock& WordFileLock::operator=(WordFileLock&& other) noexcept
{
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        lockFile_ = std::move(other.lockFile_);
        other.lockFile_.clear();
    }
    return *this;
}

QString WordFileLock::lockFileFor(const QString& file)
{
    const QFileInfo given(file);
    QString word = given.canonicalFilePath();
    if (word.isEmpty()) {
        // Not there yet: beside it in its folder, itself found through links.
        const QString folder = QFileInfo(given.absolutePath()).canonicalFilePath();
        word = QDir(folder.isEmpty() ? given.absolutePath() : folder).filePath(given.fileName());
    }
    const QFileInfo real(word);
    return QDir(real.absolutePath()).filePath(QLatin1Char('.') + real.fileName() + QStringLiteral(".lock"));
}

WordFileLock::Result WordFileLock::lock(const QString& file)
{
    const QString name = lockFileFor(file);
    const int fd = openLockFile(name);
    if (fd < 0)
        return Result::kUnavailable;
    // Our own lock on another descriptor of the same file would refuse us
    // as if another copy held it.
    if (held() && sameFile(fd, fd_)) {
        ::close(fd);
        return Result::kTaken;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool elsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return elsewhere ? Result::kHeldElsewhere : Result::kUnavailable;
    }
    release();
    fd_ = fd;
    lockFile_ = name;
    return Result::kTaken;
}

void WordFileLock::release()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    lockFile_.clear();
}

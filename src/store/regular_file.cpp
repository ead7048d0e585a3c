#include "regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString notRegular()
{
    return QStringLiteral("通常のファイルではありません");
}

} // namespace

QString FileRead::reason() const
{
    switch (outcome) {
    case kNotRegular: return notRegular();
    case kTooLarge: return QStringLiteral("大きすぎます");
    default: return {};
    }
}

QString SaveTarget::reason() const
{
    switch (kind) {
    case kNotRegular: return notRegular();
    case kNoLinkTarget: return QStringLiteral("リンク先がありません");
    default: return {};
    }
}

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) { }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool missing(int error)
{
    return error == ENOENT || error == ENOTDIR;
}

// Reads from the start of `fd` to its end, but never much more than the
// limit: a regular file can grow while we read, or hold more than it says.
// Every read asks for a whole chunk, as some files in /proc take reads only
// in multiples of their record size.
FileRead readAll(int fd, qint64 claimedSize, qint64 limit)
{
    constexpr qint64 kChunk = 64 * 1024;
    FileRead result;
    QByteArray& bytes = result.bytes;
    bytes.resize(std::min(claimedSize, limit) + kChunk);
    qint64 got = 0;
    for (;;) {
        if (got > limit) {
            result.outcome = FileRead::kTooLarge;
            bytes.clear();
            return result;
        }
        if (bytes.size() < got + kChunk)
            bytes.resize(std::min(std::max(2 * got, got + kChunk), limit + kChunk));
        const ssize_t n = ::pread(fd, bytes.data() + got, size_t(kChunk), off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            bytes.clear();
            return result;
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    result.outcome = FileRead::kRead;
    return result;
}

bool writeAllAt(int fd, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

namespace {

// Why a file of this status is not read, or nothing for a regular file
// within the limit.
std::optional<FileRead::Outcome> refusalOf(const struct stat& st, qint64 limit)
{
    if (!S_ISREG(st.st_mode))
        return FileRead::kNotRegular;
    if (st.st_size > limit)
        return FileRead::kTooLarge;
    return std::nullopt;
}

} // namespace

FileRead readRegularFile(const QString& name, qint64 limit)
{
    const QByteArray native = QFile::encodeName(name);
    FileRead result;
    // Looked at before it is opened, so nothing but a regular file is ever
    // opened; the open descriptor is looked at again in case the name was
    // given to something else in between, and O_NONBLOCK keeps even that
    // open from waiting on a FIFO.
    struct stat st { };
    if (::stat(native.constData(), &st) != 0) {
        result.outcome = missing(errno) ? FileRead::kMissing : FileRead::kUnreadable;
        return result;
    }
    if (const auto refused = refusalOf(st, limit)) {
        result.outcome = *refused;
        return result;
    }
    const Descriptor fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        result.outcome = missing(errno) ? FileRead::kMissing : FileRead::kUnreadable;
        return result;
    }
    if (::fstat(fd.get(), &st) != 0)
        return result;
    if (const auto refused = refusalOf(st, limit)) {
        result.outcome = *refused;
        return result;
    }
    return readAll(fd.get(), st.st_size, limit);
}

SaveTarget saveTargetOf(const QString& name)
{
    const QByteArray native = QFile::encodeName(name);
    SaveTarget target;
    target.file = name;
    struct stat st { };
    if (::lstat(native.constData(), &st) != 0) {
        target.kind = errno == ENOENT ? SaveTarget::kNothing : SaveTarget::kUnreachable;
        return target;
    }
    if (S_ISLNK(st.st_mode)) {
        if (::stat(native.constData(), &st) != 0) {
            const bool nowhere = missing(errno) || errno == ELOOP;
            target.kind = nowhere ? SaveTarget::kNoLinkTarget : SaveTarget::kUnreachable;
            return target;
        }
        target.file = QFileInfo(name).canonicalFilePath();
        if (target.file.isEmpty()) {
            target.kind = SaveTarget::kNoLinkTarget;
            return target;
        }
    }
    target.kind = S_ISREG(st.st_mode) ? SaveTarget::kRegular : SaveTarget::kNotRegular;
    return target;
}

bool writeInPlace(const QString& file, const QByteArray& bytes, qint64 limit)
{
    const Descriptor fd(
        ::open(QFile::encodeName(file).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st { };
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const FileRead old = readAll(fd.get(), st.st_size, limit);
    if (old.outcome != FileRead::kRead)
        return false;
    // Written before it is cut, so the file is never shorter than both the
    // old and the new content; on failure the old bytes go back over the
    // same blocks, which even a full disk allows.
    if (writeAllAt(fd.get(), bytes) && ::ftruncate(fd.get(), off_t(bytes.size())) == 0
        && ::fsync(fd.get()) == 0)
        return true;
    if (writeAllAt(fd.get(), old.bytes))
        (void)::ftruncate(fd.get(), off_t(old.bytes.size()));
    (void)::fsync(fd.get());
    return false;
}

#include "read_only.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

ReadOnly::ReadOnly(QString path, bool immutableOnly)
    : path_(std::move(path)), permissions_(QFile::permissions(path_))
{
    if (!immutableOnly)
        QFile::setPermissions(path_,
                              permissions_
                                  & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser
                                      | QFileDevice::WriteGroup | QFileDevice::WriteOther));
    immutable_ = setImmutable(true);
}

ReadOnly::~ReadOnly()
{
    if (immutable_)
        setImmutable(false);
    QFile::setPermissions(path_, permissions_);
}

bool ReadOnly::setImmutable(bool on) const
{
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

bool ReadOnly::effective() const
{
    if (QFileInfo(path_).isDir()) {
        QFile probe(QDir(path_).filePath(QStringLiteral(".probe")));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.close();
        probe.remove();
        return false;
    }
    QFile file(path_);
    return !file.open(QIODevice::WriteOnly | QIODevice::Append);
}

#include "app/single_instance.h"

#include "ui/dialogs.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <sys/file.h>

SingleInstance::SingleInstance(const QString& folder)
    : file_(QDir(folder).filePath(QString::fromLatin1(kLockFileName)))
{
}

bool SingleInstance::claim(Dialogs& dialogs, const std::function<bool()>& handOver)
{
    const QString folder = QFileInfo(file_.fileName()).absolutePath();
    if (!QFileInfo::exists(folder))
        QDir().mkpath(folder);
    // The file is never written or removed: its content means nothing, and
    // removing it could let a third copy lock a new file of the same name
    // while a second still waits on the old one.
    if (!file_.open(QIODevice::ReadWrite))
        return true;
    if (::flock(file_.handle(), LOCK_EX | LOCK_NB) == 0) {
        locked_ = true;
        return true;
    }
    const bool heldElsewhere = errno == EWOULDBLOCK;
    file_.close();
    if (!heldElsewhere)
        return true;
    if (handOver && handOver())
        return false;
    dialogs.message(QStringLiteral("Lexiwren はすでに起動しています。"));
    return false;
}

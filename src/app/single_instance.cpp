#include "app/single_instance.h"

#include "ui/dialogs.h"

#include <QDir>
#include <QFileInfo>

SingleInstance::SingleInstance(const QString& folder)
    : lock_(QDir(folder).filePath(QString::fromLatin1(kLockFileName)))
{
    // The lock is held for the whole run, so its age says nothing: only a
    // lock whose process is gone is stale.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::claim(Dialogs& dialogs)
{
    const QString folder = QFileInfo(lock_.fileName()).absolutePath();
    if (!QFileInfo::exists(folder))
        QDir().mkpath(folder);
    if (lock_.tryLock(0))
        return true;
    if (lock_.error() != QLockFile::LockFailedError)
        return true;
    dialogs.message(QStringLiteral("Lexiwren はすでに起動しています。"));
    return false;
}

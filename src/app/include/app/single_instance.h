#pragma once

#include <QFile>
#include <QString>

#include <functional>

class Dialogs;

// One running copy per user: two windows on one word file would overwrite
// each other's answers. The running copy holds an exclusive lock on a file in
// the per-user configuration folder for as long as it runs. The lock belongs
// to the open file, so the system lets go of it however the copy ends, a
// crash or a kill included, and no stale lock is ever left to clear.
class SingleInstance {
public:
    static constexpr const char* kLockFileName = "lexiwren.lock";

    explicit SingleInstance(const QString& folder);

    // True when this copy may run. When another running copy holds the lock,
    // answers false, having touched nothing: first `handOver` is asked to
    // pass the start on to that copy, and only when it cannot (none given,
    // or the copy does not answer) does a message box say the program is
    // already running. When no lock can be taken at all (a folder that
    // cannot be written, a file system without locks), the copy runs anyway:
    // refusing to start would be worse.
    bool claim(Dialogs& dialogs, const std::function<bool()>& handOver = {});

    QString lockFile() const { return file_.fileName(); }
    // True once claim() took the lock (not when it let the copy run without).
    bool holdsLock() const { return locked_; }

private:
    QFile file_;
    bool locked_ = false;
};

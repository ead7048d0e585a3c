#pragma once

#include <QFile>
#include <QString>

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
    // says so in a message box and answers false, having touched nothing.
    // When no lock can be taken at all (a folder that cannot be written, a
    // file system without locks), the copy runs anyway: refusing to start
    // would be worse.
    bool claim(Dialogs& dialogs);

    QString lockFile() const { return file_.fileName(); }

private:
    QFile file_;
};

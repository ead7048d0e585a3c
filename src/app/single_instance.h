#pragma once

#include <QLockFile>
#include <QString>

class Dialogs;

// One running copy per user: two windows on one word file would overwrite
// each other's answers. The running copy holds a lock file in the per-user
// configuration folder for as long as it runs.
class SingleInstance {
public:
    static constexpr const char* kLockFileName = "lexiwren.lock";

    explicit SingleInstance(const QString& folder);

    // True when this copy may run. When another running copy holds the lock,
    // says so in a message box and answers false, having touched nothing.
    // A lock left behind by a copy that died (a crash, a kill) is taken
    // over. When no lock can be made at all (a folder that cannot be
    // written), the copy runs anyway: refusing to start would be worse.
    bool claim(Dialogs& dialogs);

    QString lockFile() const { return lock_.fileName(); }

private:
    QLockFile lock_;
};

#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

// The store_probe child: one store operation in a process of its own, so a
// test can run it as another user and end it when it hangs.
namespace probe {

// The unprivileged user the checks run as when we are root, where root
// would be let through what an ordinary user is not.
inline constexpr unsigned kNobody = 65534;

// Why the probe cannot run as kNobody here (empty when it can): not root,
// or privileges cannot be dropped (no setpriv, no capability to).
QString cannotRunAsNobody();

// Runs `store_probe <args>` (as kNobody when asked) to its end and returns
// its line of output; "<hung>" when it has not ended after ten seconds,
// when it is killed.
QString run(const QStringList& args, bool asNobody = false);

// Gives a folder and everything in it, links themselves included, to kNobody.
bool giveToNobody(const QString& folder);

} // namespace probe

// A probe holding a word file's lock, as a second copy of the program.
class LockHolder {
public:
    explicit LockHolder(const QString& wordFile, bool asNobody = false);
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    // "taken", "held" or "unavailable"; "<hung>" when none came in time.
    std::string answer();
    // Ends it normally (its input closes), or kills it with SIGKILL; both
    // wait until it is gone.
    void exit();
    void kill();

private:
    QProcess process_;
};

#include "probe.h"

#include <QDirIterator>
#include <QFile>
#include <csignal>
#include <unistd.h>

namespace probe {
namespace {

constexpr int kWaitMs = 10000;

void start(QProcess& process, const QStringList& args, bool asNobody)
{
    if (!asNobody) {
        process.start(QStringLiteral(STORE_PROBE), args);
        return;
    }
    const QString id = QString::number(kNobody);
    process.start(QStringLiteral("setpriv"),
                  QStringList{QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                              QStringLiteral("--clear-groups"), QStringLiteral(STORE_PROBE)}
                      + args);
}

} // namespace

QString cannotRunAsNobody()
{
    if (::getuid() != 0)
        return QStringLiteral("not running as root: the checks already run as an ordinary user");
    const QString uid = run({QStringLiteral("uid")}, true);
    if (uid != QString::number(kNobody))
        return QStringLiteral("cannot drop privileges with setpriv (it answered \"%1\")").arg(uid);
    return {};
}

QString run(const QStringList& args, bool asNobody)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    start(process, args, asNobody);
    if (!process.waitForStarted(kWaitMs))
        return QStringLiteral("<not started>");
    if (!process.waitForFinished(kWaitMs)) {
        process.kill();
        process.waitForFinished(kWaitMs);
        return QStringLiteral("<hung>");
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool giveToNobody(const QString& folder)
{
    bool all = ::lchown(QFile::encodeName(folder).constData(), kNobody, kNobody) == 0;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        all = ::lchown(QFile::encodeName(it.next()).constData(), kNobody, kNobody) == 0 && all;
    return all;
}

} // namespace probe

LockHolder::LockHolder(const QString& wordFile, bool asNobody)
{
    probe::start(process_, {QStringLiteral("hold"), wordFile}, asNobody);
    process_.waitForStarted(probe::kWaitMs);
}

LockHolder::~LockHolder()
{
    kill();
}

std::string LockHolder::answer()
{
    while (!process_.canReadLine() && process_.state() != QProcess::NotRunning
           && process_.waitForReadyRead(probe::kWaitMs)) { }
    if (!process_.canReadLine())
        return "<hung>";
    return process_.readLine().trimmed().toStdString();
}

void LockHolder::exit()
{
    process_.closeWriteChannel();
    if (!process_.waitForFinished(probe::kWaitMs))
        kill();
}

void LockHolder::kill()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
    process_.waitForFinished(probe::kWaitMs);
}

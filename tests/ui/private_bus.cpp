#include "private_bus.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

PrivateBus::PrivateBus()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (program.isEmpty())
        return;
    QDir(dir_.path()).mkdir(QStringLiteral("services"));
    const QString config = dir_.filePath(QStringLiteral("bus.conf"));
    writeFile(config,
              QStringLiteral("<busconfig><type>session</type>"
                             "<listen>unix:path=%1</listen><auth>EXTERNAL</auth><servicedir>%2</servicedir>"
                             "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                             "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                  .arg(dir_.filePath(QStringLiteral("socket")), dir_.filePath(QStringLiteral("services")))
                  .toUtf8());
    daemon_.start(program,
                  {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted(10000))
        return;
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(10000)) { }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000))
            daemon_.kill();
        daemon_.waitForFinished(5000);
    }
}

void PrivateBus::installService(const QString& name, const QString& marker) const
{
    writeFile(
        dir_.filePath(QStringLiteral("services/%1.service").arg(name)),
        QStringLiteral("[D-BUS Service]\nName=%1\nExec=/usr/bin/touch %2\n").arg(name, marker).toUtf8());
}

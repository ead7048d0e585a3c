#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A D-Bus daemon of the test's own, with a folder for service files (which
// the daemon would start on demand). Without dbus-daemon installed, address()
// is empty and the test skips.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    QString address() const { return address_; }
    // Writes a service file for `name` whose program creates the file
    // `marker` when the daemon starts it.
    void installService(const QString& name, const QString& marker) const;
    QString path(const QString& relative) const { return dir_.filePath(relative); }

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QString address_;
};

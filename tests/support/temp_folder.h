#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Real files in a temporary folder, which is also the working directory
// (the program's data folder); the preferences file lives in its "config"
// subfolder.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    QString path(const QString& relative) const;
    QString prefsFile() const;
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    // Writes a preferences file naming `wordFile` as the default.
    void writePrefs(const QByteArray& wordFile) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// CP932 bytes written in a test as UTF-8 text.
QByteArray sjis(const char* utf8);

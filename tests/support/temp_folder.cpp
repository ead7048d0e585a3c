#include "support/temp_folder.h"

#include "store/codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TempFolder::TempFolder()
{
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
}

TempFolder::~TempFolder()
{
    QDir::setCurrent(previous_);
}

QString TempFolder::path(const QString& relative) const
{
    return QDir(dir_.path()).filePath(relative);
}

QString TempFolder::prefsFile() const
{
    return path(QStringLiteral("config/plimopref.ini"));
}

void TempFolder::write(const QString& relative, const QByteArray& bytes) const
{
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << file.toStdString();
}

QByteArray TempFolder::read(const QString& relative) const
{
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

bool TempFolder::exists(const QString& relative) const
{
    return QFileInfo::exists(path(relative));
}

void TempFolder::writePrefs(const QByteArray& wordFile) const
{
    write(QStringLiteral("config/plimopref.ini"), "[wordfile]\r\ndefwordfile=" + wordFile + "\r\n");
}

QByteArray sjis(const char* utf8)
{
    return cp932::encode(QString::fromUtf8(utf8));
}

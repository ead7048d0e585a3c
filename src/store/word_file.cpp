#include "store/word_file.h"

#include "store/failure.h"
#include "store/whole_file.h"

#include <QFile>
#include <QFileInfo>

QString fileNameFor(const QString& storedPath)
{
    QString name = storedPath;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return name;
}

void LoadLines(LineStore& store, const QString& path)
{
    QFile file(fileNameFor(path));
    if (!file.open(QIODevice::ReadOnly))
        throw Failure::cannotOpen(path);
    if (file.size() > kMaxWordFileBytes)
        throw Failure::tooLarge();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure::cannotOpen(path);
    if (bytes.size() > kMaxWordFileBytes)
        throw Failure::tooLarge();
    // A zero byte means this is no text file of ours (UTF-16, a program, an
    // image); keeping the bytes before it would cut the file on the next save.
    if (bytes.contains('\0'))
        throw Failure(
            QStringLiteral("ファイル %1 はテキストの単語ファイルではありません(0 のバイトを含んでいます)")
                .arg(path));
    store.setText(bytes);
}

void SaveLines(const LineStore& store, const QString& path)
{
    const QString name = fileNameFor(path);
    // The new text is written beside the file and then takes its place, which
    // would get round a read-only word file; leave such a file as it is.
    const QFileInfo existing(name);
    if (existing.exists() && !existing.isWritable())
        throw Failure::cannotCreate(path);
    if (!replaceWholeFile(name, store.text()))
        throw Failure::cannotCreate(path);
}

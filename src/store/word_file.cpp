#include "store/word_file.h"

#include "store/failure.h"

#include <QFile>
#include <QSaveFile>

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
    QByteArray bytes = file.read(kMaxWordFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw Failure::cannotOpen(path);
    if (bytes.size() > kMaxWordFileBytes)
        throw Failure::tooLarge();
    // A zero byte means this is no text file of ours (UTF-16, a program, an
    // image); keeping the bytes before it would cut the file on the next save.
    if (bytes.contains('\0'))
        throw Failure(QStringLiteral("ファイル %1 はテキストの単語ファイルではありません(0 のバイトを含んでいます)").arg(path));
    store.setText(bytes);
}

void SaveLines(const LineStore& store, const QString& path)
{
    QSaveFile file(fileNameFor(path));
    if (!file.open(QIODevice::WriteOnly))
        throw Failure::cannotCreate(path);
    const QByteArray bytes = store.text();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw Failure::cannotCreate(path);
}

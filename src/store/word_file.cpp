#include "store/word_file.h"

#include "regular_file.h"
#include "store/failure.h"
#include "whole_file.h"

#include <QFile>
#include <unistd.h>

QString fileNameFor(const QString& storedPath)
{
    QString name = storedPath;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return name;
}

namespace {

QByteArray readWhole(const QString& path, qint64 limit, bool wordFile)
{
    FileRead read = readRegularFile(fileNameFor(path), limit);
    if (read.outcome == FileRead::kTooLarge)
        throw wordFile ? Failure::wordFileTooLarge(path, limit) : Failure::tooLarge();
    if (read.outcome != FileRead::kRead)
        throw Failure::cannotOpen(path, read.reason());
    return std::move(read.bytes);
}

} // namespace

QByteArray readWholeFile(const QString& path, qint64 limit)
{
    return readWhole(path, limit, false);
}

FileStamp LoadLines(LineStore& store, const QString& path)
{
    const QByteArray bytes = readWhole(path, kMaxWordFileBytes, true);
    // A zero byte means this is no text file of ours (UTF-16, a program, an
    // image); keeping the bytes before it would cut the file on the next save.
    if (bytes.contains('\0'))
        throw Failure(
            QStringLiteral("ファイル %1 はテキストの単語ファイルではありません(0 のバイトを含んでいます)")
                .arg(path));
    store.setText(bytes);
    return FileStamp::of(bytes);
}

void saveWholeFile(const QString& path, const QByteArray& bytes)
{
    const SaveTarget target = saveTargetOf(fileNameFor(path));
    if (!target.replaceable())
        throw Failure::cannotCreate(path, target.reason());
    // The new text is written beside the file and then takes its place, which
    // would get round a read-only file; leave such a file as it is.
    const QByteArray native = QFile::encodeName(target.file);
    if (target.kind == SaveTarget::kRegular && ::access(native.constData(), W_OK) != 0)
        throw Failure::cannotCreate(path);
    switch (replaceWholeFile(target.file, bytes)) {
    case Replaced::kDone: break;
    case Replaced::kWriteFailed: throw Failure::cannotCreate(path);
    case Replaced::kNoNewFile:
        // The folder takes no new file, but the file itself may still be
        // written, as it always could be: in place, not atomically.
        if (target.kind != SaveTarget::kRegular || !writeInPlace(target.file, bytes, kMaxWordFileBytes))
            throw Failure::cannotCreate(path);
        break;
    }
}

FileStamp SaveLines(const LineStore& store, const QString& path)
{
    const QByteArray bytes = store.text();
    // A file we could not load again would lose every word at the next start.
    if (bytes.size() > kMaxWordFileBytes)
        throw Failure::cannotCreate(path,
                                    QStringLiteral("読み込める大きさの上限 %1 MiB を越えます")
                                        .arg(kMaxWordFileBytes / (1024 * 1024)));
    saveWholeFile(path, bytes);
    return FileStamp::of(bytes);
}

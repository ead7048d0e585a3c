#include "store/word_file.h"

#include "regular_file.h"
#include "store/failure.h"
#include "whole_file.h"

#include <QFile>
#include <unistd.h>

namespace {

const QString& nameShown(const QString& file, const QString& shown)
{
    return shown.isEmpty() ? file : shown;
}

// A word file too large to load is named as such; any other read past its
// limit gets the fixed sentence alone.
QByteArray readWhole(const QString& file, qint64 limit, const QString& shown, bool wordFile)
{
    FileRead read = readRegularFile(file, limit);
    if (read.outcome == FileRead::kTooLarge)
        throw wordFile ? Failure::wordFileTooLarge(nameShown(file, shown), limit) : Failure::tooLarge();
    if (read.outcome != FileRead::kRead)
        throw Failure::cannotOpen(nameShown(file, shown), read.reason());
    return std::move(read.bytes);
}

} // namespace

QByteArray readWholeFile(const QString& file, qint64 limit, const QString& shown)
{
    return readWhole(file, limit, shown, false);
}

FileStamp LoadLines(LineStore& store, const QString& file, const QString& shown)
{
    const QString& path = nameShown(file, shown);
    const QByteArray bytes = readWhole(file, kMaxWordFileBytes, shown, true);
    // A zero byte means this is no text file of ours (UTF-16, a program, an
    // image); keeping the bytes before it would cut the file on the next save.
    if (bytes.contains('\0'))
        throw Failure(
            QStringLiteral("ファイル %1 はテキストの単語ファイルではありません(0 のバイトを含んでいます)")
                .arg(path));
    store.setText(bytes);
    return FileStamp::of(bytes);
}

void saveWholeFile(const QString& file, const QByteArray& bytes, const QString& shown)
{
    const QString& path = nameShown(file, shown);
    const SaveTarget target = saveTargetOf(file);
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

FileStamp SaveLines(const LineStore& store, const QString& file, const QString& shown)
{
    const QString& path = nameShown(file, shown);
    const QByteArray bytes = store.text();
    // A file we could not load again would lose every word at the next start.
    if (bytes.size() > kMaxWordFileBytes)
        throw Failure::cannotCreate(path,
                                    QStringLiteral("読み込める大きさの上限 %1 MiB を越えます")
                                        .arg(kMaxWordFileBytes / (1024 * 1024)));
    saveWholeFile(file, bytes, path);
    return FileStamp::of(bytes);
}

#pragma once

#include "store/file_stamp.h"
#include "store/line_store.h"

#include <QString>

// Word files are written atomically (see replaceWholeFile), so a crash, a
// kill or a full disk never leaves a half-written word file. Only regular
// files are read or replaced; a symbolic link to one is followed and kept.

// The largest word file we load, and so the largest we save. A full store
// of 1000 records is about 60 kB; this leaves room for long example
// sentences and foreign files while keeping a mistaken pick (a film, a disk
// image) out of memory.
constexpr qint64 kMaxWordFileBytes = 16 * 1024 * 1024;

// Every function takes the file's name as the file system knows it (see
// WordFilePath in the core for how a stored name becomes one) and names the
// file in its messages as `shown`, or as `file` when `shown` is empty.

// Reads the file into `store` and returns the stamp of what it read. Raises
// "ファイル %s は開けません" when it cannot be read, with a reason when what
// stands there is no regular file (a FIFO, a device, a folder, a socket);
// "文字列の大きさが メモ の制限を越えました" past kMaxWordFileBytes, however
// large the file claims to be, with the file's name and the limit after it
// (Failure::wordFileTooLarge); and refuses a file holding a zero byte.
// `store` is unchanged by any failure. Never waits on a FIFO.
FileStamp LoadLines(LineStore& store, const QString& file, const QString& shown = {});

// The whole content of the regular file at `path` (or a link to one),
// read the way word files are: never waiting on a FIFO, stopping past
// `limit`. Raises "ファイル %s は開けません" (with a reason for what is no
// regular file) and "文字列の大きさが メモ の制限を越えました" past the limit.
QByteArray readWholeFile(const QString& file, qint64 limit, const QString& shown = {});

// Writes the store to the file and returns the stamp of what it wrote.
// Raises "ファイル %s を作成できません" and leaves the old file whole when the
// new one cannot be written completely, when it would be larger than a load
// accepts, when the file is read-only, or (with a reason) when what stands
// there is no regular file or a symbolic link leading nowhere.
//
// When the folder refuses a new file but the word file is writable, the
// atomic way is impossible and the file is written in place instead.
FileStamp SaveLines(const LineStore& store, const QString& file, const QString& shown = {});

// The same for any bytes we write whole (an export): a regular file or
// nothing is replaced, all or nothing, and a read-only file is left alone.
void saveWholeFile(const QString& file, const QByteArray& bytes, const QString& shown = {});

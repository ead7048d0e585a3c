#pragma once

#include "store/line_store.h"

#include <QString>

// Word files are written atomically (see replaceWholeFile), so a crash, a
// kill or a full disk never leaves a half-written word file.

// The largest word file we load. A full store of 1000 records is about
// 60 kB; this leaves room for long example sentences and foreign files
// while keeping a mistaken pick (a film, a disk image) out of memory.
constexpr qint64 kMaxWordFileBytes = 16 * 1024 * 1024;

// A path as stored (preferences, state cells) to a file name: a backslash
// is a directory separator on every platform.
QString fileNameFor(const QString& storedPath);

// Reads the file into `store`. Raises "ファイル %s は開けません" when it
// cannot be read, and refuses a file over the size limit or holding a zero
// byte; `store` is unchanged by any failure.
void LoadLines(LineStore& store, const QString& path);

// Raises "ファイル %s を作成できません" and leaves the old file whole when the
// new one cannot be written completely.
void SaveLines(const LineStore& store, const QString& path);

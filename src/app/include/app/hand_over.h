#pragma once

#include "app/instance_channel.h"

#include <QString>

class Dialogs;

// The channel of the copy that holds a word file's lock is named after the
// lock file as the file system sees it, so every path to the word file
// reaches the same copy.
QString channelKeyFor(const QString& lockFile);

// A start that found its default word file held by another Lexiwren: that
// copy is asked to bring its window forward, and this start ends. When it
// does not answer (it hangs, or it is another user's), a message box says
// that Lexiwren is running with that word file.
void handOverStart(const QString& wordFile, const QString& lockFile, Dialogs& dialogs,
                   int timeoutMs = InstanceChannel::kTimeoutMs);

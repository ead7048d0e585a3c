#pragma once

#include "app/instance_channel.h"

#include <QString>

class Dialogs;

// A start that found its default word file held by another Lexiwren: that
// copy is asked to bring its window forward, and this start ends. The copy
// is reached through the channel named after the word file's key
// (WordFileLock::keyFor), so every path to the word file reaches it. When it
// does not answer (it hangs, or it is another user's), a message box says
// that Lexiwren is running with that word file.
// `file` is the word file's name for the file system, `shown` the name the
// learner knows it by.
void handOverStart(const QString& file, const QString& shown, Dialogs& dialogs,
                   int timeoutMs = InstanceChannel::kTimeoutMs);

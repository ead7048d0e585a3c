#pragma once

#include <QByteArray>
#include <QString>

// A word file of `records` lines like a learner's: mostly Japanese meanings
// and example sentences, about 60 bytes a record, every third
// word answered with a low rate. Every meaning is different, so the word
// asked for can be told from the question shown.
QByteArray benchWordFile(int records);

// The floor of every save: one plain atomic write of the bytes with Qt's
// QSaveFile, nothing of ours. Aborts the benchmark when it fails.
void atomicSave(const QString& path, const QByteArray& bytes);

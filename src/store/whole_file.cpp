#include "whole_file.h"

#include <QSaveFile>

Replaced replaceWholeFile(const QString& name, const QByteArray& bytes)
{
    QSaveFile file(name);
    // Unbuffered, so a short write (a full disk, a file-size limit) shows in
    // the count write() returns: a buffered write reports every byte taken,
    // and the failure of the final flush does not stop commit() from putting
    // the cut file in place of the whole one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Replaced::kNoNewFile;
    if (file.write(bytes) != bytes.size() || !file.commit())
        return Replaced::kWriteFailed;
    return Replaced::kDone;
}

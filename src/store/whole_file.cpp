#include "store/whole_file.h"

#include <QSaveFile>

bool replaceWholeFile(const QString& name, const QByteArray& bytes)
{
    QSaveFile file(name);
    // Unbuffered, so a short write (a full disk, a file-size limit) shows in
    // the count write() returns: a buffered write reports every byte taken,
    // and the failure of the final flush does not stop commit() from putting
    // the cut file in place of the whole one.
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size()
        && file.commit();
}

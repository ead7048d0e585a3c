#include "history/history.h"

#include <QDir>
#include <QFileInfo>

namespace history {

namespace {

// The absolute path with links resolved where the file (or, for a file not
// made yet, its folder) exists, so one file has one key however reached.
QString resolved(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                            : QDir(folder).filePath(info.fileName());
}

} // namespace

QString wordFileKey(const QString& dataFolder, const QString& wordFile)
{
    const QString file = resolved(wordFile);
    if (dataFolder.isEmpty())
        return file;
    const QString folder = resolved(dataFolder);
    const QString relative = QDir(folder).relativeFilePath(file);
    if (relative.startsWith(QLatin1String("../")) || relative == QLatin1String("..")
        || QDir::isAbsolutePath(relative))
        return file;
    return relative;
}

} // namespace history

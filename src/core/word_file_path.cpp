#include "core/word_file_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <sys/stat.h>

namespace {

QString withSlashes(QString name)
{
    return name.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The names a path may stand for: the file itself and, when it holds a
// backslash, the name with the backslash read as a separator.
QStringList readingsOf(const WordFilePath& path)
{
    QStringList names{path.file()};
    if (path.file().contains(QLatin1Char('\\')))
        names << withSlashes(path.file());
    return names;
}

// The absolute name of a file that need not exist, its folder found
// through links where it exists.
QString absoluteName(const QString& file)
{
    const QFileInfo info(file);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QDir::cleanPath(QDir(folder.isEmpty() ? info.absolutePath() : folder).filePath(info.fileName()));
}

bool sameName(const QString& a, const QString& b)
{
    struct stat sa { };
    struct stat sb { };
    const bool aThere = ::stat(QFile::encodeName(a).constData(), &sa) == 0;
    const bool bThere = ::stat(QFile::encodeName(b).constData(), &sb) == 0;
    if (aThere && bThere)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (aThere != bThere)
        return false;
    return absoluteName(a) == absoluteName(b);
}

} // namespace

WordFilePath WordFilePath::stored(const QString& text)
{
    return {text, withSlashes(text)};
}

WordFilePath WordFilePath::picked(const QString& text)
{
    return {text, text};
}

bool WordFilePath::isRelative() const
{
    return QDir::isRelativePath(file_);
}

bool WordFilePath::exists() const
{
    return !file_.isEmpty() && QFileInfo::exists(file_);
}

WordFilePath WordFilePath::withSuffix(const QString& suffix) const
{
    if (file_.endsWith(suffix, Qt::CaseInsensitive))
        return *this;
    return {shown_ + suffix, file_ + suffix};
}

bool sameFile(const WordFilePath& a, const WordFilePath& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    for (const QString& x : readingsOf(a)) {
        for (const QString& y : readingsOf(b)) {
            if (sameName(x, y))
                return true;
        }
    }
    return false;
}

#include "interchange/export_file.h"

#include "forms.h"
#include "store/failure.h"
#include "store/word_file.h"

#include <QFileInfo>

namespace interchange {

QString suffixFor(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Csv: return QStringLiteral("csv");
    case ExportFormat::AnkiText: return QStringLiteral("txt");
    case ExportFormat::Kvtml: return QStringLiteral("kvtml");
    }
    return {};
}

QByteArray exportBytes(ExportFormat format, const std::vector<QByteArray>& records, const QString& title)
{
    switch (format) {
    case ExportFormat::Csv: return csvBytes(records);
    case ExportFormat::AnkiText: return ankiTextBytes(records);
    case ExportFormat::Kvtml: return kvtmlBytes(records, title);
    }
    return {};
}

void writeExportFile(const QString& path, ExportFormat format, const std::vector<QByteArray>& records)
{
    // As with word files: only a regular file or nothing is replaced, a
    // read-only file stays as it is, and a new one takes the old one's place
    // only when it was written whole.
    saveWholeFile(path, exportBytes(format, records, QFileInfo(path).completeBaseName()));
}

} // namespace interchange

#pragma once

#include "interchange/import_rows.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The forms we read and write, one reader and one writer each; the public
// functions choose among them.
namespace interchange {

// Readers, by form.
std::vector<ImportRow> readDelimited(const QString& text);
std::vector<ImportRow> readKvtml(const QByteArray& bytes, const QString& name);

// Writers, by form.
QByteArray csvBytes(const std::vector<QByteArray>& records);
QByteArray ankiTextBytes(const std::vector<QByteArray>& records);
QByteArray kvtmlBytes(const std::vector<QByteArray>& records, const QString& title);

} // namespace interchange

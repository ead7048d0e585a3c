#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamEntityDeclarations>

// The bounds of reading a KVTML file from someone else. Qt's XML reader
// opens no other file, but it expands entities as often as a file uses
// them, gathers the text of an element whole before handing it over, and
// expands parameter entities in the DTD before anything is reported; so the
// DTD is looked at before Qt reads it, the entities' uses are counted
// before any is expanded, and the reader counts every character it is
// given.
namespace interchange {

// Elements nest at most this deep (KDE's files nest a dozen levels).
constexpr int kMaxKvtmlDepth = 256;

// All the text a KVTML file may deliver, its entities expanded: a megabyte
// plus twice the file's size. Without entities a file delivers less text
// than it has bytes.
constexpr qint64 kExpansionAllowance = 1024 * 1024;
constexpr qint64 kExpansionFactor = 2;
inline qint64 expansionBudget(qint64 fileBytes)
{
    return kExpansionAllowance + kExpansionFactor * fileBytes;
}

// The refusal of a file whose text would pass the budget.
QString tooMuchExpansion(const QString& name, qint64 budget);

// Before Qt reads the file: refuses a parameter entity reference ("%name;")
// in the internal subset of the DTD. KVTML has no use for one, and Qt
// would expand it, as often as it is used, before reporting anything.
void checkInternalSubset(const QByteArray& bytes, const QString& name);

// When Qt has read the DTD and nothing after it: refuses an entity that
// stands for another file (a SYSTEM or PUBLIC id; never opened, and Qt
// would leave its text out without a word), and a file whose uses of its
// internal entities would expand past the budget.
void checkEntities(const QXmlStreamEntityDeclarations& declarations, const QByteArray& bytes,
                   const QString& name);

} // namespace interchange

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the readers and writers share: the column names and the decoded
// texts of a record.
namespace interchange {

// Our seven columns as headings, in the words of the registration panel.
QStringList columnHeadings();

// True for a row whose first two cells name the word and meaning columns
// (in English or Japanese, any case): a header row, not a word.
bool isHeaderRow(const QString& first, const QString& second);

// The seven fields of a record line as text; the part of speech as its name
// where field 5 is an index 0..4, otherwise as it stands.
struct RecordTexts {
    QString word, meaning, example, exampleMeaning, part, asked, correct;
};
RecordTexts textsOf(const QByteArray& record);

} // namespace interchange

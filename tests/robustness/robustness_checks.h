#pragma once

#include "support/scripted_dialogs.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <string>

// Checks shared by the damaged-file and hostile-input suites. They split
// and read word files with their own plain code, not the program's store,
// so a fault in the store cannot hide itself.
namespace robustness {

// The lines of a word file: CR LF, lone CR and lone LF each end a line; a
// final line break adds no line.
QList<QByteArray> fileLines(const QByteArray& bytes);

// Field k (1..7) as every reader of a record sees it: the text between the
// (k-1)th and kth comma, the last field present when the line has fewer.
QByteArray field(const QByteArray& line, int k);

// True when the text is one of the program's own messages (an error box
// adds a final "."). Every box the program can show is listed here.
bool isKnownMessage(const QString& text);

// Every plain, confirmation and error text shown that is not the program's
// own, one per line; empty when all are known.
std::string unknownMessages(const ScriptedDialogs& dialogs);

// Compares a word file before and after: the same lines and the same final
// line break (or none), except that a record in `answered` (store indices)
// may have been rebuilt with its first five fields kept and seven fields in
// all. Describes every other difference; empty when there is none.
std::string untouchedExceptAnswered(const QByteArray& before, const QByteArray& after,
                                    const QSet<int>& answered);

// What the word file format can hold, for a file of records only: exactly
// `lines` lines, each decoding as CP932, none holding a zero byte, each with
// at least seven fields. Describes every breach; empty when there is none.
std::string holdsOnlyWhatTheFormatCan(const QByteArray& bytes, int lines);

} // namespace robustness

#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Writing the records out for other programs. The records are CP932 record
// lines (fields read with ReadField); every form carries the word, meaning,
// example, example meaning, part of speech by name, and the two counts.
namespace interchange {

enum class ExportFormat {
    // UTF-8 with a byte-order mark (so spreadsheets read Japanese text as
    // such), RFC 4180 quoting, CR LF, a header row.
    Csv,
    // Tab-separated UTF-8 with Anki's header lines (#separator:tab,
    // #html:false, #columns:…) instead of a header row.
    AnkiText,
    // KVTML 2.0, valid against KDE's kvtml2.dtd, for KWordQuiz and Parley.
    Kvtml,
};

// The file name suffix each form is known by, without the dot.
QString suffixFor(ExportFormat format);

// The bytes of the file. `title` names the vocabulary where the form has a
// place for it (KVTML).
QByteArray exportBytes(ExportFormat format, const std::vector<QByteArray>& records, const QString& title);

// Writes the file all or nothing; the title is the file's base name. Raises
// "ファイル %s を作成できません" when it cannot be written completely, and
// leaves an existing file as it was.
void writeExportFile(const QString& path, ExportFormat format, const std::vector<QByteArray>& records);

} // namespace interchange

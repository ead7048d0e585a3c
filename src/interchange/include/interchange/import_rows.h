#pragma once

#include <QString>
#include <vector>

// Reading the files other vocabulary programs write: CSV (comma or
// semicolon), tab-separated text with or without Anki's "#key:value" header
// lines, and KVTML 2.0 as KWordQuiz and Parley save it. What comes out is
// rows of text, not records yet: whether a row can become a record is the
// import plan's question (import_plan.h), so the learner sees every row and
// its fate before anything changes.
namespace interchange {

// One row in our column order, with the line of the file where it starts
// (from 1; a quoted field running over several lines counts from its row's
// first line; for KVTML the line of the <entry>).
struct ImportRow {
    int line = 0;
    QString word;
    QString meaning;
    QString example;
    QString exampleMeaning;
    // A part-of-speech name (名詞, 動詞, 形容詞, 副詞, 熟語), an index 0..4 or
    // empty, as the file has it; checked by the plan.
    QString part;
};

// Larger files are refused unread: a thousand words in any of these forms
// take well under a megabyte.
constexpr qint64 kMaxImportBytes = 16 * 1024 * 1024;

// Reads the file and tells its form by its content, not its name. Text may
// be UTF-8 (with or without a byte-order mark), UTF-16 with a byte-order mark
// (a spreadsheet's "Unicode text"), or, when it is not valid UTF-8, CP932
// (what Japanese spreadsheets save as CSV). A header row naming the columns
// (word/meaning, 単語/意味 …) and rows with no text in any column are left
// out. Raises a Failure naming the file when it cannot be read or is not
// text or KVTML 2.0 we understand.
std::vector<ImportRow> readImportFile(const QString& path);

// The same for bytes already read; `name` is used in failure messages.
std::vector<ImportRow> readImportBytes(const QByteArray& bytes, const QString& name);

} // namespace interchange

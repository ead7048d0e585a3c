#pragma once

#include <QString>
#include <QtGlobal>
#include <exception>
#include <functional>
#include <vector>

// Reading the files other vocabulary programs write: CSV (comma or
// semicolon), tab-separated text with or without Anki's "#key:value" header
// lines, and KVTML 2.0 as KWordQuiz and Parley save it. What comes out is
// rows of text, not records yet: whether a row can become a record is the
// import plan's question, so the learner sees every row and its fate before
// anything changes.
//
// These files come from others, so reading is bounded: the file's size, the
// text kept of one column, the nesting and the expansion of KVTML. Rows are
// handed on one at a time as they are read, never gathered, so a million
// rows cost no more memory than one.
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

// The longest text one column of a row can bring: as much as an edit of the
// registration form holds. A reader keeps at most one character more of a
// column, enough for the plan to refuse the row as too long without the
// rest of a runaway field in memory.
constexpr qsizetype kMaxFieldChars = 32767;

// Where the rows of a file go as they are read.
class ImportSink {
public:
    virtual ~ImportSink() = default;
    virtual void row(ImportRow&& row) = 0;
    // Something about the file as a whole the learner should know before
    // deciding (an unterminated quote, say), in words to show.
    virtual void note(const QString& text) = 0;
};

// How far reading has come (`done` of `total`, in any one unit). Answers
// false once the reading is to stop: the reader then raises Cancelled.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// Reading was stopped through Progress; nothing is wrong with the file.
class Cancelled : public std::exception {
public:
    const char* what() const noexcept override { return "import cancelled"; }
};

// Reads the file and tells its form by its content, not its name. Text may
// be UTF-8 (with or without a byte-order mark), UTF-16 with a byte-order mark
// (a spreadsheet's "Unicode text"), or, when it is not valid UTF-8, CP932
// (what Japanese spreadsheets save as CSV). A header row naming the columns
// (word/meaning, 単語/意味 …) and rows with no text in any column are left
// out. Raises a Failure naming the file when it is too large, cannot be read,
// or is not text or KVTML 2.0 we understand (or KVTML that nests or expands
// beyond our bounds, or refers to another file). `path` is the file's name
// exactly as picked: a backslash in it is part of the name.
void readImportFile(const QString& path, ImportSink& sink, const Progress& progress = {});

// The same for bytes already read; `name` is used in failure messages.
void readImportBytes(const QByteArray& bytes, const QString& name, ImportSink& sink,
                     const Progress& progress = {});

// The rows alone, gathered (for small files and tests).
std::vector<ImportRow> readImportFile(const QString& path);
std::vector<ImportRow> readImportBytes(const QByteArray& bytes, const QString& name);

} // namespace interchange

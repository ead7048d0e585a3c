#pragma once

#include "core/word_file_path.h"
#include "store/file_stamp.h"
#include "store/line_store.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// A word as the learner types it on the registration tab.
struct NewWord {
    QString word;
    QString mean;
    QString example;
    QString exampleMean;
    int part = 0; // 0 名詞 … 4 熟語
};

// What a registration came to. A message, when there is one, is shown to
// the learner as a plain message box.
struct RegistrationResult {
    enum Kind {
        Registered, // stored and saved; the form is emptied
        Full, // 1000 words already; the form is emptied
        Duplicate, // the word is registered already; the form is emptied
        MissingRequired, // no word or no meaning; the form is kept
        RefusedText, // text a record cannot hold; the form is kept
    };
    Kind kind;
    QString message;

    bool clearsForm() const { return kind == Registered || kind == Full || kind == Duplicate; }
};

// One row of the word list: the record it shows and its seven cells
// (No., 単語, 意味, 品詞, 正解率, 例文, 例文意味).
struct ListRow {
    static constexpr int kColumns = 7;
    int record;
    std::array<QString, kColumns> cells;
};

// The words of the current word file: the store and where it is saved.
// Every scan walks the store from its first line to the first empty one.
// The members change the store in memory only; the trainer wraps each
// learner's action around them and saves (see Trainer).
class WordBook {
public:
    LineStore store;
    WordFilePath path; // the current word file; empty when none
    // What the word file held when we last loaded or saved it.
    FileStamp stamp;
    // What stands at the word file's name now and the learner chose to save
    // over, for the rest of the action at hand. Kept apart from `stamp`: a
    // save that then fails has not made that state ours, so a file put
    // back as we left it is no change.
    std::optional<FileStamp> overwrite;

    // Records a scan sees, looking at no more than `indices` lines.
    int visibleRecords(int indices) const;

    // Appends the word behind the last record a scan sees. Text a field
    // cannot hold answers RefusedText; a character with no CP932 code raises
    // the codec's Failure. Checks in this order: the limit, the texts, a
    // duplicate word, the required fields.
    RegistrationResult registerWord(const NewWord& typed);

    // The rows of the word list, one per visible record (at most 1000).
    // A damaged record raises the conversion Failure.
    std::vector<ListRow> listing() const;

    // The record field a list column shows, or 0 for the columns that
    // cannot be changed (No., 品詞, 正解率).
    static int fieldOfColumn(int column);
    // Rewrites the record with one field replaced: fields 1 to 7, each
    // followed by a comma. The message refusing the text, or empty once the
    // record is rewritten.
    QString changeField(int record, int field, const QString& text);
    void deleteRecord(int record);
    // Sets both counters of every visible record to 0; false when there is
    // no record to reset.
    bool resetCounts();

    // One answer to a record: `asked` one up, and `correct` too when right.
    void countAnswer(int record, bool right);

    // Saves the whole store to `path`. Raises ExternalChange, writing
    // nothing, when the file no longer holds what we last loaded or saved
    // (nor what the learner chose to overwrite).
    void save();
};

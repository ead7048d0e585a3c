#pragma once

#include "core/registration_rules.h"
#include "core/word_file_path.h"
#include "store/file_stamp.h"
#include "store/line_store.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// One word of the list: the record it shows and its fields as the list
// shows them.
struct ListEntry {
    int record = 0; // store index
    QString word;
    QString mean;
    QString example;
    QString exampleMean;
    int part = 0;
    int asked = 0;
    int correct = 0;
    // When the review schedule asks the word again, as the list shows it
    // (the trainer fills it in): a local date, 今日 when due by the end of
    // today, empty for a word never answered.
    QString nextReview;
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

    // Registers the word when the registration rules admit it (see
    // RegistrationRules); what they said of it.
    RegistrationResult registerWord(const NewWord& typed);
    // Inserts new records behind the last record a scan sees. When the scan
    // ends at an empty line inside the store (a word file edited by hand),
    // that line stays behind them, and so does whatever the learner keeps
    // out of sight behind it.
    void insertRecords(const std::vector<QByteArray>& records);

    // The words of the list, one per visible record (at most 1000). A
    // damaged record raises the conversion Failure.
    std::vector<ListEntry> listing() const;
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

#pragma once

#include "core/outcome.h"
#include "interchange/import_rows.h"
#include "store/line_store.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What an import would do, decided before anything changes: the records to
// add, and for every other row its line and the reason in words the
// learner can act on. A row passes the checks a registration makes (the
// same rules, word_rules.h), plus those a typed word never needs: a part of
// speech that is none of ours, a word twice in the file. Planning keeps no
// more than it shows: the words that fit, the first kListedRefusals refused
// rows; the others are counted.
struct RefusedRow {
    int line = 0;
    QString reason;
};

struct PlannedWord {
    int line = 0;
    QByteArray word; // CP932, as the duplicate check compares it
    // The record line exactly as registration writes it:
    // word,mean,example,examplemean,part,0,0.
    QByteArray record;
};

// Refused rows listed with their reasons; beyond these they are counted.
inline constexpr int kListedRefusals = 500;

struct ImportPlan {
    std::vector<PlannedWord> words; // in file order
    std::vector<RefusedRow> refused; // the first ones, in file order
    qint64 refusedRows = 0; // all of them
    QStringList notes; // about the file as a whole

    std::vector<QByteArray> records() const;
};

// Plans rows as a reader hands them over, against the words a scan sees
// and the room left. Words are compared byte for byte after conversion to
// CP932, as registration does, against the registered words and against
// the rows already accepted.
class ImportPlanner : public interchange::ImportSink {
public:
    ImportPlanner(QSet<QByteArray> registered, int room);
    explicit ImportPlanner(const LineStore& store);

    void row(interchange::ImportRow&& row) override;
    void note(const QString& text) override;
    ImportPlan take() { return std::move(plan_); }

private:
    void refuse(int line, const QString& reason);

    QSet<QByteArray> registered_;
    int room_;
    QHash<QByteArray, int> accepted_; // word -> its line in the file
    ImportPlan plan_;
};

ImportPlan planImport(const std::vector<interchange::ImportRow>& rows,
                      const std::vector<QByteArray>& registeredWords, int room);
ImportPlan planImport(const std::vector<interchange::ImportRow>& rows, const LineStore& store);

// What the learner is asked before the words are registered.
struct ImportPreview {
    // "N 語を登録します。" or "登録できる単語がありません。", how many rows
    // are refused, and the notes.
    QString text;
    // "12 行目: reason" for the listed refusals, and how many more there are.
    QStringList list;
    // Whether OK would register anything.
    bool registers = false;
};
ImportPreview previewImport(const ImportPlan& plan);

// What came of an import's OK.
struct ImportOutcome {
    int registered = 0;
    // The plan no longer held and nothing changed: this is the plan as it
    // now stands, for the learner to confirm again.
    std::optional<ImportPlan> changed;
    // What to tell the learner once the words are registered.
    QString message;
    // What the views redraw.
    Outcome changes;
};

// The plan as it stands against `store` now: nullopt while it still holds;
// otherwise the plan without the words registered since and those the
// room no longer takes, which join the refused rows.
std::optional<ImportPlan> recheckImport(const ImportPlan& plan, const LineStore& store);

// Reading and planning one import, on whatever thread: it reads the file
// and a copy of the store made when the job was (copies share their bytes),
// never the trainer.
class ImportJob {
public:
    ImportJob(QString file, LineStore store) : file_(std::move(file)), store_(std::move(store)) { }
    const QString& file() const { return file_; }
    // Raises the reader's Failure, or interchange::Cancelled when
    // `progress` answered no.
    ImportPlan run(const interchange::Progress& progress = {}) const;

private:
    QString file_;
    LineStore store_;
};

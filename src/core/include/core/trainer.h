#pragma once

#include "core/conflict.h"
#include "core/exam_session.h"
#include "core/import_plan.h"
#include "core/options.h"
#include "core/quiz_session.h"
#include "core/word_book.h"
#include "interchange/export_file.h"
#include "store/backups.h"
#include "store/order_list.h"
#include "store/random.h"
#include "store/word_file_lock.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// Everything a learner can act on: the current word file, the order list
// the quiz and the test share, the quiz and the test sessions, and the
// options. Views read it and call it, and redraw from it after every call.
//
// Every action is one transaction: it happens whole (the store changed, the
// word file saved, the session moved on) or, when any step fails, not at
// all. A failure is raised to the caller after everything was put back as
// it was, so memory, the file and what the views draw from them agree.
//
// The current word file is locked (WordFileLock) so that no other Lexiwren
// works on it at the same time, and before every save the trainer checks
// that no other program has changed it since; when one has, it asks the
// learner whether to overwrite or to load that version instead. Before the
// first change of a run to each word file, and before every deletion, reset
// and import, the word file is copied to the backups folder.
class Trainer {
public:
    explicit Trainer(QString prefsFile);

    const WordBook& book() const { return state_.book; }
    const OrderList& order() const { return state_.order; }
    const QuizSession& quiz() const { return state_.quiz; }
    const ExamSession& exam() const { return state_.exam; }
    const Random& rng() const { return state_.rng; }
    // A plain value: the options panel writes it as the learner chooses.
    Options options;

    // Where a word file named by a relative path lives (the working folder),
    // and whether it could be made. When it could not, no such file is
    // opened or created anywhere else. Backups go to its "backups" folder;
    // without a data folder none are taken.
    void setDataFolder(const QString& folder, bool usable);
    // Who decides what only the learner can; without anyone, a save over
    // another program's change and a failed backup raise their failures.
    void setQuestions(TrainerQuestions* questions) { questions_ = questions; }
    // Runs after the word file was loaded again in place of an action, so
    // the views can show the words anew.
    void setReloaded(std::function<void()> reloaded) { reloaded_ = std::move(reloaded); }

    // Runs whenever another word file became current (its lock is held).
    void setCurrentChanged(std::function<void()> changed) { currentChanged_ = std::move(changed); }
    // The lock file of the current word file and the key it is locked by
    // (WordFileLock), or empty when none is held.
    const QString& lockFile() const { return lock_.lockFile(); }
    const QString& lockKey() const { return lock_.key(); }

    // The preferences file and the default word file named in it.
    const QString& prefsFile() const { return prefsFile_; }
    const QString& defaultWordFile() const { return defaultWordFile_; }
    bool preferencesExist() const;
    // Writes the preferences file with the default word file.
    void createPreferences();
    void readDefaultWordFile();
    // Stores a new default word file; the current one stays. The message
    // refusing a name the preferences file cannot hold whole, or empty.
    QString setDefaultWordFile(const QString& path);
    // Makes the default word file current: created (with its folder) when
    // missing, then loaded. Raises FileInUse when another Lexiwren has it.
    void openDefaultWordFile();

    // Reseeds the random numbers from the clock (every tab switch).
    void reseed();
    // For tests and benchmarks: a known sequence of random numbers.
    void seed(uint32_t value);

    // The learner's actions.
    RegistrationResult registerWord(const NewWord& typed);
    // The message refusing the text, or empty once the field was changed.
    QString changeField(int record, int field, const QString& text);
    void deleteRecord(int record);
    // 初期化: false when there was no record, and nothing was written.
    bool resetCounts();
    // 読み込む: the file becomes the current word file; a name that does
    // not exist yet starts a new, empty word file there. Raises FileInUse
    // when another Lexiwren has it, and changes nothing on any failure.
    void openWordFile(const QString& path);
    // 書き出す: the words are written to `path`; the current file stays.
    void writeWordFile(const QString& path) const;
    // インポート: reading `file` and planning against the words registered
    // now, as a job that may run on another thread while the trainer goes
    // on (it holds a copy of the words, never the trainer).
    ImportJob importJob(const QString& file) const;
    // The same at once. Raises a Failure when the file cannot be read.
    ImportPlan planImport(const QString& file) const;
    // Registers the plan's words as one action: all saved together, or none
    // of them. The plan is checked again first against the words as they
    // are now: when a word was registered meanwhile or the room is used up,
    // nothing changes and the outcome holds the plan as it now stands.
    ImportOutcome importWords(const ImportPlan& plan);
    // Writes the visible records, with their counts, for another program.
    void exportWords(const QString& path, interchange::ExportFormat format) const;

    bool startQuiz();
    void nextQuestion();
    void showHint();
    QuizSession::Verdict answerQuiz(const QString& typed);

    bool startExam(ExamKind kind);
    void answerExam(const QString& typed);
    void tick();
    void abandonExam();
    void examToStart();

private:
    // All a transaction may change and must put back on failure. Copying it
    // copies shared byte arrays, not their contents.
    struct State {
        WordBook book;
        OrderList order;
        Random rng;
        QuizSession quiz;
        ExamSession exam;
    };

    template <typename Action> auto transact(Action&& action);
    // Makes `path` the current word file, with its words and its lock.
    void makeCurrent(const QString& path, bool createWhenMissing);
    // Loads the current word file again after another program changed it;
    // the sessions start afresh. Raises the notice that the action at hand
    // was not applied.
    [[noreturn]] void reloadChangedFile();
    // Copies the current word file to the backups before a change: always,
    // or only before the first change of this run.
    void backUp(bool always);

    QString prefsFile_;
    QString defaultWordFile_;
    QString dataFolder_;
    bool dataFolderUsable_ = true;
    TrainerQuestions* questions_ = nullptr;
    std::optional<Backups> backups_;
    // The word file whose first change of this run is covered by a backup.
    QString coveredPath_;
    std::function<void()> reloaded_;
    std::function<void()> currentChanged_;
    WordFileLock lock_;
    State state_;
};

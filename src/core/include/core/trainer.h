#pragma once

#include "core/exam_session.h"
#include "core/import_plan.h"
#include "core/options.h"
#include "core/outcome.h"
#include "core/progress.h"
#include "core/questions.h"
#include "core/quiz_session.h"
#include "core/word_book.h"
#include "core/word_file_path.h"
#include "history/history.h"
#include "interchange/export_file.h"
#include "review/schedule.h"
#include "store/backups.h"
#include "store/order_list.h"
#include "store/random.h"
#include "store/word_file_lock.h"

#include <QString>
#include <QTimeZone>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Everything a learner can act on: the current word file, the order list
// the quiz and the test share, the quiz and the test sessions, the word
// list, the options and the tab shown. Every command of the window is one
// of its actions; the views show what it asks and redraw what its Outcome
// names.
//
// Every action is one transaction: it happens whole (the store changed, the
// word file saved, the session moved on) or, when any step fails, not at
// all. A failure is raised to the caller after everything was put back as
// it was, so memory, the file and what the views draw from them agree.
// While an action runs, no other can start: a timer tick that arrives in
// the modal loop of a question is held and counted with the next one.
//
// The current word file is locked (WordFileLock) so that no other Lexiwren
// works on it at the same time, and before every save the trainer checks
// that no other program has changed it since; when one has, it asks the
// learner whether to overwrite or to load that version instead. Before the
// first change of a run to each word file, and before every deletion, reset
// and import, the word file is copied to the backups folder, and the review
// history beside it.
//
// Every counted answer is also remembered in the review history of the data
// folder, inside the answer's transaction: the history never holds an
// answer the word file does not count. When the history cannot be written,
// the answer is counted all the same and the learner is told once per run.
// The review schedule built from that history decides which words the quiz
// filter 復習が必要な問題 asks, and the list's next review dates.
class Trainer {
public:
    explicit Trainer(QString prefsFile);

    const WordBook& book() const { return state_.book; }
    const OrderList& order() const { return state_.order; }
    const QuizSession& quiz() const { return state_.quiz; }
    const ExamSession& exam() const { return state_.exam; }
    const Random& rng() const { return state_.rng; }
    // The rows the word list shows, or null while it shows none (not
    // prepared, or a damaged record stopped the listing).
    const std::vector<ListEntry>* listing() const { return state_.listing.get(); }
    Tab tab() const { return tab_; }

    // The choices of the options tab, as its radio buttons show them.
    const Options& options() const { return options_; }
    void setOptions(const Options& options) { options_ = options; }

    // Where a word file named by a relative path lives (the working folder),
    // and whether it could be made. When it could not, no such file is
    // opened or created anywhere else. Backups go to its "backups" folder;
    // without a data folder none are taken.
    void setDataFolder(const QString& folder, bool usable);
    // Who answers what only the learner can. Without anyone, nothing is
    // told, every question is answered no, and a save over another
    // program's change and a failed backup raise their failures.
    void setQuestions(TrainerQuestions* questions) { questions_ = questions; }
    // Runs whenever another word file became current (its lock is held).
    void setCurrentChanged(std::function<void()> changed) { currentChanged_ = std::move(changed); }
    // The lock file of the current word file and the key it is locked by
    // (WordFileLock), or empty when none is held.
    const QString& lockFile() const { return lock_.lockFile(); }
    const QString& lockKey() const { return lock_.key(); }

    // The preferences file and the default word file named in it.
    const QString& prefsFile() const { return prefsFile_; }
    const WordFilePath& defaultWordFile() const { return defaultWordFile_; }

    // For tests and benchmarks: a known sequence of random numbers.
    void seed(uint32_t value);
    // The clock answers are timed and dated by, in UTC seconds since 1970
    // (the system's by default): tests set the time.
    void setClock(std::function<qint64()> utcSeconds) { clock_ = std::move(utcSeconds); }
    // How the history is opened (its busy timeout), for tests; takes
    // effect when it is next opened.
    void setHistorySettings(const history::History::Settings& settings) { historySettings_ = settings; }
    // Waits for the copy of the history a backup is writing on a thread of
    // its own (the end of the trainer waits for it too).
    void waitForBackups()
    {
        if (history_)
            history_->waitForCopy();
    }

    // FormCreate: the preferences (written on the first start), the default
    // word file made current (created when missing), then the first tab.
    // A failing step is reported and the start goes on without it; when
    // another Lexiwren holds the default word file, nothing is opened and
    // the outcome says to hand over to it.
    Outcome start();
    // TabControl1Change: reseeds, asks before leaving a running test (which
    // it then abandons), and prepares the chosen tab, or the one it falls
    // back to: the options when the quiz finds no word, the registration
    // when the list has none.
    Outcome switchTab(Tab chosen);

    // 登録！: registers the word typed, or tells why not.
    Outcome registerWord(const NewWord& typed);
    // 変更...: changes one text field of a listed record (`field` 0 for the
    // columns that cannot be changed) to the text the learner types.
    Outcome changeWord(std::optional<int> record, int field);
    // 消去...: deletes a listed record after a question.
    Outcome deleteWord(std::optional<int> record);

    // The commands of the options tab (trainer_commands.cpp). 読み込む: the
    // file picked becomes the current word file; a name that does not
    // exist yet starts a new, empty word file there once the learner says
    // so. A file that cannot be read, or that another Lexiwren holds, is
    // refused and the current one stays.
    Outcome openWordFile();
    // 書き出す: the words are written to the file picked (".txt" added when
    // missing), after a question when it exists; the current file stays.
    Outcome writeOut();
    // 初期化: every counter back to 0 after a question.
    Outcome resetCounts();
    // 設定...: the file picked becomes the default word file of the next
    // start.
    Outcome chooseDefaultWordFile();
    // エクスポート...: the words for another program, in the form of the
    // filter the file was picked under.
    Outcome exportWords();
    // The filters エクスポート... offers, and the form each one writes.
    static QStringList exportFilters();
    static interchange::ExportFormat exportFormat(int filter);

    // インポート...: the file picked is read and planned away from the GUI
    // thread while the learner can cancel, the plan shown with the rows it
    // refuses, and its words registered on OK, checked again first.
    Outcome importFile();
    // Reading `file` and planning against the words registered now, as a
    // job that may run on another thread while the trainer goes on (it holds
    // a copy of the words, never the trainer).
    ImportJob importJob(const QString& file) const;
    // The same at once. Raises a Failure when the file cannot be read.
    ImportPlan planImport(const QString& file) const;
    // Registers the plan's words as one action: all saved together, or none
    // of them. The plan is checked again first against the words as they
    // are now: when a word was registered meanwhile or the room is used up,
    // nothing changes and the outcome holds the plan as it now stands.
    ImportOutcome importWords(const ImportPlan& plan);

    // The quiz: the next question, a hint, an answer.
    Outcome nextQuestion();
    Outcome showHint();
    Outcome answerQuiz(const QString& typed);

    // The test: a start button, an answer, a second of the countdown, 確認.
    Outcome startExam(ExamKind kind);
    Outcome answerExam(const QString& typed);
    Outcome tick();
    Outcome examToStart();

    // The progress view's numbers for the current word file at `now` (UTC
    // seconds), by the local days of `zone` (trainer_progress.cpp). The
    // history is opened here at its first use; a history that cannot be
    // read gives the counts of the word file alone and the message why.
    // Never raises.
    Progress progress(qint64 now, const QTimeZone& zone = QTimeZone::systemTimeZone());

private:
    // All a transaction may change and must put back on failure. Copying it
    // copies shared byte arrays, not their contents.
    struct State {
        WordBook book;
        OrderList order;
        Random rng;
        QuizSession quiz;
        ExamSession exam;
        // Shared, so that a transaction's copy of the state costs nothing.
        std::shared_ptr<const std::vector<ListEntry>> listing;
    };
    using Action = std::function<void(State&, Outcome&)>;

    // Runs the action as one transaction (see above); refused, changing
    // nothing, while another runs.
    Outcome transact(const Action& action);
    // The preparation of a tab (trainer_screen.cpp).
    Outcome prepare(Tab tab);
    // The list drawn again after an action changed its words, when it is
    // shown. The action stands; a record that cannot be listed is reported
    // and the list then shows nothing.
    void relist(Outcome& outcome);
    // The listed record of that number, when there is one.
    bool listed(int record) const;

    // What the learner answers, or what stands for them when nobody does.
    void tell(const QString& text) const;
    void report(const QString& failure) const;
    bool confirm(const QString& text) const;

    // The preferences, the word files and the backups (trainer_files.cpp).
    void createPreferences();
    void readDefaultWordFile();
    // Makes `path` the current word file, with its words and its lock.
    // Raises FileInUse when another Lexiwren has it.
    void makeCurrent(const WordFilePath& path, bool createWhenMissing);
    // Loads the current word file again after another program changed it
    // and the learner chose that version: the sessions start afresh and the
    // tab shown is prepared anew; the action at hand is not applied.
    Outcome reloadChangedFile();
    // Copies the current word file to the backups before a change: always,
    // or only before the first change of this run. False when the copy
    // failed and the learner chose not to go on without it.
    bool backUp(bool always);
    // Refuses a file command's target that is the current word file.
    void refuseCurrent(const WordFilePath& target, const QString& refusal) const;

    // The review history and the schedule (trainer_history.cpp).
    // The history of the data folder, opened at its first use; null without
    // a usable data folder.
    history::History* history();
    // The same, but only once it holds anything: a word never answered has
    // no reviews to carry along or retire.
    history::History* keptHistory();
    // The current word file's name in the history.
    QString historyKey();
    // The schedule of the current word file, built from its history at the
    // first need after a change of its words.
    const review::Schedule& schedule();
    // The words changed otherwise than by an answer: the schedule is built
    // again when next needed.
    void dropSchedule() { schedule_.reset(); }
    // The history's first trouble of this run, told to the learner once.
    void tellHistoryNotice();
    // A copy of the history beside the backup copy of the word file.
    void backUpHistory(const QString& wordFileCopy);
    // The answer to record `record` of the store, counted in `s.book` now:
    // written to `change` (when there is one) before the save.
    struct Answered {
        QByteArray word;
        history::Place place = history::Place::QuizSpelling;
        bool right = false;
        bool hint = false;
        qint64 time = 0;
    };
    void recordAnswer(history::Change* change, const Answered& answered);
    // The answer now part of the schedule, once the change is committed.
    void scheduleAnswer(const Answered& answered);
    // The list's next review text of each row.
    void datesOf(std::vector<ListEntry>& rows);
    // The message the quiz shows when nothing is due under 復習が必要な問題.
    QString nothingDue();
    qint64 now() const { return clock_(); }

    QString prefsFile_;
    WordFilePath defaultWordFile_;
    QString dataFolder_;
    bool dataFolderUsable_ = true;
    TrainerQuestions* questions_ = nullptr;
    std::optional<Backups> backups_;
    // The word file whose first change of this run is covered by a backup.
    WordFilePath coveredPath_;
    std::function<void()> currentChanged_;
    WordFileLock lock_;
    Options options_;
    Tab tab_ = Tab::Registration;
    bool busy_ = false;
    int heldTicks_ = 0;
    State state_;

    std::function<qint64()> clock_;
    history::History::Settings historySettings_;
    std::unique_ptr<history::History> history_;
    QString historyKeyOf_; // the word file historyKey_ names
    QString historyKey_;
    std::optional<review::Schedule> schedule_;
    // When the question shown was asked, to time its answer.
    qint64 askedAt_ = 0;
};

#pragma once

#include "history/error.h"
#include "history/records.h"

#include <QString>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace history {

class Change;
struct Session;

// The history's name in the data folder.
inline constexpr char kFileName[] = "history.sqlite";

// The review history: every counted answer and every finished test, in one
// SQLite database in the data folder (history.sqlite), shared by every
// Lexiwren and every word file of this user. The word file stays the one
// source of the counts; the history only remembers when each answer was
// given, which the scheduler needs and the counts cannot tell.
//
// It is opened at its first use, never before: the program's start does not
// wait for it. Every call reports a failure as an Error (lastError()) and
// returns false or nothing; none throws, so nothing that fails here can stop
// an answer from being counted in the word file. A file that is no regular
// file, damaged, foreign or newer than we know is left untouched for the
// rest of the run; a locked or full one is tried again at the next call.
//
// Word files are named by a key (see wordFileKey) that survives the history
// and the data folder being copied to another machine together.
class History {
public:
    struct Settings {
        // How long a write waits for another Lexiwren that is writing.
        // Their transactions last a few milliseconds; one that holds the
        // file for longer is given up on, so an answer never waits long.
        std::chrono::milliseconds busyTimeout{250};
        // How long one read may run, and how many rows it may return: a
        // hostile or runaway file is reported instead of filling memory.
        std::chrono::milliseconds readLimit{5000};
        qsizetype maxRows = 4'000'000;
    };

    explicit History(QString file);
    History(QString file, Settings settings);
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    const QString& file() const { return file_; }
    bool isOpen() const;

    // Starts a write transaction for one action of the learner. See Change.
    Change change();

    // The reviews of every word of the word file, since each was last
    // registered, by word; nothing when the history cannot be read.
    std::optional<std::vector<WordReviews>> reviewsOf(const QString& wordFile);
    // Every answer given since `since` (all of them for any word file when
    // `wordFile` is empty), oldest first, whether or not the word was
    // deleted since.
    std::optional<std::vector<AnswerMark>> answersSince(const QString& wordFile, qint64 since);
    // Every test result, oldest first (of every word file when empty).
    std::optional<std::vector<TestResult>> testResults(const QString& wordFile);

    // Writes a consistent copy of the whole history to `path` (replaced
    // whole, or left as it was), for the backups. False when there is
    // nothing to copy (no history yet) or the copy failed (see lastError).
    bool copyTo(const QString& path);
    // The same copy of the history as it is now, written on a thread of its
    // own: the change about to be made waits neither for the pages nor for
    // the disk, and cannot reach the copy. False when there is nothing to
    // copy or the history cannot be read now; a copy that fails later is
    // simply not there, like any backup that cannot be written. One runs at
    // a time: the next copy, and the end of the history, wait for it. It
    // starts a moment (kCopyDelay) after it was asked for, once the screen
    // the change leads to is drawn, unless it is waited for first.
    bool copyInBackground(const QString& path);
    static constexpr std::chrono::milliseconds kCopyDelay{1500};
    void waitForCopy();

    // The failure of the last call that failed.
    const std::optional<Error>& lastError() const { return lastError_; }
    // The first failure of this run, once: the learner is told of the
    // history's trouble once per run, not at every answer.
    std::optional<Error> takeNotice();

private:
    friend class Change;

    // Opens the file and creates or checks its layout. False (with the
    // error noted) when it cannot be used now.
    bool ensureOpen(bool writing);
    void noteError(Problem problem, const QString& detail, bool writing);
    template <typename Read> auto read(Read&& body) -> std::optional<decltype(body())>;

    QString file_;
    Settings settings_;
    std::unique_ptr<Session> session_;
    std::optional<Error> lastError_;
    std::optional<Error> firstError_;
    bool noticeGiven_ = false;
    bool unusable_ = false; // for the rest of the run
    std::thread copier_;
    std::mutex copyMutex_;
    std::condition_variable copyWake_;
    bool copyNow_ = false;
    bool readOnly_ = false;
    bool changing_ = false;
};

// One write transaction: begun by History::change(), then the rows of the
// action, then commit() once the word file holds the action too. Destroyed
// without commit() (the word file could not be saved), it rolls back, so the
// history never holds an answer the word file does not count:
//
//   history::Change change = history.change();
//   change.answer(key, answer);
//   book.save();          // raises: nothing of the answer stays
//   change.commit();
//
// Never held across a question to the learner: another Lexiwren waits for
// it. Each call returns false once the change failed; the first failure is
// in History::lastError() and the rest of the change does nothing.
class Change {
public:
    ~Change();
    Change(Change&& other) noexcept;
    Change& operator=(Change&&) = delete;
    Change(const Change&) = delete;

    bool ok() const { return history_ != nullptr && !failed_; }

    bool answer(const QString& wordFile, const Answer& answer);
    bool testResult(const QString& wordFile, const TestResult& result);
    // 変更 of a word's spelling: its reviews go with it. When the new
    // spelling already has reviews (two records spelt alike), the two
    // histories become one.
    bool rename(const QString& wordFile, const QByteArray& from, const QByteArray& to);
    // 消去: the reviews stay, but the word registered again later starts
    // afresh.
    bool retire(const QString& wordFile, const QByteArray& word, qint64 time);

    bool commit();
    void rollback();

private:
    friend class History;
    explicit Change(History* history) : history_(history) { }
    template <typename Body> bool step(Body&& body);
    void end();

    History* history_;
    bool failed_ = false;
};

// The key a word file is known by in the history: its path relative to the
// data folder when it lies inside it ("words/default.txt"), so the pair can
// move to another machine or another user; otherwise its absolute path.
// Symbolic links are resolved where the file or folder exists.
// `wordFile` is the file's name for the file system (WordFilePath::file()).
QString wordFileKey(const QString& dataFolder, const QString& wordFile);

} // namespace history

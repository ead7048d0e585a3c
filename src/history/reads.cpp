#include "history/history.h"

#include "session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace history {

namespace {

Place placeOf(qint64 value)
{
    return value >= 0 && value <= 5 ? static_cast<Place>(value) : Place::QuizSpelling;
}

// Rows a query may still return before the file is taken for runaway.
class RowBudget {
public:
    explicit RowBudget(qsizetype rows) : left_(rows) { }
    void take()
    {
        if (--left_ < 0)
            throw sql::Failure{Problem::TooLarge, QStringLiteral("too many rows")};
    }

private:
    qsizetype left_;
};

bool flushToDisk(const QString& name, bool folder)
{
    const int fd =
        ::open(QFile::encodeName(name).constData(), (folder ? O_RDONLY | O_DIRECTORY : O_RDWR) | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool done = ::fsync(fd) == 0;
    ::close(fd);
    return done;
}

} // namespace

template <typename Read> auto History::read(Read&& body) -> std::optional<decltype(body())>
{
    using Value = decltype(body());
    if (!ensureOpen(false)) {
        // No file yet (and nothing wrong): nothing was ever recorded.
        if (!unusable_ && !QFileInfo::exists(file_) && !QFileInfo(file_).isSymLink())
            return Value{};
        return std::nullopt;
    }
    if (!session_->laidOut)
        return Value{};
    session_->db.setDeadline(std::chrono::steady_clock::now() + settings_.readLimit);
    try {
        Value value = body();
        session_->db.clearDeadline();
        return value;
    } catch (const sql::Failure& failure) {
        if (session_)
            session_->db.clearDeadline();
        noteError(failure.problem, failure.detail, false);
        return std::nullopt;
    }
}

std::optional<std::vector<WordReviews>> History::reviewsOf(const QString& wordFile)
{
    return read([&] {
        std::vector<WordReviews> words;
        const std::optional<qint64> file = session_->fileId(wordFile, false);
        if (!file)
            return words;
        // The words first, then their reviews in the order they are stored
        // (by word and time): one sweep, without a join per row.
        QHash<qint64, qsizetype> indexOf;
        sql::Statement list(session_->db, "SELECT id, word FROM words WHERE file = ? AND retired IS NULL");
        list.bind(1, *file);
        RowBudget budget(settings_.maxRows);
        while (list.step()) {
            budget.take();
            indexOf.insert(list.integer(0), qsizetype(words.size()));
            words.push_back({list.blob(1), {}});
        }
        sql::Statement query(session_->db,
                             "SELECT word, time, place, right, hint, seconds FROM reviews"
                             " WHERE word IN (SELECT id FROM words WHERE file = ? AND retired IS NULL)"
                             " ORDER BY word, time, seq");
        query.bind(1, *file);
        qint64 current = -1;
        std::vector<Review>* reviews = nullptr;
        while (query.step()) {
            budget.take();
            if (query.integer(0) != current) {
                current = query.integer(0);
                const auto found = indexOf.constFind(current);
                if (found == indexOf.constEnd())
                    throw sql::Failure{Problem::Damaged, QStringLiteral("a review of no word")};
                reviews = &words[*found].reviews;
            }
            reviews->push_back(
                {query.integer(1), placeOf(query.integer(2)), query.integer(3) != 0, query.integer(4) != 0,
                 query.isNull(5) ? -1 : int(std::clamp<qint64>(query.integer(5), -1, 1 << 30))});
        }
        // A word row without reviews (none of ours has one) is left out.
        std::erase_if(words, [](const WordReviews& w) { return w.reviews.empty(); });
        return words;
    });
}

std::optional<std::vector<AnswerMark>> History::answersSince(const QString& wordFile, qint64 since)
{
    return read([&] {
        std::vector<AnswerMark> marks;
        std::optional<qint64> file;
        if (!wordFile.isEmpty()) {
            file = session_->fileId(wordFile, false);
            if (!file)
                return marks;
        }
        sql::Statement query(session_->db,
                             file ? "SELECT r.time, r.right FROM words w JOIN reviews r ON r.word = w.id"
                                    " WHERE w.file = ?2 AND r.time >= ?1"
                                  : "SELECT time, right FROM reviews WHERE time >= ?1");
        query.bind(1, since);
        if (file)
            query.bind(2, *file);
        RowBudget budget(settings_.maxRows);
        while (query.step()) {
            budget.take();
            marks.push_back({query.integer(0), query.integer(1) != 0});
        }
        std::stable_sort(marks.begin(), marks.end(),
                         [](const AnswerMark& a, const AnswerMark& b) { return a.time < b.time; });
        return marks;
    });
}

std::optional<std::vector<TestResult>> History::testResults(const QString& wordFile)
{
    return read([&] {
        std::vector<TestResult> results;
        std::optional<qint64> file;
        if (!wordFile.isEmpty()) {
            file = session_->fileId(wordFile, false);
            if (!file)
                return results;
        }
        sql::Statement query(session_->db,
                             file ? "SELECT time, kind, length, score FROM tests WHERE file = ?"
                                    " ORDER BY time, id"
                                  : "SELECT time, kind, length, score FROM tests ORDER BY time, id");
        if (file)
            query.bind(1, *file);
        RowBudget budget(settings_.maxRows);
        while (query.step()) {
            budget.take();
            const qint64 kind = query.integer(1);
            const qint64 length = query.integer(2);
            const qint64 score = query.integer(3);
            // A row no test of ours could have written has no place on a chart.
            if (kind < 0 || kind > 2 || length < 1 || length > 1000 || score < 0 || score > length + 1)
                continue;
            results.push_back({query.integer(0), static_cast<TestKind>(kind), int(length), int(score)});
        }
        return results;
    });
}

namespace {

// Writes the pages `source` sees into `path`, replacing it whole or leaving
// it as it was. Raises sql::Failure.
void copyPages(sql::Connection& source, const QString& path, std::chrono::milliseconds busyTimeout)
{
    const QString folder = QFileInfo(path).absolutePath();
    QTemporaryFile temporary(QDir(folder).filePath(QFileInfo(path).fileName() + QStringLiteral(".XXXXXX")));
    // SQLite's online backup copies the pages of one consistent moment into
    // the empty temporary file: the pages as they are, rather than the
    // tables rebuilt as VACUUM INTO would, which takes several times as long.
    if (!temporary.open())
        throw sql::Failure{Problem::ReadOnly, temporary.errorString()};
    temporary.close();
    {
        sql::Connection target;
        target.open(temporary.fileName(), busyTimeout);
        // The copy is flushed and renamed into place only when whole, so
        // the temporary file needs no journal of its own.
        target.exec("PRAGMA journal_mode = OFF");
        target.exec("PRAGMA synchronous = OFF");
        sqlite3_backup* backup = sql::api().backup_init(target.get(), "main", source.get(), "main");
        if (!backup)
            target.fail(sql::api().extended_errcode(target.get()), errno);
        const int rc = sql::api().backup_step(backup, -1);
        sql::api().backup_finish(backup);
        if (rc != SQLITE_DONE)
            target.fail(rc, errno);
    }
    if (!flushToDisk(temporary.fileName(), false))
        throw sql::Failure{Problem::Full, QStringLiteral("fsync")};
    if (::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData())
        != 0)
        throw sql::Failure{sql::problemOf(SQLITE_IOERR, errno), QString::fromLocal8Bit(strerror(errno))};
    temporary.setAutoRemove(false);
    flushToDisk(folder, true);
}

} // namespace

bool History::copyTo(const QString& path)
{
    waitForCopy();
    if (!ensureOpen(false) || !session_->laidOut)
        return false; // nothing recorded yet, or the failure is noted
    try {
        copyPages(session_->db, path, settings_.busyTimeout);
    } catch (const sql::Failure& failure) {
        // A copy that cannot be written is the backup's trouble, told by
        // whoever asked for it; only damage found in the history is ours.
        if (failure.problem == Problem::Damaged || failure.problem == Problem::TooLarge)
            noteError(failure.problem, failure.detail, false);
        else
            lastError_ = Error{failure.problem, true, path, failure.detail};
        return false;
    }
    return true;
}

bool History::copyInBackground(const QString& path)
{
    waitForCopy();
    if (!ensureOpen(false) || !session_->laidOut)
        return false;
    // Without the write-ahead log (a history only read) a reader would
    // hold up the next answer's row: copied now, as by copyTo.
    if (!session_->wal)
        return copyTo(path);
    // A connection of the copy's own, holding a read transaction begun
    // here: whatever is written after this moment stays out of its pages
    // (the write-ahead log keeps them apart), however late the copy runs.
    auto snapshot = std::make_shared<sql::Connection>();
    try {
        snapshot->open(file_, settings_.busyTimeout);
        snapshot->exec("BEGIN");
        sql::Statement pin(*snapshot, "SELECT count(*) FROM sqlite_schema");
        pin.step();
    } catch (const sql::Failure& failure) {
        lastError_ = Error{failure.problem, true, path, failure.detail};
        return false;
    }
    copyNow_ = false;
    copier_ = std::thread([this, snapshot, path, timeout = settings_.busyTimeout] {
        {
            // The snapshot holds the moment; the pages can wait until the
            // question the answer leads to is on the screen.
            std::unique_lock<std::mutex> lock(copyMutex_);
            copyWake_.wait_for(lock, kCopyDelay, [this] { return copyNow_; });
        }
        try {
            copyPages(*snapshot, path, timeout);
        } catch (const sql::Failure& failure) {
            qWarning("history: no copy in %s: %s", qPrintable(path), qPrintable(failure.detail));
        }
    });
    return true;
}

void History::waitForCopy()
{
    if (!copier_.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(copyMutex_);
        copyNow_ = true;
    }
    copyWake_.notify_all();
    copier_.join();
}

} // namespace history

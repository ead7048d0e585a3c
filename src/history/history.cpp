#include "history/history.h"

#include "session.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace history {

namespace {

// What stands at `name`: nothing, a regular file (or a link to one), or
// anything else, which SQLite must never open: a FIFO would block it, a
// device never ends.
enum class Kind { Missing, Regular, Other };

Kind kindOf(const QString& name)
{
    const QByteArray path = QFile::encodeName(name);
    struct stat info { };
    if (::lstat(path.constData(), &info) != 0)
        return Kind::Missing;
    if (::stat(path.constData(), &info) != 0)
        return Kind::Other; // a link that leads nowhere
    return S_ISREG(info.st_mode) ? Kind::Regular : Kind::Other;
}

qint64 sizeOf(const QString& name)
{
    struct stat info { };
    return ::stat(QFile::encodeName(name).constData(), &info) == 0 ? qint64(info.st_size) : 0;
}

// Makes the missing history file ourselves, so that a folder refusing it
// is told apart from one that does not exist.
void createEmpty(const QString& name)
{
    const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int error = errno;
        if (error == EEXIST)
            return; // another Lexiwren was quicker
        throw sql::Failure{sql::problemOf(SQLITE_CANTOPEN, error),
                           QString::fromLocal8Bit(std::strerror(error))};
    }
    ::close(fd);
}

// The bytes the header says the database has: a file cut short keeps its
// old page count there.
qint64 pagesOf(sql::Connection& db)
{
    sql::Statement pages(db, "SELECT page_count * page_size FROM pragma_page_count, pragma_page_size");
    return pages.step() ? pages.integer(0) : 0;
}

bool permanent(Problem problem)
{
    return problem != Problem::Locked && problem != Problem::Full && problem != Problem::ReadOnly
        && problem != Problem::Failed;
}

} // namespace

History::History(QString file) : History(std::move(file), Settings{})
{
}

History::History(QString file, Settings settings) : file_(std::move(file)), settings_(settings)
{
}

History::~History()
{
    waitForCopy();
}

bool History::isOpen() const
{
    return session_ != nullptr;
}

void History::noteError(Problem problem, const QString& detail, bool writing)
{
    lastError_ = Error{problem, writing, file_, detail};
    if (!firstError_)
        firstError_ = lastError_;
    if (permanent(problem)) {
        unusable_ = true;
        session_.reset();
    }
}

std::optional<Error> History::takeNotice()
{
    if (noticeGiven_ || !firstError_)
        return std::nullopt;
    noticeGiven_ = true;
    return firstError_;
}

bool History::ensureOpen(bool writing)
{
    if (unusable_) {
        lastError_ = *firstError_;
        lastError_->writing = writing;
        return false;
    }
    if (!session_) {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            if (kindOf(file_ + QLatin1String(suffix)) == Kind::Other) {
                noteError(Problem::NotAFile, file_ + QLatin1String(suffix), writing);
                return false;
            }
        }
        if (kindOf(file_) == Kind::Missing && !writing)
            return false; // nothing to read yet, and no reason to make the file
    }
    if (session_ && (session_->laidOut || !writing))
        return true;
    auto session = std::move(session_);
    try {
        if (!session) {
            if (writing && kindOf(file_) == Kind::Missing)
                createEmpty(file_);
            session = std::make_unique<Session>();
            // Whether a WAL file with unmerged pages stands beside it,
            // before opening makes one.
            const bool walPages = sizeOf(file_ + QStringLiteral("-wal")) > 0;
            session->db.open(file_, settings_.busyTimeout);
            readOnly_ = session->db.readOnly();
            if (!walPages && pagesOf(session->db) > sizeOf(file_))
                throw sql::Failure{Problem::Damaged, QStringLiteral("shorter than its pages")};
            // Nothing is written to a file before it is known to be ours.
            session->laidOut = hasLayout(session->db);
            session->db.exec("PRAGMA synchronous = NORMAL");
        }
        if (writing && readOnly_)
            throw sql::Failure{Problem::ReadOnly, QStringLiteral("opened read-only")};
        if (!readOnly_ && !session->wal && (session->laidOut || writing)) {
            sql::Statement mode(session->db, "PRAGMA journal_mode = WAL");
            session->wal = mode.step() && mode.text(0) == QLatin1String("wal");
        }
        if (writing && !session->laidOut) {
            createLayout(session->db);
            session->laidOut = true;
        }
    } catch (const sql::Failure& failure) {
        // Opened again at the next call, which is cheap: only a lock or a
        // full disk is worth another try, and neither keeps us waiting long.
        noteError(failure.problem, failure.detail, writing);
        return false;
    }
    session_ = std::move(session);
    return true;
}

} // namespace history

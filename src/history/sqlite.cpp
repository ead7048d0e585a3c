#include "sqlite.h"

#include <QFile>
#include <cerrno>

namespace history::sql {

namespace {

// No value we write comes near this; a file whose values do is not ours
// to read into memory.
constexpr int kMaxValueBytes = 1 << 20;
// How many virtual machine steps pass between looks at the clock.
constexpr int kProgressSteps = 10000;

} // namespace

Problem problemOf(int code, int error)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Problem::Locked;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return Problem::ReadOnly;
    case SQLITE_FULL: return Problem::Full;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_SCHEMA:
    case SQLITE_MISMATCH:
    case SQLITE_ERROR: return Problem::Damaged; // a table or column we rely on is not there
    case SQLITE_TOOBIG:
    case SQLITE_NOMEM:
    case SQLITE_INTERRUPT: return Problem::TooLarge;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        switch (error) {
        case ENOSPC:
        case EFBIG:
        case EDQUOT: return Problem::Full;
        case EACCES:
        case EPERM:
        case EROFS: return Problem::ReadOnly;
        case EISDIR:
        case ENXIO:
        case ENODEV: return Problem::NotAFile;
        default: return Problem::Failed;
        }
    default: return Problem::Failed;
    }
}

namespace {

// SQLite keeps the errno of a failed write only sometimes (a write cut
// short by the file size limit leaves it 0); the one the call left behind
// tells a full disk from other trouble then.
int systemErrno(sqlite3* db, int callErrno)
{
    const int kept = db ? api().system_errno(db) : 0;
    return kept != 0 ? kept : callErrno;
}

} // namespace

Connection::~Connection()
{
    close();
}

void Connection::open(const QString& file, std::chrono::milliseconds busyTimeout)
{
    close();
    const QByteArray name = QFile::encodeName(file);
    sqlite3* db = nullptr;
    errno = 0;
    const int rc = api().open_v2(name.constData(), &db,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    const int callErrno = errno;
    if (rc != SQLITE_OK) {
        const int error = systemErrno(db, callErrno);
        const QString detail = QString::fromUtf8(db ? api().errmsg(db) : api().errstr(rc));
        api().close(db);
        throw Failure{problemOf(rc, error), detail};
    }
    db_ = db;
    api().extended_result_codes(db_, 1);
    // A history may come from another machine: its schema is data, never
    // code we run.
    api().db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    api().db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    api().db_config(db_, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    api().db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    api().db_config(db_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    api().limit(db_, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    api().busy_timeout(db_, static_cast<int>(busyTimeout.count()));
    api().progress_handler(db_, kProgressSteps, &Connection::progress, this);
}

void Connection::close()
{
    if (db_) {
        // Statements are finalised by their owners before this; v2 defers
        // the close to them should one be left.
        api().close_v2(db_);
        db_ = nullptr;
    }
}

bool Connection::readOnly() const
{
    return db_ && api().db_readonly(db_, "main") == 1;
}

int Connection::progress(void* self)
{
    const auto* connection = static_cast<const Connection*>(self);
    if (connection->deadline_ == std::chrono::steady_clock::time_point{})
        return 0;
    return std::chrono::steady_clock::now() > connection->deadline_ ? 1 : 0;
}

void Connection::exec(const char* sql)
{
    char* message = nullptr;
    errno = 0;
    const int rc = api().exec(db_, sql, nullptr, nullptr, &message);
    const int callErrno = errno;
    if (rc != SQLITE_OK) {
        const int error = systemErrno(db_, callErrno);
        const QString detail = QString::fromUtf8(message ? message : api().errstr(rc))
            + QStringLiteral(" [%1/%2]").arg(api().extended_errcode(db_)).arg(error);
        api().free(message);
        throw Failure{problemOf(api().extended_errcode(db_), error), detail};
    }
}

void Connection::fail(int code, int callErrno) const
{
    const int error = systemErrno(db_, callErrno);
    throw Failure{problemOf(code, error),
                  QString::fromUtf8(db_ ? api().errmsg(db_) : api().errstr(code))
                      + QStringLiteral(" [%1/%2]").arg(code).arg(error)};
}

Statement::Statement(Connection& connection, const char* sql) : connection_(connection)
{
    errno = 0;
    const int rc = api().prepare_v2(connection_.get(), sql, -1, &stmt_, nullptr);
    if (rc != SQLITE_OK)
        connection_.fail(rc, errno);
}

Statement::~Statement()
{
    api().finalize(stmt_);
}

Statement& Statement::bind(int index, qint64 value)
{
    api().bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bind(int index, const QByteArray& blob)
{
    // A zero-length blob stays a blob, not NULL.
    api().bind_blob(stmt_, index, blob.constData() ? blob.constData() : "", static_cast<int>(blob.size()),
                    SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bind(int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    api().bind_text(stmt_, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindNull(int index)
{
    api().bind_null(stmt_, index);
    return *this;
}

bool Statement::step()
{
    errno = 0;
    const int rc = api().step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    connection_.fail(api().extended_errcode(connection_.get()), errno);
}

void Statement::run()
{
    while (step()) { }
    reset();
}

void Statement::reset()
{
    api().reset(stmt_);
    api().clear_bindings(stmt_);
}

qint64 Statement::integer(int column) const
{
    return api().column_int64(stmt_, column);
}

bool Statement::isNull(int column) const
{
    return api().column_type(stmt_, column) == SQLITE_NULL;
}

QByteArray Statement::blob(int column) const
{
    const void* data = api().column_blob(stmt_, column);
    const int size = api().column_bytes(stmt_, column);
    return QByteArray(static_cast<const char*>(data), data ? size : 0);
}

QString Statement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(api().column_text(stmt_, column));
    return QString::fromUtf8(data, data ? api().column_bytes(stmt_, column) : 0);
}

} // namespace history::sql

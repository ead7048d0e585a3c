#pragma once

#include "history/error.h"
#include "sqlite_library.h"

#include <QByteArray>
#include <QString>
#include <chrono>

// A thin layer over SQLite's C interface: a connection and a statement that
// free themselves, and one exception that carries why a call failed. It
// never leaves the history library: History turns it into an Error.
namespace history::sql {

struct Failure {
    Problem problem;
    QString detail;
};

// The Problem behind an SQLite result code (and the errno it saw).
Problem problemOf(int code, int systemErrno);

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens (creating when missing) the database at `file`, hardened for
    // files that come from elsewhere: no triggers, no views, no functions in
    // the schema, bounded values. Raises Failure.
    void open(const QString& file, std::chrono::milliseconds busyTimeout);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    sqlite3* get() const { return db_; }
    bool readOnly() const;

    // Runs statements without results. Raises Failure.
    void exec(const char* sql);
    // Raises the Failure for `code` with the connection's own message;
    // `callErrno` is errno as the failed call left it.
    [[noreturn]] void fail(int code, int callErrno) const;
    // No statement may run past this moment (a hostile file's query is cut
    // off and reported as TooLarge); none before it is set.
    void setDeadline(std::chrono::steady_clock::time_point deadline) { deadline_ = deadline; }
    void clearDeadline() { deadline_ = {}; }

private:
    static int progress(void* self);

    sqlite3* db_ = nullptr;
    std::chrono::steady_clock::time_point deadline_{};
};

class Statement {
public:
    Statement(Connection& connection, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, qint64 value);
    Statement& bind(int index, const QByteArray& blob);
    Statement& bind(int index, const QString& text);
    Statement& bindNull(int index);
    // True for a row, false when done. Raises Failure.
    bool step();
    // Runs a statement without rows to its end and makes it ready again.
    void run();
    void reset();

    qint64 integer(int column) const;
    bool isNull(int column) const;
    QByteArray blob(int column) const;
    QString text(int column) const;

private:
    Connection& connection_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace history::sql

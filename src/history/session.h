#pragma once

#include "sqlite.h"

#include <QString>
#include <map>
#include <memory>
#include <optional>

namespace history {

// The open database of a History and what its transactions look up often.
struct Session {
    sql::Connection db;
    bool laidOut = false; // our tables exist (an empty file has none yet)
    bool wal = false; // in WAL mode, so readers and the writer never wait for each other

    // The statement for `sql`, prepared once per session and made ready
    // again for each use: every answer runs the same few.
    sql::Statement& cached(const char* sql);

    // The id of the word file's key, created when `create` and missing.
    std::optional<qint64> fileId(const QString& key, bool create);
    // The id of the word as registered now in that word file (not retired),
    // created when `create` and missing.
    std::optional<qint64> wordId(qint64 file, const QByteArray& word, bool create);

private:
    std::map<const char*, std::unique_ptr<sql::Statement>> statements_;
};

// The layout this Lexiwren writes, in PRAGMA user_version, and the mark in
// PRAGMA application_id ("LXWR") that tells our histories from other SQLite
// files.
inline constexpr int kLayoutVersion = 1;
inline constexpr int kApplicationId = 0x4C585752;

// Whether the open database holds our layout (false when it is empty).
// Raises sql::Failure, touching nothing, for a file that is not a history
// of ours (Foreign) or of a later layout (Newer).
bool hasLayout(sql::Connection& db);
// Creates the layout in an empty database.
void createLayout(sql::Connection& db);

} // namespace history

#include "session.h"

namespace history {

namespace {

// Words are kept once per word file and registration: the reviews point at
// that row, so 変更 of the spelling rewrites one row, and 消去 marks it
// retired (with its time) so that a word registered again under the same
// spelling gets a new row and starts afresh. The reviews are stored in the
// order they are read, by word and time (seq tells apart two answers to
// one word in one second), so a word file's reviews come off the disk in
// one sweep, without an index to look up or a sort.
constexpr const char* kCreate = R"(
CREATE TABLE word_files(id INTEGER PRIMARY KEY, key TEXT NOT NULL UNIQUE);
CREATE TABLE words(id INTEGER PRIMARY KEY, file INTEGER NOT NULL, word BLOB NOT NULL, retired INTEGER);
CREATE UNIQUE INDEX words_current ON words(file, word) WHERE retired IS NULL;
CREATE TABLE reviews(word INTEGER NOT NULL, time INTEGER NOT NULL, seq INTEGER NOT NULL,
  place INTEGER NOT NULL, right INTEGER NOT NULL, hint INTEGER NOT NULL, seconds INTEGER,
  PRIMARY KEY(word, time, seq)) WITHOUT ROWID;
CREATE TABLE tests(id INTEGER PRIMARY KEY, file INTEGER NOT NULL, time INTEGER NOT NULL,
  kind INTEGER NOT NULL, length INTEGER NOT NULL, score INTEGER NOT NULL);
CREATE INDEX tests_by_file ON tests(file, time);
)";

struct Mark {
    qint64 applicationId;
    qint64 version;
    qint64 objects;
};

Mark markOf(sql::Connection& db)
{
    sql::Statement query(db,
                         "SELECT (SELECT application_id FROM pragma_application_id),"
                         " (SELECT user_version FROM pragma_user_version),"
                         " (SELECT count(*) FROM sqlite_schema)");
    if (!query.step())
        return {0, 0, 0};
    return {query.integer(0), query.integer(1), query.integer(2)};
}

// Raises unless the mark is ours at a version we know; false when empty.
bool check(const Mark& mark)
{
    if (mark.objects == 0 && mark.version == 0 && mark.applicationId == 0)
        return false;
    if (mark.applicationId != kApplicationId)
        throw sql::Failure{Problem::Foreign, QStringLiteral("application_id %1").arg(mark.applicationId)};
    if (mark.version > kLayoutVersion)
        throw sql::Failure{Problem::Newer, QStringLiteral("user_version %1").arg(mark.version)};
    if (mark.version < 1)
        throw sql::Failure{Problem::Damaged, QStringLiteral("user_version %1").arg(mark.version)};
    return true;
}

} // namespace

bool hasLayout(sql::Connection& db)
{
    return check(markOf(db));
}

void createLayout(sql::Connection& db)
{
    // Another Lexiwren may be creating it at the same moment: look again
    // once we hold the write lock.
    db.exec("BEGIN IMMEDIATE");
    try {
        if (!check(markOf(db))) {
            db.exec(kCreate);
            db.exec(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
            db.exec(("PRAGMA user_version = " + std::to_string(kLayoutVersion)).c_str());
        }
        db.exec("COMMIT");
    } catch (const sql::Failure&) {
        sql::api().exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

sql::Statement& Session::cached(const char* sql)
{
    std::unique_ptr<sql::Statement>& statement = statements_[sql];
    if (!statement)
        statement = std::make_unique<sql::Statement>(db, sql);
    statement->reset();
    return *statement;
}

std::optional<qint64> Session::fileId(const QString& key, bool create)
{
    sql::Statement& find = cached("SELECT id FROM word_files WHERE key = ?");
    if (find.bind(1, key).step()) {
        const qint64 id = find.integer(0);
        find.reset();
        return id;
    }
    if (!create)
        return std::nullopt;
    cached("INSERT INTO word_files(key) VALUES (?)").bind(1, key).run();
    return sql::api().last_insert_rowid(db.get());
}

std::optional<qint64> Session::wordId(qint64 file, const QByteArray& word, bool create)
{
    sql::Statement& find = cached("SELECT id FROM words WHERE file = ? AND word = ? AND retired IS NULL");
    if (find.bind(1, file).bind(2, word).step()) {
        const qint64 id = find.integer(0);
        find.reset();
        return id;
    }
    if (!create)
        return std::nullopt;
    cached("INSERT INTO words(file, word) VALUES (?, ?)").bind(1, file).bind(2, word).run();
    return sql::api().last_insert_rowid(db.get());
}

} // namespace history

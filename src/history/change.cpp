#include "history/history.h"

#include "session.h"

namespace history {

Change History::change()
{
    // One change at a time: a second one while the first is open would
    // commit or undo the first one's rows.
    if (changing_ || !ensureOpen(true)) {
        Change change(nullptr);
        if (changing_)
            lastError_ = Error{Problem::Failed, true, file_, QStringLiteral("a change is open already")};
        return change;
    }
    try {
        // IMMEDIATE takes the write lock now, so a lock held by another
        // Lexiwren is found (and waited for) before any row is written.
        session_->db.exec("BEGIN IMMEDIATE");
    } catch (const sql::Failure& failure) {
        noteError(failure.problem, failure.detail, true);
        return Change(nullptr);
    }
    changing_ = true;
    return Change(this);
}

Change::Change(Change&& other) noexcept : history_(other.history_), failed_(other.failed_)
{
    other.history_ = nullptr;
}

Change::~Change()
{
    rollback();
}

template <typename Body> bool Change::step(Body&& body)
{
    if (!ok())
        return false;
    try {
        body(*history_->session_);
        return true;
    } catch (const sql::Failure& failure) {
        History* history = history_;
        rollback();
        failed_ = true;
        history->noteError(failure.problem, failure.detail, true);
        return false;
    }
}

bool Change::answer(const QString& wordFile, const Answer& answer)
{
    return step([&](Session& session) {
        const qint64 word = *session.wordId(*session.fileId(wordFile, true), answer.word, true);
        sql::Statement& insert =
            session.cached("INSERT INTO reviews(word, time, seq, place, right, hint, seconds)"
                           " SELECT ?1, ?2, coalesce(max(seq) + 1, 0), ?3, ?4, ?5, ?6 FROM reviews WHERE "
                           "word = ?1 AND time = ?2");
        insert.bind(1, word).bind(2, answer.time).bind(3, qint64(answer.place)).bind(4, qint64(answer.right));
        insert.bind(5, qint64(answer.hint));
        if (answer.seconds >= 0)
            insert.bind(6, qint64(answer.seconds));
        insert.run();
    });
}

bool Change::testResult(const QString& wordFile, const TestResult& result)
{
    return step([&](Session& session) {
        sql::Statement insert(session.db,
                              "INSERT INTO tests(file, time, kind, length, score) VALUES (?, ?, ?, ?, ?)");
        insert.bind(1, *session.fileId(wordFile, true)).bind(2, result.time).bind(3, qint64(result.kind));
        insert.bind(4, qint64(result.length)).bind(5, qint64(result.score)).run();
    });
}

bool Change::rename(const QString& wordFile, const QByteArray& from, const QByteArray& to)
{
    return step([&](Session& session) {
        const std::optional<qint64> file = session.fileId(wordFile, false);
        const std::optional<qint64> source = file ? session.wordId(*file, from, false) : std::nullopt;
        if (!source || from == to)
            return;
        if (const std::optional<qint64> target = session.wordId(*file, to, false)) {
            // Numbered after the target's own, so that two answers of one
            // second stay two.
            sql::Statement move(
                session.db,
                "INSERT INTO reviews(word, time, seq, place, right, hint, seconds)"
                " SELECT ?1, time, seq + (SELECT coalesce(max(seq) + 1, 0) FROM reviews WHERE word = ?1),"
                " place, right, hint, seconds FROM reviews WHERE word = ?2");
            move.bind(1, *target).bind(2, *source).run();
            sql::Statement clear(session.db, "DELETE FROM reviews WHERE word = ?");
            clear.bind(1, *source).run();
            sql::Statement drop(session.db, "DELETE FROM words WHERE id = ?");
            drop.bind(1, *source).run();
        } else {
            sql::Statement respell(session.db, "UPDATE words SET word = ? WHERE id = ?");
            respell.bind(1, to).bind(2, *source).run();
        }
    });
}

bool Change::retire(const QString& wordFile, const QByteArray& word, qint64 time)
{
    return step([&](Session& session) {
        const std::optional<qint64> file = session.fileId(wordFile, false);
        if (!file)
            return;
        sql::Statement mark(session.db,
                            "UPDATE words SET retired = ? WHERE file = ? AND word = ? AND retired IS NULL");
        mark.bind(1, time).bind(2, *file).bind(3, word).run();
    });
}

bool Change::commit()
{
    const bool done = step([](Session& session) { session.db.exec("COMMIT"); });
    if (done)
        end();
    return done;
}

void Change::rollback()
{
    if (history_ == nullptr)
        return;
    if (history_->session_)
        sql::api().exec(history_->session_->db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    end();
}

void Change::end()
{
    if (history_)
        history_->changing_ = false;
    history_ = nullptr;
}

} // namespace history

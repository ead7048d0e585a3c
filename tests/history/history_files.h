#pragma once

#include "history/history.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <sqlite3.h>

// Helpers of the history's fault tests: histories with rows in them, and a
// look at a file with SQLite itself.
inline constexpr qint64 kT0 = 1'780'000'000;
inline const QString kWords = QStringLiteral("words.txt");

inline bool recordAnswer(history::History& h, qint64 time, const QByteArray& word = "apple")
{
    history::Change change = h.change();
    return change.answer(kWords, {time, word, history::Place::QuizSpelling, true, false, 2})
        && change.commit();
}

// A closed history of `rows` answers to 20 words.
inline void makeHistory(const QString& file, int rows)
{
    history::History h(file);
    history::Change change = h.change();
    for (int i = 0; i < rows; ++i)
        change.answer(
            kWords,
            {kT0 + i, "word" + QByteArray::number(i % 20), history::Place::NormalTest, i % 3 != 0, false, 3});
    change.commit();
}

// Runs one statement with SQLite directly (no limits of ours) and returns
// the first column of its first row.
inline QByteArray sqliteValue(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    sqlite3_stmt* stmt = nullptr;
    QByteArray value;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        value = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    else
        value = "error: " + QByteArray(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

// The bytes of a regular file; what is no regular file (a FIFO would block
// the reader) is only named.
inline QByteArray bytesOf(const QString& file)
{
    if (!QFileInfo(file).isFile())
        return "not a regular file";
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

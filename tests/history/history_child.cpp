// The second program of the history's fault tests.
//
//   history_child hold HISTORY SECONDS [exclusive]
//     holds a write transaction on the history (or, with "exclusive", the
//     whole file in exclusive locking mode) for that long; prints "held".
//   history_child append HISTORY WORDFILE FIRST
//     answers "apple" again and again as the trainer will: the row goes in,
//     the word file is saved with the new count, the row is committed, and
//     the answer's number is printed; until killed.
#include "history/history.h"
#include "store/line_store.h"
#include "store/word_file.h"

#include <QByteArray>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>
#include <thread>

namespace {

int hold(const char* file, int seconds, bool exclusive)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(file, &db) != SQLITE_OK)
        return 2;
    const char* sql = exclusive
        ? "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE;"
          " INSERT INTO tests(file, time, kind, length, score) VALUES (1, 0, 0, 10, 0);"
        : "BEGIN IMMEDIATE;"
          " INSERT INTO tests(file, time, kind, length, score) VALUES (1, 0, 0, 10, 0);";
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        return 3;
    std::printf("held\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    sqlite3_close(db);
    return 0;
}

int append(const QString& historyFile, const QString& wordFile, long long first)
{
    history::History history(historyFile);
    LineStore store;
    for (long long i = first;; ++i) {
        history::Change change = history.change();
        if (!change.answer(QStringLiteral("words.txt"),
                           {i, "apple", history::Place::QuizSpelling, true, false, 1}))
            return 4;
        store.setText("apple,a,,,0," + QByteArray::number(i) + ",0\r\n");
        SaveLines(store, wordFile);
        if (!change.commit())
            return 5;
        std::printf("%lld\n", i);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const QByteArray mode = argc > 1 ? argv[1] : "";
    if (mode == "hold" && argc >= 4)
        return hold(argv[2], std::atoi(argv[3]), argc > 4);
    if (mode == "append" && argc == 5)
        return append(QFile::decodeName(argv[2]), QFile::decodeName(argv[3]), std::atoll(argv[4]));
    return 1;
}

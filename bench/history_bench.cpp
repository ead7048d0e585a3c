// The history's costs beside their floors, for 1,000 words and 10,000 to
// 1,000,000 answers in the history: the due pool of 復習が必要な問題 (open
// the history, read the word file's reviews, replay them, sort the due)
// against reading every row with a bare SELECT; the numbers of the progress
// view against the same floor; one answer's row committed against one bare
// WAL insert. Each history's file size is a counter of its due-pool row.
// TrainerProgress is the progress tab's first look as the program takes it:
// a trainer started on the 1,000-word file, then Trainer::progress, which
// opens the history and reads and computes every number the tab draws.
#include "bench_data.h"
#include "core/trainer.h"
#include "history/history.h"
#include "review/schedule.h"
#include "review/statistics.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <random>
#include <sqlite3.h>

namespace {

constexpr int kWords = 1000;
constexpr qint64 kT0 = 1'767'225'600; // 2026-01-01 00:00 UTC
constexpr qint64 kYear = 365 * review::kDay;
const QString kKey = QStringLiteral("words/default.txt");

QByteArray wordOf(int i)
{
    return "word" + QByteArray::number(i);
}

// A history of `rows` answers spread over a year, made once per size.
const QString& historyWith(int rows)
{
    static QTemporaryDir dir;
    static std::map<int, QString> files;
    QString& file = files[rows];
    if (!file.isEmpty())
        return file;
    file = dir.filePath(QStringLiteral("history-%1.sqlite").arg(rows));
    history::History h(file);
    history::Change change = h.change();
    std::mt19937 rng(rows);
    for (int i = 0; i < rows; ++i) {
        const qint64 time = kT0 + qint64(i) * kYear / rows;
        change.answer(kKey,
                      {time, wordOf(int(rng() % kWords)), history::Place::QuizSpelling, rng() % 5 != 0,
                       rng() % 10 == 0, 5});
        if (i % 500 == 0)
            change.testResult(kKey, {time, history::TestKind::Normal, 10, int(rng() % 11)});
    }
    if (!change.commit())
        std::abort();
    return file;
}

std::vector<review::RecordCounts> records()
{
    std::vector<review::RecordCounts> out;
    for (int i = 0; i < kWords; ++i)
        out.push_back({wordOf(i), 5, 4});
    return out;
}

void DuePool(benchmark::State& state)
{
    const QString& file = historyWith(int(state.range(0)));
    const std::vector<review::RecordCounts> counts = records();
    for (auto _ : state) {
        history::History h(file);
        const review::Schedule schedule(counts, h.reviewsOf(kKey).value());
        benchmark::DoNotOptimize(schedule.duePool(kT0 + kYear));
    }
    state.counters["file_MiB"] = double(QFileInfo(file).size()) / (1024 * 1024);
}

void ProgressNumbers(benchmark::State& state)
{
    const QString& file = historyWith(int(state.range(0)));
    const std::vector<review::RecordCounts> counts = records();
    const qint64 now = kT0 + kYear;
    const QTimeZone zone("Asia/Tokyo");
    for (auto _ : state) {
        history::History h(file);
        const auto answers = h.answersSince(kKey, now - kYear).value();
        const auto tests = h.testResults(kKey).value();
        const review::Schedule schedule(counts, h.reviewsOf(kKey).value());
        benchmark::DoNotOptimize(review::answersPerDay(answers, now, 365, zone));
        benchmark::DoNotOptimize(review::testSeries(tests, zone));
        benchmark::DoNotOptimize(review::wordCounts(schedule, now, zone));
        benchmark::DoNotOptimize(review::dueForecast(schedule, now, 30, zone));
    }
}

// A data folder holding the benchmarks' word file, its preferences and the
// history of `rows` answers, made once per size.
const QString& dataFolderWith(int rows)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    static std::map<int, QString> paths;
    QString& path = paths[rows];
    if (!path.isEmpty())
        return path;
    auto& dir = folders[rows] = std::make_unique<QTemporaryDir>();
    path = dir->path();
    QDir(path).mkpath(QStringLiteral("words"));
    QDir(path).mkpath(QStringLiteral("config"));
    atomicSave(QDir(path).filePath(QStringLiteral("words/default.txt")), benchWordFile(kWords));
    atomicSave(QDir(path).filePath(QStringLiteral("config/plimopref.ini")),
               "[wordfile]\r\ndefwordfile=words\\default.txt\r\n");
    if (!QFile::copy(historyWith(rows), QDir(path).filePath(QString::fromLatin1(history::kFileName))))
        std::abort();
    return path;
}

void TrainerProgress(benchmark::State& state)
{
    const QString& folder = dataFolderWith(int(state.range(0)));
    QDir::setCurrent(folder);
    const qint64 now = kT0 + kYear;
    for (auto _ : state) {
        state.PauseTiming();
        {
            Trainer trainer(QDir(folder).filePath(QStringLiteral("config/plimopref.ini")));
            trainer.setDataFolder(folder, true);
            trainer.start();
            state.ResumeTiming();
            benchmark::DoNotOptimize(trainer.progress(now, QTimeZone("Asia/Tokyo")));
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

// The floor of every read: a fresh connection stepping through every
// review row and taking its columns, nothing of ours.
void SelectAllFloor(benchmark::State& state)
{
    const QByteArray file = QFile::encodeName(historyWith(int(state.range(0))));
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT word, time, right, hint FROM reviews", -1, &stmt, nullptr);
        qint64 sum = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            sum += sqlite3_column_int64(stmt, 0) + sqlite3_column_int64(stmt, 1) + sqlite3_column_int(stmt, 2)
                + sqlite3_column_int(stmt, 3);
        benchmark::DoNotOptimize(sum);
        sqlite3_finalize(stmt);
        sqlite3_close(db);
    }
}

// One answer's row, committed, in a history of 100,000 rows kept open.
void AnswerRow(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("h.sqlite"));
    QFile::copy(historyWith(100000), file);
    history::History h(file);
    qint64 time = kT0 + kYear;
    for (auto _ : state) {
        history::Change change = h.change();
        change.answer(kKey,
                      {++time, wordOf(int(time % kWords)), history::Place::QuizSpelling, true, false, 4});
        if (!change.commit())
            std::abort();
    }
}

// Its floor: one row inserted and committed in WAL mode with the same
// durability (synchronous NORMAL) into a table of nothing else.
void InsertFloor(benchmark::State& state)
{
    QTemporaryDir dir;
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(dir.filePath(QStringLiteral("f.sqlite"))).constData(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; CREATE TABLE t(a, b, c)",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?, ?, ?)", -1, &insert, nullptr);
    qint64 i = 0;
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_bind_int64(insert, 1, ++i);
        sqlite3_bind_int64(insert, 2, i);
        sqlite3_bind_int64(insert, 3, 1);
        sqlite3_step(insert);
        sqlite3_reset(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
}

} // namespace

BENCHMARK(DuePool)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(ProgressNumbers)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(TrainerProgress)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectAllFloor)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(AnswerRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(InsertFloor)->Unit(benchmark::kMicrosecond);

// The core's costs beside their floors: loading a word file against reading
// the same bytes and splitting lines; saving against one bare atomic save.
#include "bench_data.h"

#include "store/line_store.h"
#include "store/word_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct WordFileOnDisk {
    explicit WordFileOnDisk(int records) : bytes(benchWordFile(records))
    {
        path = dir.filePath(QStringLiteral("words.txt"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            std::abort();
    }
    QTemporaryDir dir;
    QString path;
    QByteArray bytes;
};

void Load(benchmark::State& state)
{
    const WordFileOnDisk file(int(state.range(0)));
    for (auto _ : state) {
        LineStore store;
        LoadLines(store, file.path);
        benchmark::DoNotOptimize(store.LineCount());
    }
}

void LoadFloor(benchmark::State& state)
{
    const WordFileOnDisk file(int(state.range(0)));
    for (auto _ : state) {
        QFile f(file.path);
        if (!f.open(QIODevice::ReadOnly))
            std::abort();
        const QList<QByteArray> lines = f.readAll().split('\n');
        benchmark::DoNotOptimize(lines.size());
    }
}

void AtomicSaveFloor(benchmark::State& state)
{
    const WordFileOnDisk file(int(state.range(0)));
    for (auto _ : state)
        atomicSave(file.path, file.bytes);
}

void Save(benchmark::State& state)
{
    const WordFileOnDisk file(int(state.range(0)));
    LineStore store;
    LoadLines(store, file.path);
    for (auto _ : state)
        SaveLines(store, file.path);
}

} // namespace

BENCHMARK(Load)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(LoadFloor)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(Save)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(AtomicSaveFloor)->Arg(100)->Arg(1000)->Arg(10000);

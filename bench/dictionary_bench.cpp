// The dictionary's costs on the installed edict: the first use's build of
// the index (reading the file, building, writing the cache), beside merely
// reading the file and splitting its lines; a later run's reading of the
// cache; and lookups as a learner types, one per keystroke, with their 95th
// percentile over 1,000 of them.
#include "dictionary/dictionary_file.h"
#include "dictionary/meaning_finder.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using namespace dictionary;

const QString kFile = QString::fromLatin1(kEdictFile);

bool installed(benchmark::State& state)
{
    if (QFile::exists(kFile))
        return true;
    state.SkipWithError("the edict package is not installed");
    return false;
}

void Build(benchmark::State& state)
{
    if (!installed(state))
        return;
    qint64 cacheBytes = 0;
    for (auto _ : state) {
        QTemporaryDir cache;
        const Opened o = openDictionary(kFile, cache.path());
        if (!o.dictionary || o.fromCache)
            std::abort();
        cacheBytes = QFile(cacheFileFor(kFile, cache.path())).size();
    }
    state.counters["cache_MB"] = double(cacheBytes) / 1e6;
}

void BuildFloor(benchmark::State& state)
{
    if (!installed(state))
        return;
    for (auto _ : state) {
        QFile f(kFile);
        if (!f.open(QIODevice::ReadOnly))
            std::abort();
        const QList<QByteArray> lines = f.readAll().split('\n');
        benchmark::DoNotOptimize(lines.size());
    }
}

void OpenCached(benchmark::State& state)
{
    if (!installed(state))
        return;
    QTemporaryDir cache;
    if (!openDictionary(kFile, cache.path()).dictionary)
        std::abort();
    for (auto _ : state) {
        const Opened o = openDictionary(kFile, cache.path());
        if (!o.fromCache)
            std::abort();
    }
}

// Every prefix of common words, as each keystroke asks: "a", "ap", "app"...
std::vector<QString> keystrokes()
{
    static const char* const kWords[] = {
        "apple",
        "book",
        "school",
        "teacher",
        "student",
        "water",
        "house",
        "family",
        "friend",
        "morning",
        "evening",
        "beautiful",
        "important",
        "difficult",
        "interesting",
        "remember",
        "understand",
        "government",
        "environment",
        "experience",
        "question",
        "answer",
        "library",
        "station",
        "weather",
        "breakfast",
        "dinner",
        "kitchen",
        "window",
        "garden",
        "mountain",
        "river",
        "country",
        "language",
        "history",
        "science",
        "music",
        "picture",
        "letter",
        "number",
        "example",
        "sentence",
        "meaning",
        "practice",
        "exercise",
        "travel",
        "airport",
        "hospital",
        "doctor",
        "medicine",
        "money",
        "market",
        "business",
        "company",
        "office",
        "meeting",
        "problem",
        "solution",
        "reason",
        "result",
        "decide",
        "believe",
        "explain",
        "describe",
        "improve",
        "increase",
        "decrease",
        "develop",
        "discover",
        "imagine",
        "quickly",
        "slowly",
        "carefully",
        "happily",
        "always",
        "sometimes",
        "never",
        "usually",
        "together",
        "tomorrow",
        "yesterday",
        "tonight",
        "weekend",
        "holiday",
        "birthday",
        "present",
        "future",
        "simple",
        "complex",
        "honest",
        "careful",
        "dangerous",
        "expensive",
        "cheap",
        "heavy",
        "light",
        "strong",
        "weak",
        "run",
        "eat",
        "go",
        "see",
        "take",
        "make",
        "give",
        "get",
        "put",
        "set",
        "look",
        "turn",
        "keep",
        "bring",
        "to be",
        "to eat",
        "apple pie",
        "look after",
        "give up",
        "take off",
        "at least",
        "of course",
        "information",
        "communication",
        "responsibility",
        "opportunity",
        "relationship",
        "international",
    };
    std::vector<QString> out;
    for (int round = 0; out.size() < 1000; ++round) {
        for (const char* w : kWords) {
            const QString word = QString::fromLatin1(w);
            for (qsizetype n = 1; n <= word.size() && out.size() < 1000; ++n)
                out.push_back(word.left(n));
        }
    }
    return out;
}

void Lookup(benchmark::State& state)
{
    if (!installed(state))
        return;
    QTemporaryDir cache;
    const Opened o = openDictionary(kFile, cache.path());
    if (!o.dictionary)
        std::abort();
    const std::vector<QString> typed = keystrokes();
    std::vector<double> ms;
    for (auto _ : state) {
        ms.clear();
        for (const QString& q : typed) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(o.dictionary->lookup(q, MeaningFinder::kShown));
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    std::sort(ms.begin(), ms.end());
    state.counters["lookups"] = double(ms.size());
    state.counters["p95_ms"] = ms[ms.size() * 95 / 100];
    state.counters["max_ms"] = ms.back();
}

} // namespace

BENCHMARK(Build)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BuildFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenCached)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Lookup)->Unit(benchmark::kMillisecond)->Iterations(3);

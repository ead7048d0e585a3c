#include "csv_library.h"

#include "store/failure.h"

#include <QLibrary>

namespace interchange::csv {

namespace {

// Debian's libcsv3.
constexpr int kSoVersion = 3;

struct Loaded {
    Api api;
    QString problem; // empty once every function is found
};

Loaded load()
{
    Loaded loaded;
    // Never unloaded: a parser may be in use on another import's thread.
    auto* library = new QLibrary(QStringLiteral("csv"), kSoVersion);
    if (!library->load()) {
        loaded.problem = library->errorString();
        return loaded;
    }
#define LEXIWREN_CSV_RESOLVE(name)                                                                           \
    loaded.api.name = reinterpret_cast<decltype(loaded.api.name)>(library->resolve("csv_" #name));           \
    if (!loaded.api.name)                                                                                    \
        loaded.problem = library->errorString();
    LEXIWREN_CSV_CALLS(LEXIWREN_CSV_RESOLVE)
#undef LEXIWREN_CSV_RESOLVE
    return loaded;
}

} // namespace

const Api& api()
{
    static const Loaded loaded = load();
    if (!loaded.problem.isEmpty())
        throw Failure(QStringLiteral("CSV を読むライブラリ libcsv を読み込めません(%1)").arg(loaded.problem));
    return loaded.api;
}

} // namespace interchange::csv

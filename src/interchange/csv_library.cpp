#include "csv_library.h"

#include "store/failure.h"
#include "store/late_library.h"

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
    LateLibrary library(QStringLiteral("csv"), kSoVersion);
#define LEXIWREN_CSV_RESOLVE(name) library.resolve(loaded.api.name, "csv_" #name);
    LEXIWREN_CSV_CALLS(LEXIWREN_CSV_RESOLVE)
#undef LEXIWREN_CSV_RESOLVE
    loaded.problem = library.problem();
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

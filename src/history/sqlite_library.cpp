#include "sqlite_library.h"

#include "sqlite.h"

#include "store/late_library.h"

namespace history::sql {

namespace {

// Debian's libsqlite3-0; its name has not changed in all of SQLite 3.
constexpr int kSoVersion = 0;

struct Loaded {
    Api api;
    QString problem; // empty once every function is found
};

Loaded load()
{
    Loaded loaded;
    LateLibrary library(QStringLiteral("sqlite3"), kSoVersion);
#define LEXIWREN_SQLITE_RESOLVE(name) library.resolve(loaded.api.name, "sqlite3_" #name);
    LEXIWREN_SQLITE_CALLS(LEXIWREN_SQLITE_RESOLVE)
#undef LEXIWREN_SQLITE_RESOLVE
    loaded.problem = library.problem();
    return loaded;
}

} // namespace

const Api& api()
{
    // The history is used from the main thread and from the threads that
    // read it for the progress view: the first of them loads it.
    static const Loaded loaded = load();
    if (!loaded.problem.isEmpty())
        throw Failure{Problem::Failed, loaded.problem};
    return loaded.api;
}

} // namespace history::sql

#include "sqlite_library.h"

#include "sqlite.h"

#include <QLibrary>

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
    // Never unloaded: statements and connections may outlive any one user.
    auto* library = new QLibrary(QStringLiteral("sqlite3"), kSoVersion);
    if (!library->load()) {
        loaded.problem = library->errorString();
        return loaded;
    }
#define LEXIWREN_SQLITE_RESOLVE(name)                                                                        \
    loaded.api.name = reinterpret_cast<decltype(loaded.api.name)>(library->resolve("sqlite3_" #name));       \
    if (!loaded.api.name)                                                                                    \
        loaded.problem = library->errorString();
    LEXIWREN_SQLITE_CALLS(LEXIWREN_SQLITE_RESOLVE)
#undef LEXIWREN_SQLITE_RESOLVE
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

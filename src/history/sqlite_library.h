#pragma once

#include <sqlite3.h>

// SQLite's C functions as the history calls them, found in libsqlite3 when
// the history is first opened rather than linked: a start that never opens
// it (one that only shows the form) neither maps the library nor pays for
// its relocations. Only the declarations of sqlite3.h are used.
namespace history::sql {

#define LEXIWREN_SQLITE_CALLS(X)                                                                             \
    X(backup_finish)                                                                                         \
    X(backup_init)                                                                                           \
    X(backup_step)                                                                                           \
    X(bind_blob)                                                                                             \
    X(bind_int64)                                                                                            \
    X(bind_null)                                                                                             \
    X(bind_text)                                                                                             \
    X(busy_timeout)                                                                                          \
    X(clear_bindings)                                                                                        \
    X(close)                                                                                                 \
    X(close_v2)                                                                                              \
    X(column_blob)                                                                                           \
    X(column_bytes)                                                                                          \
    X(column_int64)                                                                                          \
    X(column_text)                                                                                           \
    X(column_type)                                                                                           \
    X(db_config)                                                                                             \
    X(db_readonly)                                                                                           \
    X(errmsg)                                                                                                \
    X(errstr)                                                                                                \
    X(exec)                                                                                                  \
    X(extended_errcode)                                                                                      \
    X(extended_result_codes)                                                                                 \
    X(finalize)                                                                                              \
    X(free)                                                                                                  \
    X(last_insert_rowid)                                                                                     \
    X(limit)                                                                                                 \
    X(open_v2)                                                                                               \
    X(prepare_v2)                                                                                            \
    X(progress_handler)                                                                                      \
    X(reset)                                                                                                 \
    X(step)                                                                                                  \
    X(system_errno)

// sqlite3_open_v2 is api().open_v2, and so on.
struct Api {
#define LEXIWREN_SQLITE_POINTER(name) decltype(&::sqlite3_##name) name = nullptr;
    LEXIWREN_SQLITE_CALLS(LEXIWREN_SQLITE_POINTER)
#undef LEXIWREN_SQLITE_POINTER
};

// The functions, the library loaded on the first call and kept to the end.
// Raises Failure (Problem::Failed) when it or one of them is missing.
const Api& api();

} // namespace history::sql

#pragma once

#include <csv.h>

// libcsv's functions, found in the library on the first CSV or
// tab-separated import rather than linked, so a start does not map it.
// Only the declarations of csv.h are used.
namespace interchange::csv {

#define LEXIWREN_CSV_CALLS(X)                                                                                \
    X(init)                                                                                                  \
    X(free)                                                                                                  \
    X(parse)                                                                                                 \
    X(fini)                                                                                                  \
    X(set_delim)                                                                                             \
    X(set_space_func)                                                                                        \
    X(set_blk_size)

// csv_parse is api().parse, and so on.
struct Api {
#define LEXIWREN_CSV_POINTER(name) decltype(&::csv_##name) name = nullptr;
    LEXIWREN_CSV_CALLS(LEXIWREN_CSV_POINTER)
#undef LEXIWREN_CSV_POINTER
};

// The functions, the library loaded on the first call and kept to the end.
// Raises a Failure when it or one of them is missing.
const Api& api();

} // namespace interchange::csv

#pragma once

#include <QByteArray>
#include <QFile>
#include <QtGlobal>
#include <malloc.h>

// The memory this process holds, as Linux counts it: its resident set now
// and at its peak, which can be reset to now (by writing 5 to
// /proc/self/clear_refs), so a test can measure the peak of one step.
namespace peak_memory {

// Under AddressSanitizer freed memory is held back and every allocation
// is larger: peaks say nothing about the program's own use.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kMeaningful = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kMeaningful = false;
#else
inline constexpr bool kMeaningful = true;
#endif
#else
inline constexpr bool kMeaningful = true;
#endif

// A "VmRSS:" or "VmHWM:" line of /proc/self/status, in bytes; -1 when
// there is none.
inline qint64 statusValue(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

// Call after resetPeak(): the resident set the peak starts from.
inline qint64 resident()
{
    return statusValue("VmRSS:");
}

inline qint64 peak()
{
    return statusValue("VmHWM:");
}

// Makes the peak the resident set of now; false where that is not allowed.
// Memory freed before is given back first: pages the allocator kept from an
// earlier step would otherwise take the next step's allocations unseen.
inline bool resetPeak()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

} // namespace peak_memory

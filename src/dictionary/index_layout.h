#pragma once

// The reverse index as it lies in memory and in the cache file: a header,
// then four tables, all little-endian.
//
//   entries  one u32 per dictionary entry: the offset of "headword\0reading\0"
//            in the strings (bits 0..27) and whether the entry is common (31)
//   glosses  two u32 per English gloss of an entry, sorted by key: the
//            gloss's offset in the strings, then the entry (bits 0..23), how
//            many bytes of the gloss precede its key ("to " of a verb, 24..29)
//            and whether the gloss's sense is usually written in kana (30)
//   words    one u32 per later word of a gloss, sorted by the key from that
//            word on: the gloss (bits 0..23) and the word's distance from the
//            start of the gloss's key (24..31)
//   strings  NUL-terminated texts in CP932, beginning and ending with two NULs
//
// A key is a gloss's text up to its end or up to a parenthesised note
// (" ("), compared with ASCII letters folded to lower case: "Apple (fruit)"
// has the key "apple".

#include <QtGlobal>
#include <cstdint>
#include <cstring>

namespace dictionary::layout {

inline constexpr char kMagic[8] = {'L', 'x', 'w', 'E', 'd', 'i', 'c', 't'};
inline constexpr quint32 kVersion = 1;
inline constexpr qsizetype kHeaderSize = 80;
inline constexpr qsizetype kChecksumOffset = 48; // SHA-1 of all the image but itself
inline constexpr qsizetype kChecksumSize = 20;
// Bounds the packed fields can hold, and the largest cache that is read.
inline constexpr quint32 kMaxRecords = 1u << 24;
inline constexpr quint32 kMaxStrings = 1u << 28;
inline constexpr qint64 kMaxImage = 96ll << 20;

inline constexpr quint32 kOffsetMask = kMaxStrings - 1;
inline constexpr quint32 kCommonBit = 1u << 31;
inline constexpr quint32 kRecordMask = kMaxRecords - 1;
inline constexpr quint32 kUsuallyKanaBit = 1u << 30;
inline constexpr int kSkipShift = 24;
inline constexpr quint32 kSkipMask = 0x3F;
inline constexpr int kDeltaShift = 24;
inline constexpr quint32 kMaxDelta = 0xFF;

struct Header {
    quint32 version = kVersion;
    quint32 entries = 0;
    quint32 glosses = 0;
    quint32 words = 0;
    quint32 strings = 0;
    quint64 sourceSize = 0;
    qint64 sourceTime = 0; // milliseconds since the epoch
};

inline unsigned char fold(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Where a key ends. A text always ends in NUL, so p[1] exists past a blank.
inline bool keyEnd(const char* p)
{
    return *p == 0 || (p[0] == ' ' && p[1] == '(');
}

// Orders keys; `b` may be a query, which is folded already and has no note.
inline int compareKeys(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        const bool endA = keyEnd(a);
        const bool endB = keyEnd(b);
        if (endA || endB)
            return endA == endB ? 0 : (endA ? -1 : 1);
        const int d = int(fold(static_cast<unsigned char>(*a))) - int(fold(static_cast<unsigned char>(*b)));
        if (d != 0)
            return d;
    }
}

// How a key stands to a query: 0 equal, 1 it starts with the query and goes
// on, -1 neither.
inline int matchKey(const char* key, const char* query)
{
    for (; *query; ++key, ++query) {
        if (keyEnd(key) || fold(static_cast<unsigned char>(*key)) != static_cast<unsigned char>(*query))
            return -1;
    }
    return keyEnd(key) ? 0 : 1;
}

inline qsizetype keyLength(const char* key)
{
    qsizetype n = 0;
    while (!keyEnd(key + n))
        ++n;
    return n;
}

} // namespace dictionary::layout

#pragma once

#include "interchange/import_rows.h"
#include "store/codec.h"

#include <QByteArray>
#include <QString>
#include <ostream>

// Rows compare and print by their line and five texts.
namespace interchange {

inline bool operator==(const ImportRow& a, const ImportRow& b)
{
    return a.line == b.line && a.word == b.word && a.meaning == b.meaning && a.example == b.example
        && a.exampleMeaning == b.exampleMeaning && a.part == b.part;
}

inline void PrintTo(const ImportRow& r, std::ostream* os)
{
    *os << r.line << ": [" << qPrintable(r.word) << "|" << qPrintable(r.meaning) << "|"
        << qPrintable(r.example) << "|" << qPrintable(r.exampleMeaning) << "|" << qPrintable(r.part) << "]";
}

} // namespace interchange

// CP932 bytes of text written in a test as UTF-8.
inline QByteArray sjis(const char* utf8)
{
    return cp932::encode(QString::fromUtf8(utf8));
}

inline QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

#pragma once

#include "store/line_store.h"

#include <QByteArray>
#include <QString>

// A word record is one store line of seven comma-separated fields:
// word, mean, example, examplemean, parts, asked, correct. No quoting.
enum Field { kWord = 1, kMean, kExample, kExampleMean, kParts, kAsked, kCorrect };

// Field k (1..7) of the record at that store index: the text between the
// (k-1)th and kth comma, the last field running to the end of the line.
// A record with fewer fields answers with its last field; fields after the
// seventh are never read (a k outside 1..7 reads as the nearest of them).
QByteArray ReadField(const LineStore& store, int index, int k);
QByteArray ReadField(const QByteArray& line, int k);

// The text-to-integer conversion every counter and state cell goes through:
// leading blanks, then a signed decimal that fits 32 bits or an unsigned
// hexadecimal of at most eight digits after "$", "x", "X", "0x" or "0X".
// Anything else raises "'%s' は整数ではありません".
int StrToInt(const QByteArray& text);
QByteArray IntToStr(int value);

// A new record: word, meaning, example and example meaning (CP932 bytes
// no field refuses), the part-of-speech index, and both counters at 0.
QByteArray NewRecord(const QByteArray& word, const QByteArray& mean, const QByteArray& example,
                     const QByteArray& exampleMean, int part);

// Rebuilt record lines; the caller writes them back at the same index.
// A counter at 2,147,483,647 stays there instead of wrapping round.
QByteArray CountAsked(const LineStore& store, int index);
QByteArray CountCorrect(const LineStore& store, int index);
QByteArray ResetCounts(const LineStore& store, int index);

// Records a scan sees: store lines from index 0 up to the first empty one,
// looking at no more than `indices` lines.
int VisibleRecords(const LineStore& store, int indices);

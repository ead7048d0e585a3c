#pragma once

#include <QByteArray>
#include <QString>

// Whether the typed answer is exactly `expected`, byte for byte in the word
// file's encoding. A character with no CP932 code cannot be part of any
// stored answer, so such an answer is simply wrong.
bool answerMatches(const QString& typed, const QByteArray& expected);

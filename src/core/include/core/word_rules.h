#pragma once

#include "core/registration_rules.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <optional>
#include <vector>

class LineStore;

// The rules every new word follows, typed on the registration tab or
// brought in by an import: what its texts may hold, which words it may not
// repeat, how many more fit, and where new records go. Registration and
// import each say a refusal in their own words and check in their own
// order; the rules themselves live here once.
namespace word_rules {

// The words a new word may not repeat, byte for byte: field 1 of every
// record a registration's scan sees (up to the first empty line).
QSet<QByteArray> registeredWords(const LineStore& store);

// How many more words the store takes.
int room(const LineStore& store);

// Puts new records right behind the last record every view sees. When the
// scan ended at an empty line inside the store (a word file edited by
// hand), that line stays behind the new words, and so does whatever the
// learner keeps out of sight behind it.
void insertNew(LineStore& store, const std::vector<QByteArray>& records);

// The first of a new word's four texts (word, meaning, example, example
// meaning, in this order) that no record can hold, and why: too long,
// fieldRefusal's message, or a character with no CP932 code.
struct TextProblem {
    int text = 0; // 0 word … 3 example meaning
    QString refusal; // empty when `unencodable` is the reason
    QString unencodable; // the character
};
std::optional<TextProblem> textProblem(const NewWord& word);

} // namespace word_rules

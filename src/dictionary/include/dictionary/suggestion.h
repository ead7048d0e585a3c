#pragma once

#include <QByteArray>

namespace dictionary {

// One Japanese meaning offered for an English word. Texts are CP932 bytes,
// like a word file's; they meet a widget through cp932::decode.
struct Suggestion {
    QByteArray headword;
    QByteArray reading; // empty when the headword is written in kana
    QByteArray gloss; // the English gloss that matched
    bool common = false; // marked (P): among the words in common use
    bool usuallyKana = false; // the sense is usually written in kana alone

    // What the meaning field is given: the reading of a word usually written
    // in kana, else the headword.
    QByteArray meaning() const { return usuallyKana && !reading.isEmpty() ? reading : headword; }
    // The other written form, shown beside the meaning, or empty.
    QByteArray otherForm() const { return usuallyKana && !reading.isEmpty() ? headword : reading; }
};

} // namespace dictionary

#pragma once

#include <QByteArrayView>
#include <vector>

namespace dictionary {

// One gloss of an EDICT line, its leading tags taken off.
struct EdictGloss {
    QByteArrayView text;
    int sense = 0; // which of the line's senses it belongs to
    bool usuallyKana = false; // its sense carries (uk)
    // Its sense is marked as archaic, colloquial, honorific or the like:
    // not the word a learner looks for first.
    bool marked = false;
};

// An EDICT line split into its fields, still in EUC-JP and pointing into
// the line: `headword [reading] /(tags) gloss/gloss/(P)/`.
struct EdictLine {
    QByteArrayView headword;
    QByteArrayView reading;
    std::vector<EdictGloss> glosses;
    std::vector<int> senseSizes; // how many glosses each sense has
    bool common = false;
};

// Whether the line is the dictionary's own first line, which describes the
// file rather than a word.
bool isEdictHeader(QByteArrayView line);

// Splits one line (without its line break); false when it is not in the
// form above or has no gloss.
bool splitEdictLine(QByteArrayView line, EdictLine& out);

} // namespace dictionary

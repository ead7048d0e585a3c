#include "edict_line.h"

#include <algorithm>
#include <iterator>

namespace dictionary {
namespace {

// Registers and styles of speech a learner wants only after the plain word.
bool markedTag(QByteArrayView tag)
{
    static constexpr const char* kTags[] = {"arch", "obs",   "obsc", "rare",    "dated",  "chn", "col", "sl",
                                            "vulg", "derog", "X",    "male",    "fem",    "hon", "hum", "pol",
                                            "joc",  "poet",  "m-sl", "male-sl", "fem-sl", "ok",  "oK",  "ik"};
    return std::any_of(std::begin(kTags), std::end(kTags), [&](const char* t) { return tag == t; });
}

struct Sense {
    bool usuallyKana = false;
    bool marked = false;
};

// "(n)", "(v5r,vt)", "(1)", "{comp}": the part of speech, field, sense
// number and the like in front of a sense's first gloss. True when there
// were any: a new sense begins there.
bool takeTags(QByteArrayView& text, Sense& sense)
{
    bool any = false;
    for (;;) {
        while (text.startsWith(' '))
            text = text.sliced(1);
        if (text.isEmpty() || (text.front() != '(' && text.front() != '{'))
            return any;
        const char close = text.front() == '(' ? ')' : '}';
        const qsizetype end = text.indexOf(close);
        if (end < 0)
            return any;
        QByteArrayView tags = text.sliced(1, end - 1);
        // Stops at a parenthesised word that begins the gloss itself.
        if (tags.contains(' '))
            return any;
        if (!any)
            sense = {};
        any = true;
        while (!tags.isEmpty()) {
            const qsizetype comma = tags.indexOf(',');
            const QByteArrayView tag = comma < 0 ? tags : tags.first(comma);
            if (tag == "uk")
                sense.usuallyKana = true;
            else if (markedTag(tag))
                sense.marked = true;
            tags = comma < 0 ? QByteArrayView() : tags.sliced(comma + 1);
        }
        text = text.sliced(end + 1);
    }
}

} // namespace

bool isEdictHeader(QByteArrayView line)
{
    // "　？？？" in EUC-JP.
    return line.startsWith("\xA1\xA1\xA1\xA9\xA1\xA9\xA1\xA9");
}

bool splitEdictLine(QByteArrayView line, EdictLine& out)
{
    out.glosses.clear();
    out.senseSizes.clear();
    out.common = false;
    out.reading = {};
    const qsizetype blank = line.indexOf(' ');
    if (blank <= 0)
        return false;
    out.headword = line.first(blank);
    QByteArrayView rest = line.sliced(blank + 1);
    if (rest.startsWith('[')) {
        const qsizetype close = rest.indexOf(']');
        if (close < 2)
            return false;
        out.reading = rest.sliced(1, close - 1);
        rest = rest.sliced(close + 1);
        if (!rest.startsWith(' '))
            return false;
        rest = rest.sliced(1);
    }
    if (!rest.startsWith('/') || !rest.endsWith('/') || rest.size() < 2)
        return false;
    rest = rest.sliced(1, rest.size() - 2);

    Sense sense;
    int senseIndex = -1;
    while (true) {
        const qsizetype slash = rest.indexOf('/');
        QByteArrayView gloss = slash < 0 ? rest : rest.first(slash);
        if (gloss == "(P)") {
            out.common = true;
        } else if (!(gloss.startsWith("EntL") && gloss.size() > 4 && gloss[4] >= '0' && gloss[4] <= '9')) {
            if (takeTags(gloss, sense) || senseIndex < 0) {
                ++senseIndex;
                out.senseSizes.push_back(0);
            }
            while (gloss.endsWith(' '))
                gloss.chop(1);
            if (!gloss.isEmpty()) {
                out.glosses.push_back({gloss, senseIndex, sense.usuallyKana, sense.marked});
                ++out.senseSizes.back();
            }
        }
        if (slash < 0)
            break;
        rest = rest.sliced(slash + 1);
    }
    return !out.glosses.empty();
}

} // namespace dictionary

#pragma once

// The builder of the reverse index (index_layout.h): it takes an EDICT
// file's lines one by one, keeping the entries a word file can hold, then
// orders glosses and words and lays out the image.

#include "dictionary/dictionary.h"
#include "edict_line.h"

#include <QByteArray>
#include <atomic>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dictionary::indexing {

struct Gloss {
    quint32 text; // offset in the strings
    quint32 entry;
    quint16 ordinal; // its place among the entry's glosses: 0 for the entry's first meaning
    quint8 senses; // how many senses the entry has: basic words have many
    quint8 senseSize; // how many glosses share its sense: the fewer, the closer the meaning
    quint8 rank; // 0 a plain word, 1 a loanword in katakana, 2 a marked sense
    quint8 skip;
    bool usuallyKana;
};

struct Word {
    quint32 gloss;
    quint8 delta;
};

class Builder {
public:
    explicit Builder(const std::atomic<bool>* cancel) : cancel_(cancel)
    {
        strings_.append("\0\0", 2);
        interned_.reserve(1 << 19);
    }

    // Takes the file's lines; false when cancelled meanwhile.
    bool add(QByteArrayView edict, BuildReport& report);
    // The image of what was taken; empty when cancelled meanwhile.
    QByteArray finish(SourceKey source);

private:
    bool cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }
    void addLine(QByteArrayView line, BuildReport& report);
    quint32 intern(QByteArrayView cp932Text);
    const char* key(const Gloss& g) const { return strings_.constData() + g.text + g.skip; }
    void collectWords();
    bool before(const Gloss& x, const Gloss& y) const;
    std::vector<quint32> sortGlosses() const;
    void sortWords();

    const std::atomic<bool>* cancel_;
    EdictLine line_;
    QByteArray strings_;
    std::vector<quint32> entries_;
    std::vector<bool> common_;
    std::vector<Gloss> glosses_;
    std::vector<Word> words_;
    std::unordered_map<std::string_view, quint32> interned_;
    std::deque<QByteArray> converted_; // glosses that were not ASCII, kept for interned_'s views
};

} // namespace dictionary::indexing

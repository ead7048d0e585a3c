#pragma once

#include "dictionary/suggestion.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <atomic>
#include <memory>
#include <vector>

namespace dictionary {

// Which dictionary file an index was built from: its size and modification
// time. An index of any other file, or of this one before it changed, is
// not used.
struct SourceKey {
    quint64 size = 0;
    qint64 modified = 0; // milliseconds since the epoch

    bool operator==(const SourceKey&) const = default;
};

// What building an index made of the dictionary's lines.
struct BuildReport {
    int entries = 0; // indexed
    int leftOut = 0; // holding a character a word file cannot hold
    int malformed = 0; // not a dictionary line
    bool cancelled = false;
};

// A reverse index from English glosses to Japanese headwords, over one
// image in the layout of index_layout.h. Immutable once made, so any thread
// may look up in it.
class Dictionary {
public:
    // Builds the image of the index of an EDICT file (EUC-JP lines of
    // `headword [reading] /(tags) gloss/gloss/.../`). An empty image when
    // nothing could be indexed or `cancel` was set meanwhile.
    static QByteArray build(QByteArrayView edict, SourceKey source, BuildReport* report = nullptr,
                            const std::atomic<bool>* cancel = nullptr);

    // The index in an image, or nothing when the image is not a whole, sound
    // index of that source: every size, offset and the checksum are checked
    // before anything in it is used.
    static std::shared_ptr<const Dictionary> fromImage(QByteArray image, SourceKey source);

    // Up to `limit` meanings for an English word or phrase, best first: the
    // glosses that are the word itself, then those that start with it, then
    // those with a later word that is or starts with it; common words first
    // within each. Case and blanks around the word do not matter, nor "to "
    // in front of a verb. One suggestion per meaning.
    std::vector<Suggestion> lookup(QStringView english, int limit) const;

    int entryCount() const { return int(entries_); }
    qsizetype imageSize() const { return image_.size(); }

private:
    Dictionary() = default;
    quint32 entry(quint32 i) const;
    quint32 glossOffset(quint32 i) const;
    quint32 glossData(quint32 i) const;
    quint32 word(quint32 i) const;
    const char* text(quint32 offset) const { return strings_ + offset; }
    const char* glossKey(quint32 gloss) const;
    Suggestion suggestion(quint32 gloss) const;

    QByteArray image_;
    const char* entryTable_ = nullptr;
    const char* glossTable_ = nullptr;
    const char* wordTable_ = nullptr;
    const char* strings_ = nullptr;
    quint32 entries_ = 0;
    quint32 glosses_ = 0;
    quint32 words_ = 0;
};

} // namespace dictionary

#pragma once

#include "dictionary/dictionary.h"

#include <QString>
#include <atomic>
#include <memory>

namespace dictionary {

// Where Debian's edict package puts the dictionary.
inline constexpr const char* kEdictFile = "/usr/share/edict/edict";

// The folder the index is kept in between runs: the user's cache folder.
QString defaultCacheFolder();
// The index of a dictionary file within that folder.
QString cacheFileFor(const QString& edictFile, const QString& cacheFolder);

struct Opened {
    std::shared_ptr<const Dictionary> dictionary; // null when there is none
    QString hint; // then one line saying how to get suggestions
    bool fromCache = false;
    BuildReport report; // when it was built
};

// The dictionary's index: read from the cache when the cache is sound and
// was made from the file as it is now, otherwise built from the file and
// written to the cache for the next run (a cache that cannot be written
// only costs that run's build). Reads whole files, so it belongs on a
// worker thread; `cancel` ends a build early, with nothing opened.
Opened openDictionary(const QString& edictFile, const QString& cacheFolder,
                      const std::atomic<bool>* cancel = nullptr);

} // namespace dictionary

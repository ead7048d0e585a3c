#pragma once

#include "dictionary/dictionary_file.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <thread>
#include <vector>

namespace dictionary {

// The dictionary as the views use it: nothing happens when it is made, and
// its index is read (or built) on a worker thread when it is first asked,
// so the start never waits for it. Until the index is ready there are no
// suggestions; when there is no dictionary there never are, and hint()
// says how to get one. Lives on the GUI thread.
class MeaningFinder : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Loading, Ready, Unavailable };
    static constexpr int kShown = 8;

    explicit MeaningFinder(QString edictFile = QString::fromLatin1(kEdictFile),
                           QString cacheFolder = defaultCacheFolder(), QObject* parent = nullptr);
    // Stops a build under way and waits for its thread.
    ~MeaningFinder() override;

    // Starts reading the index, once; later calls do nothing.
    void prepare();
    State state() const { return state_; }
    // One line on how to get suggestions, while Unavailable.
    const QString& hint() const { return hint_; }
    // Whether the index came from the cache, and what its build found.
    bool fromCache() const { return fromCache_; }
    const BuildReport& report() const { return report_; }

    // Up to `limit` meanings for the English word, best first (see
    // Dictionary::lookup). The first call starts the index.
    std::vector<Suggestion> suggest(QStringView english, int limit = kShown);

signals:
    // The index became ready, or turned out not to be there.
    void stateChanged();

private:
    void opened(const Opened& result);

    QString edictFile_;
    QString cacheFolder_;
    State state_ = State::Idle;
    QString hint_;
    bool fromCache_ = false;
    BuildReport report_;
    std::shared_ptr<const Dictionary> dictionary_;
    std::atomic<bool> cancel_{false};
    std::thread worker_;
};

} // namespace dictionary

#include "dictionary/meaning_finder.h"

#include <QMetaObject>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace dictionary {

MeaningFinder::MeaningFinder(QString edictFile, QString cacheFolder, QObject* parent)
    : QObject(parent), edictFile_(std::move(edictFile)), cacheFolder_(std::move(cacheFolder))
{
}

MeaningFinder::~MeaningFinder()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

void MeaningFinder::prepare()
{
    if (state_ != State::Idle)
        return;
    state_ = State::Loading;
    worker_ = std::thread([this] {
        const Opened result = openDictionary(edictFile_, cacheFolder_, &cancel_);
#ifdef __GLIBC__
        // A build needs some 80 MB more than the index it leaves; glibc
        // would keep much of that for the rest of the run.
        if (!result.fromCache)
            malloc_trim(0);
#endif
        // Delivered on the GUI thread; dropped when this object is gone.
        QMetaObject::invokeMethod(
            this, [this, result] { opened(result); }, Qt::QueuedConnection);
    });
}

void MeaningFinder::opened(const Opened& result)
{
    if (worker_.joinable())
        worker_.join();
    dictionary_ = result.dictionary;
    hint_ = result.hint;
    fromCache_ = result.fromCache;
    report_ = result.report;
    state_ = dictionary_ ? State::Ready : State::Unavailable;
    emit stateChanged();
}

std::vector<Suggestion> MeaningFinder::suggest(QStringView english, int limit)
{
    prepare();
    if (!dictionary_)
        return {};
    return dictionary_->lookup(english, limit);
}

} // namespace dictionary

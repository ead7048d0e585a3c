// The review history of the data folder, opened at its first use.

#include "core/trainer.h"

#include "history/history.h"

#include <QDir>

history::History* Trainer::history()
{
    if (!history_) {
        // Without a data folder there is no place for a history; none is
        // made anywhere else.
        if (dataFolder_.isEmpty() || !dataFolderUsable_)
            return nullptr;
        history_ = std::make_unique<history::History>(
            QDir(dataFolder_).filePath(QString::fromLatin1(history::kFileName)));
    }
    return history_.get();
}

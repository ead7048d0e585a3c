#include "app/hand_over.h"

#include "core/conflict.h"
#include "store/word_file_lock.h"
#include "ui/dialogs.h"

void handOverStart(const QString& file, const QString& shown, Dialogs& dialogs, int timeoutMs)
{
    if (InstanceChannel::knock(WordFileLock::keyFor(file), timeoutMs))
        return;
    dialogs.message(QStringLiteral("Lexiwren はすでに起動しています。\n") + FileInUse(shown).text()
                    + QStringLiteral("。"));
}

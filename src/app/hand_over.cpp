#include "app/hand_over.h"

#include "core/conflict.h"
#include "ui/dialogs.h"

#include <QFileInfo>

QString channelKeyFor(const QString& lockFile)
{
    const QString canonical = QFileInfo(lockFile).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(lockFile).absoluteFilePath() : canonical;
}

void handOverStart(const QString& wordFile, const QString& lockFile, Dialogs& dialogs, int timeoutMs)
{
    if (InstanceChannel::knock(channelKeyFor(lockFile), timeoutMs))
        return;
    dialogs.message(QStringLiteral("Lexiwren はすでに起動しています。\n") + FileInUse(wordFile).text()
                    + QStringLiteral("。"));
}

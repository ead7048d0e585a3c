#include "speech/voice_setting.h"

#include "speech/speaker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace speech {

namespace {

// The file holds two short lines; anything longer is not ours.
constexpr qint64 kMaxBytes = 4096;
const QByteArray kKey = "voice=";

} // namespace

QLocale readVoice(const QString& file)
{
    const QList<QLocale> voices = Speaker::englishLocales();
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return voices.first();
    const QByteArray bytes = in.read(kMaxBytes);
    for (QByteArray line : bytes.split('\n')) {
        line = line.trimmed();
        if (!line.startsWith(kKey))
            continue;
        const QString name = QString::fromLatin1(line.mid(kKey.size()));
        for (const QLocale& voice : voices) {
            if (voice.name() == name)
                return voice;
        }
    }
    return voices.first();
}

bool writeVoice(const QString& file, const QLocale& locale)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write("[speech]\n" + kKey + locale.name().toLatin1() + '\n');
    return out.commit();
}

} // namespace speech

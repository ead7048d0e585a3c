#pragma once

#include "dictionary/dictionary_file.h"
#include "speech/speaker.h"

#include <QString>

// Where the window's speech and dictionary come from: the system's engine
// and the installed edict by default, a test's own otherwise. The voice
// chosen on the options tab is kept in `voiceFile`; empty: "voice.ini"
// beside the preferences file.
struct AssistSettings {
    speech::SpeechSettings speech;
    QString edictFile = QString::fromLatin1(dictionary::kEdictFile);
    QString cacheFolder = dictionary::defaultCacheFolder();
    QString voiceFile;
};

#pragma once

#include <QLocale>
#include <QString>

namespace speech {

// The voice the learner chose on the options tab, kept in a small settings
// file of the program's own ("[speech]" / "voice=en_GB"), beside the
// preferences file but never in it. A missing, damaged or foreign file
// reads as the first of Speaker::englishLocales().
QLocale readVoice(const QString& file);
// Writes the choice whole (the old file stays until the new one is
// complete); false when it could not be written.
bool writeVoice(const QString& file, const QLocale& locale);

} // namespace speech

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The command line is read before anything else starts (no display, no
// lock, no files): --help (-h) and --version (-v) answer with a short text
// and end the program. Every other argument is ignored, as it always was,
// and Qt's own options (-platform, -style ...) still reach Qt.

// The text to print before ending with status 0, or nothing to start as
// usual. `arguments` includes the program's name.
std::optional<QString> commandLineAnswer(const QStringList& arguments, bool japanese);

// Whether the user reads messages in Japanese, decided as gettext decides:
// the first of LC_ALL, LC_MESSAGES and LANG that is set names the locale;
// LANGUAGE, when set, takes precedence over that unless the locale is C.
bool japaneseMessages();
